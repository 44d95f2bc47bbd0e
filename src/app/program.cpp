#include "app/program.h"
#include "app/menu_items.h"

#include "app/file_info_window.h"
#include "app/filter_commands.h"
#include "app/geometry_commands.h"
#include "app/help_viewer.h"
#include "app/jpeg_quality_dialog.h"
#include "app/main_window.h"
#include "app/print_commands.h"
#include "app/tone_commands.h"
#include "app/version_window.h"
#include "filters/ui/filter_matrix_dialog.h"
#include "filters/ui/histogram_window.h"
#include "geometry/ui/deformation_dialog.h"
#include "geometry/ui/rotation_dialog.h"
#include "geometry/ui/size_dialog.h"
#include "geometry/ui/trimming_dialog.h"
#include "geometry/ui/wallpaper_dialog.h"
#include "printing/ui/print_window.h"
#include "printing/ui/printer_info_window.h"
#include "tone/ui/colour_tone_dialog.h"
#include "tone/ui/contrast_dialog.h"
#include "tone/ui/gamma_dialog.h"
#include "tone/ui/tone_curve_dialog.h"
#include "tone/ui/vividness_dialog.h"

namespace tavlo {

Program::Program(DialogService& dialogs, const QString& startupFile, const QString& helpFile)
    : mainWindow_(new MainWindow(dialogs, startupFile)) {
    MainWindow& window = *mainWindow_;
    geometry_ = new GeometryCommands(window);
    fileInfoWindow_ = new FileInfoWindow(&window);
    jpegQualityDialog_ = new JpegQualityDialog(&window);
    versionWindow_ = new VersionWindow(&window);
    printing_ = new PrintCommands(window);
    filters_ = new FilterCommands(window);
    tone_ = new ToneCommands(window);
    window.attachWindows(fileInfoWindow_, jpegQualityDialog_);
    QObject::connect(&window, &MainWindow::imageLoaded, geometry_,
                     &GeometryCommands::hideCutDialogs);
    assignHelpContexts({&window, geometry_->trimmingDialog, fileInfoWindow_, geometry_->sizeDialog,
                        jpegQualityDialog_, geometry_->rotationDialog, geometry_->deformationDialog,
                        versionWindow_, printing_->printWindow(), printing_->printerInfoWindow(),
                        filters_->histogramWindow(), tone_->contrastDialog, tone_->vividnessDialog,
                        tone_->gammaDialog, filters_->matrixDialog(), tone_->toneCurveDialog,
                        tone_->colourToneDialog, geometry_->wallpaperDialog});

    help_ = new HelpViewer(helpFile, dialogs, &window);
    QObject::connect(window.menuAction(kHelpItem), &QAction::triggered, help_,
                     &HelpViewer::showContents);
    // A second choice of the item brings the open window to the front.
    QObject::connect(window.menuAction(kAboutItem), &QAction::triggered, versionWindow_, [this] {
        versionWindow_->show();
        versionWindow_->raise();
        versionWindow_->activateWindow();
    });
}

Program::~Program() {
    delete mainWindow_;
}

} // namespace tavlo
