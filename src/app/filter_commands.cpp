#include "filter_commands.h"

#include "widgets/dialog_controls.h"
#include "app/main_window.h"
#include "filters/filter_steps.h"
#include "filters/ui/histogram_window.h"
#include "filters/ui/filter_matrix_dialog.h"


using tavlo::CommandEdit;
using tavlo::OperationStatus;

FilterCommands::FilterCommands(MainWindow& mainWindow) : QObject(&mainWindow), mainWindow_(mainWindow) {
    histogramWindow_ = std::make_unique<HistogramWindow>();
    FilterMatrixDialog::Actions matrixActions{
        [this] {
            mainWindow_.channel().execute(CommandEdit::Matrix, mainWindow_.counters().shared);
            if (lastMatrixRunDone_) mainWindow_.document().modified = true;
        },
        [this] { mainWindow_.channel().cancel(CommandEdit::Matrix, mainWindow_.counters().shared); }};
    filterMatrixDialog_ = std::make_unique<FilterMatrixDialog>(kernel_, mainWindow_.dialogs(),
                                       QString::fromStdString(mainWindow_.document().programFolder),
                                       std::move(matrixActions));

    const std::pair<QAction*, int> presets[] = {{mainWindow.N1A1, 1}, {mainWindow.N2B1, 2}, {mainWindow.I1, 3},
                                                {mainWindow.N1C1, 4}, {mainWindow.L3, 5},   {mainWindow.D4, 6},
                                                {mainWindow.E4, 7},   {mainWindow.F4, 8}};
    for (const auto& [item, n] : presets)
        connect(item, &QAction::triggered, this, [this, n = n] { ApplyFilterPreset(n); });
    connect(mainWindow.N13, &QAction::triggered, this, &FilterCommands::N13Click);
    connect(mainWindow.C3, &QAction::triggered, this, &FilterCommands::C3Click);
    connect(mainWindow.B1, &QAction::triggered, this, &FilterCommands::B1Click);
    connect(mainWindow.H4, &QAction::triggered, this, &FilterCommands::H4Click);
    connect(mainWindow.H5, &QAction::triggered, this, &FilterCommands::H5Click);

    mainWindow.channel().setHandler(CommandEdit::HistogramShow, [this](std::int64_t) { Edit7Change(); });
    mainWindow.channel().setHandler(CommandEdit::HistogramRedraw,
                               [this](std::int64_t) { Edit8Change(); });
    mainWindow.channel().setHandler(CommandEdit::Matrix,
                               [this](std::int64_t value) { Edit12Change(value); });

    connect(histogramWindow_.get(), &HistogramWindow::chartClicked, this, &FilterCommands::chartClicked);
    connect(histogramWindow_.get(), &HistogramWindow::closed, this, [this] { mainWindow_.H4->setChecked(false); });
    // The charts follow every refresh of the view while the item is checked.
    connect(&mainWindow, &MainWindow::viewRefreshed, this, [this] {
        if (mainWindow_.H4->isChecked()) ComputeHistogram();
    });
}

FilterCommands::~FilterCommands() = default;

void FilterCommands::ApplyFilterPreset(int n) {
    tavlo::loadFilterPreset(kernel_, n);
    if (mainWindow_.runOperation([this](tavlo::Document& d) {
            return tavlo::runConvolution(d, kernel_);
        }) == OperationStatus::Done)
        mainWindow_.document().modified = true;
}

void FilterCommands::N13Click() {
    if (mainWindow_.runOperation(tavlo::runMedian) == OperationStatus::Done)
        mainWindow_.document().modified = true;
}

void FilterCommands::C3Click() {
    const float factor = histogramFactor_;
    if (mainWindow_.runOperation([factor](tavlo::Document& d) {
            return tavlo::runEqualisation(d, factor);
        }) == OperationStatus::Done)
        mainWindow_.document().modified = true;
}

void FilterCommands::B1Click() {
    if (mainWindow_.runOperation(tavlo::runMonochrome) == OperationStatus::Done)
        mainWindow_.document().modified = true;
}

void FilterCommands::H4Click(bool checked) {
    if (checked)
        mainWindow_.channel().execute(CommandEdit::HistogramShow, mainWindow_.counters().shared);
    else
        histogramWindow_->hide();
}

void FilterCommands::H5Click() {
    filterMatrixDialog_->show();
}

void FilterCommands::Edit7Change() {
    ComputeHistogram();
    histogramWindow_->show();
}

void FilterCommands::Edit8Change() {
    ComputeHistogram();
}

// ModifiedFlag is the dialog's to set, once this has run.
void FilterCommands::Edit12Change(std::int64_t value) {
    lastMatrixRunDone_ = false;
    if (value < 0) return;
    lastMatrixRunDone_ = mainWindow_.runOperation([this](tavlo::Document& d) {
        return tavlo::runConvolution(d, kernel_);
    }) == OperationStatus::Done;
}

void FilterCommands::chartClicked(Qt::MouseButton button) {
    if (button == Qt::RightButton)
        histogramFactor_ *= 2;
    else
        histogramFactor_ /= 2;
    mainWindow_.channel().execute(CommandEdit::HistogramRedraw, mainWindow_.counters().shared);
}

bool FilterCommands::ComputeHistogram() {
    tavlo::Document& document = mainWindow_.document();
    try {
        const tavlo::Histogram histogram = tavlo::workImageHistogram(document, histogramFactor_);
        histogramWindow_->showHistogram(histogram,
                              dialog_controls::fileNameOf(document.sourcePath));
        return true;
    } catch (const tavlo::EEmbossError& error) {
        mainWindow_.dialogs().reportError(histogramWindow_.get(), QString::fromUtf8(error.what()));
        return false;
    }
}
