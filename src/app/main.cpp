// Tavlo: starts the application, creates the main window and then the secondary windows in their
// fixed order, and runs the event loop.
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
#include "widgets/dialog_service.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

using namespace tavlo;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    loadTavloResources();
    application.setApplicationName(QStringLiteral("Tavlo"));
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(12);
    application.setFont(font);
    application.setWindowIcon(QIcon(QStringLiteral(":/tavlo-32.png")));
    // Japanese button texts in the message boxes and file dialogs.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(&qtTexts);

    QtDialogService dialogs;
    const QStringList arguments = QApplication::arguments();
    MainWindow mainWindow(dialogs, arguments.size() > 1 ? arguments.at(1) : QString());
    GeometryCommands geometry(mainWindow);
    FileInfoWindow fileInfoWindow;
    JpegQualityDialog jpegQualityDialog(mainWindow.document().jpegQuality, mainWindow.channel());
    VersionWindow versionWindow;
    PrintCommands printing(mainWindow);
    FilterCommands filters(mainWindow);
    ToneCommands tone(mainWindow);
    mainWindow.attachWindows(&fileInfoWindow, &jpegQualityDialog);
    QObject::connect(&mainWindow, &MainWindow::imageLoaded, &geometry,
                     &GeometryCommands::hideCutDialogs);
    assignHelpContexts({&mainWindow, geometry.trimmingDialog, &fileInfoWindow, geometry.sizeDialog,
                        &jpegQualityDialog, geometry.rotationDialog, geometry.deformationDialog,
                        &versionWindow, printing.printWindow(), printing.printerInfoWindow(),
                        filters.histogramWindow(), tone.contrastDialog, tone.vividnessDialog,
                        tone.gammaDialog, filters.matrixDialog(), tone.toneCurveDialog,
                        tone.colourToneDialog, geometry.wallpaperDialog});

    HelpViewer help(findHelpFile(QApplication::applicationDirPath()), dialogs);
    QObject::connect(mainWindow.helpAction, &QAction::triggered, &help, &HelpViewer::showContents);
    QObject::connect(mainWindow.aboutAction, &QAction::triggered, &versionWindow, &QWidget::show);
    mainWindow.show();
    return application.exec();
}
