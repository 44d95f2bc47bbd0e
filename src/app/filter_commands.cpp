#include "filter_commands.h"

#include "app/main_window.h"
#include "filters/filter_steps.h"
#include "filters/ui/filter_matrix_dialog.h"
#include "filters/ui/histogram_window.h"
#include "widgets/dialog_controls.h"

#include <new>

namespace tavlo {

using tavlo::CommandEdit;
using tavlo::OperationStatus;

FilterCommands::FilterCommands(MainWindow& mainWindow)
    : QObject(&mainWindow), mainWindow_(mainWindow) {
    histogramWindow_ = new HistogramWindow(&mainWindow);
    FilterMatrixDialog::Actions matrixActions{
        [this] {
            mainWindow_.channel().execute(CommandEdit::Matrix, mainWindow_.counters().shared);
        },
        [this] {
            mainWindow_.channel().cancel(CommandEdit::Matrix, mainWindow_.counters().shared);
        }};
    filterMatrixDialog_ =
        new FilterMatrixDialog(kernel_, mainWindow_.dialogs(),
                               QString::fromStdString(mainWindow_.document().programFolder),
                               std::move(matrixActions), &mainWindow);

    const std::pair<QAction*, int> presets[] = {
        {mainWindow.smoothWeakAction, 1},    {mainWindow.smoothMediumAction, 2},
        {mainWindow.smoothStrongAction, 3},  {mainWindow.sharpenWeakAction, 4},
        {mainWindow.sharpenMediumAction, 5}, {mainWindow.sharpenStrongAction, 6},
        {mainWindow.emboss1Action, 7},       {mainWindow.emboss2Action, 8}};
    for (const auto& [item, n] : presets)
        connect(item, &QAction::triggered, this, [this, n = n] { applyFilterPreset(n); });
    connect(mainWindow.medianAction, &QAction::triggered, this, &FilterCommands::onMedian);
    connect(mainWindow.equaliseAction, &QAction::triggered, this, &FilterCommands::onEqualise);
    connect(mainWindow.monochromeAction, &QAction::triggered, this, &FilterCommands::onMonochrome);
    connect(mainWindow.histogramAction, &QAction::triggered, this, &FilterCommands::onHistogram);
    connect(mainWindow.customFilterAction, &QAction::triggered, this,
            &FilterCommands::onCustomFilter);

    mainWindow.channel().setHandler(CommandEdit::HistogramShow,
                                    [this](std::int64_t) { onHistogramShowCommand(); });
    mainWindow.channel().setHandler(CommandEdit::HistogramRedraw,
                                    [this](std::int64_t) { onHistogramRedrawCommand(); });
    mainWindow.channel().setHandler(CommandEdit::Matrix,
                                    [this](std::int64_t value) { onMatrixCommand(value); });

    connect(histogramWindow_, &HistogramWindow::chartClicked, this, &FilterCommands::chartClicked);
    connect(histogramWindow_, &HistogramWindow::closed, this,
            [this] { mainWindow_.histogramAction->setChecked(false); });
    // The charts follow every refresh of the view while the item is checked.
    connect(&mainWindow, &MainWindow::viewRefreshed, this, [this] {
        if (mainWindow_.histogramAction->isChecked()) computeHistogram();
    });
}

void FilterCommands::applyFilterPreset(int n) {
    tavlo::loadFilterPreset(kernel_, n);
    mainWindow_.runOperation(
        [this](tavlo::Document& d) { return tavlo::runConvolution(d, kernel_); });
}

void FilterCommands::onMedian() {
    mainWindow_.runOperation(tavlo::runMedian);
}

void FilterCommands::onEqualise() {
    const float factor = histogramFactor_;
    mainWindow_.runOperation(
        [factor](tavlo::Document& d) { return tavlo::runEqualisation(d, factor); });
}

void FilterCommands::onMonochrome() {
    mainWindow_.runOperation(tavlo::runMonochrome);
}

void FilterCommands::onHistogram(bool checked) {
    if (checked)
        mainWindow_.channel().execute(CommandEdit::HistogramShow, mainWindow_.counters().shared);
    else
        histogramWindow_->hide();
}

void FilterCommands::onCustomFilter() {
    filterMatrixDialog_->show();
}

// Counting first turns the working image into 24 bits: a step that may fail like any other.
void FilterCommands::onHistogramShowCommand() {
    mainWindow_.runAction([this] {
        computeHistogram();
        histogramWindow_->show();
    });
}

void FilterCommands::onHistogramRedrawCommand() {
    mainWindow_.runAction([this] { computeHistogram(); });
}

void FilterCommands::onMatrixCommand(std::int64_t value) {
    if (value < 0) return;
    mainWindow_.runOperation(
        [this](tavlo::Document& d) { return tavlo::runConvolution(d, kernel_); });
}

void FilterCommands::chartClicked(Qt::MouseButton button) {
    histogramFactor_ = tavlo::clickedHistogramFactor(histogramFactor_, button != Qt::RightButton);
    mainWindow_.channel().execute(CommandEdit::HistogramRedraw, mainWindow_.counters().shared);
}

bool FilterCommands::computeHistogram() {
    tavlo::Document& document = mainWindow_.document();
    try {
        const tavlo::Histogram histogram = tavlo::workImageHistogram(document, histogramFactor_);
        histogramWindow_->showHistogram(histogram, fileNameOf(document.sourcePath));
        return true;
    } catch (const tavlo::EEmbossError& error) {
        mainWindow_.dialogs().reportError(histogramWindow_, QString::fromUtf8(error.what()));
        return false;
    } catch (const std::bad_alloc&) { // converting an 8- or 32-bit image to 24 bits
        mainWindow_.dialogs().reportError(
            histogramWindow_,
            QStringLiteral("メモリが足りないため、ヒストグラムを表示できません。"));
        return false;
    }
}

} // namespace tavlo
