#include "filter_commands.h"

#include "app/dialog_controls.h"
#include "app/main_window.h"
#include "filters/filter_steps.h"
#include "filters/ui/d_hist.h"
#include "filters/ui/matrix.h"


using tavlo::CommandEdit;
using tavlo::OperationStatus;

FilterCommands::FilterCommands(TForm1& form1) : QObject(&form1), form1_(form1) {
    Form12 = std::make_unique<TForm12>();
    TForm16::Actions matrixActions{
        [this] {
            form1_.channel().execute(CommandEdit::Matrix, form1_.counters().shared);
            if (lastMatrixRunDone_) form1_.document().modified = true;
        },
        [this] { form1_.channel().cancel(CommandEdit::Matrix, form1_.counters().shared); }};
    Form16 = std::make_unique<TForm16>(kernel_, form1_.dialogs(),
                                       QString::fromStdString(form1_.document().programFolder),
                                       std::move(matrixActions));

    const std::pair<QAction*, int> presets[] = {{form1.N1A1, 1}, {form1.N2B1, 2}, {form1.I1, 3},
                                                {form1.N1C1, 4}, {form1.L3, 5},   {form1.D4, 6},
                                                {form1.E4, 7},   {form1.F4, 8}};
    for (const auto& [item, n] : presets)
        connect(item, &QAction::triggered, this, [this, n = n] { ApplyFilterPreset(n); });
    connect(form1.N13, &QAction::triggered, this, &FilterCommands::N13Click);
    connect(form1.C3, &QAction::triggered, this, &FilterCommands::C3Click);
    connect(form1.B1, &QAction::triggered, this, &FilterCommands::B1Click);
    connect(form1.H4, &QAction::triggered, this, &FilterCommands::H4Click);
    connect(form1.H5, &QAction::triggered, this, &FilterCommands::H5Click);

    form1.channel().setHandler(CommandEdit::HistogramShow, [this](std::int64_t) { Edit7Change(); });
    form1.channel().setHandler(CommandEdit::HistogramRedraw,
                               [this](std::int64_t) { Edit8Change(); });
    form1.channel().setHandler(CommandEdit::Matrix,
                               [this](std::int64_t value) { Edit12Change(value); });

    connect(Form12.get(), &TForm12::chartClicked, this, &FilterCommands::chartClicked);
    connect(Form12.get(), &TForm12::closed, this, [this] { form1_.H4->setChecked(false); });
    // The charts follow every refresh of the view while the item is checked.
    connect(&form1, &TForm1::viewRefreshed, this, [this] {
        if (form1_.H4->isChecked()) ComputeHistogram();
    });
}

FilterCommands::~FilterCommands() = default;

void FilterCommands::ApplyFilterPreset(int n) {
    tavlo::loadFilterPreset(kernel_, n);
    if (form1_.runOperation([this](tavlo::Document& d) {
            return tavlo::runConvolution(d, kernel_);
        }) == OperationStatus::Done)
        form1_.document().modified = true;
}

void FilterCommands::N13Click() {
    if (form1_.runOperation(tavlo::runMedian) == OperationStatus::Done)
        form1_.document().modified = true;
}

void FilterCommands::C3Click() {
    const float factor = histogramFactor_;
    if (form1_.runOperation([factor](tavlo::Document& d) {
            return tavlo::runEqualisation(d, factor);
        }) == OperationStatus::Done)
        form1_.document().modified = true;
}

void FilterCommands::B1Click() {
    if (form1_.runOperation(tavlo::runMonochrome) == OperationStatus::Done)
        form1_.document().modified = true;
}

void FilterCommands::H4Click(bool checked) {
    if (checked)
        form1_.channel().execute(CommandEdit::HistogramShow, form1_.counters().shared);
    else
        Form12->hide();
}

void FilterCommands::H5Click() {
    Form16->show();
}

void FilterCommands::Edit7Change() {
    ComputeHistogram();
    Form12->show();
}

void FilterCommands::Edit8Change() {
    ComputeHistogram();
}

// ModifiedFlag is the dialog's to set, once this has run.
void FilterCommands::Edit12Change(std::int64_t value) {
    lastMatrixRunDone_ = false;
    if (value < 0) return;
    lastMatrixRunDone_ = form1_.runOperation([this](tavlo::Document& d) {
        return tavlo::runConvolution(d, kernel_);
    }) == OperationStatus::Done;
}

void FilterCommands::chartClicked(Qt::MouseButton button) {
    if (button == Qt::RightButton)
        histogramFactor_ *= 2;
    else
        histogramFactor_ /= 2;
    form1_.channel().execute(CommandEdit::HistogramRedraw, form1_.counters().shared);
}

bool FilterCommands::ComputeHistogram() {
    tavlo::Document& document = form1_.document();
    try {
        const tavlo::Histogram histogram = tavlo::workImageHistogram(document, histogramFactor_);
        Form12->showHistogram(histogram,
                              dialog_controls::fileNameOf(document.sourcePath));
        return true;
    } catch (const tavlo::EEmbossError& error) {
        form1_.dialogs().reportError(Form12.get(), QString::fromUtf8(error.what()));
        return false;
    }
}
