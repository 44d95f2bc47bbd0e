#include "app/filter_commands.h"
#include "app/menu_items.h"

#include "app/main_window.h"
#include "filters/filter_entries.h"
#include "filters/ui/filter_matrix_dialog.h"
#include "filters/ui/histogram_window.h"
#include "widgets/dialog_controls.h"

namespace tavlo {

FilterCommands::FilterCommands(MainWindow& mainWindow)
    : QObject(&mainWindow), mainWindow_(mainWindow) {
    histogramWindow_ = new HistogramWindow(&mainWindow);
    filterMatrixDialog_ = new FilterMatrixDialog(
        mainWindow.dialogs(), QString::fromStdString(mainWindow.document().programFolder),
        &mainWindow);

    const auto onItem = [&](const MenuItemText& item, auto run) {
        connect(mainWindow.menuAction(item), &QAction::triggered, this, run);
    };
    // A preset becomes the dialog's kernel as it runs, so that "定数保存" saves what it shows.
    for (const MenuOffer<FilterPreset>& offer : kFilterMenuItems)
        onItem(offer.item, [this, &offer] {
            filterMatrixDialog_->showKernel(offer.preset.kernel());
            mainWindow_.runEntry(kFilterEntry, offer.preset);
        });
    onItem(kMedianMenuItems[0].item,
           [this] { mainWindow_.runEntry(kMedianEntry, kMedianMenuItems[0].preset); });
    onItem(kGreyMenuItems[0].item,
           [this] { mainWindow_.runEntry(kGreyEntry, kGreyMenuItems[0].preset); });
    onItem(kEqualiseMenuItems[0].item,
           [this] { mainWindow_.runEntry(kEqualiseEntry, histogramWindow_->scale()); });
    onItem(kKernelMenuItems[0].item, [this] { filterMatrixDialog_->show(); });
    connect(filterMatrixDialog_, &FilterMatrixDialog::runRequested, this,
            [this](const FilterKernel& kernel) { mainWindow_.runEntry(kKernelEntry, kernel); });

    connect(mainWindow.menuAction(kHistogramItem), &QAction::triggered, this,
            &FilterCommands::onHistogram);
    connect(histogramWindow_, &HistogramWindow::redrawRequested, this,
            [this] { mainWindow_.runAction([this] { drawHistogram(); }); });
    connect(histogramWindow_, &HistogramWindow::closed, this,
            [this] { mainWindow_.menuAction(kHistogramItem)->setChecked(false); });
    // The charts follow every refresh of the view while the item is checked; every refresh runs
    // inside the runner.
    connect(&mainWindow, &MainWindow::viewRefreshed, this, [this] {
        if (mainWindow_.menuAction(kHistogramItem)->isChecked()) drawHistogram();
    });
}

void FilterCommands::onHistogram(bool checked) {
    if (!checked) {
        histogramWindow_->hide();
        return;
    }
    mainWindow_.runAction([this] {
        drawHistogram();
        histogramWindow_->show();
    });
}

void FilterCommands::drawHistogram() {
    Document& document = mainWindow_.document();
    histogramWindow_->showHistogram(workImageHistogram(document, histogramWindow_->scale()),
                                    fileNameOf(document.sourcePath));
}

} // namespace tavlo
