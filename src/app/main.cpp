// Tavlo: starts the application, creates the main window and then the secondary windows in their
// fixed order, and runs the event loop.
#include "app/dialog_service.h"
#include "app/filter_commands.h"
#include "app/geometry_commands.h"
#include "app/help_viewer.h"
#include "app/main_window.h"
#include "app/print_commands.h"
#include "app/tone_commands.h"
#include "app/version.h"
#include "document/ui/file_info.h"
#include "document/ui/jpg_comp.h"
#include "filters/ui/d_hist.h"
#include "filters/ui/matrix.h"
#include "geometry/ui/resize.h"
#include "geometry/ui/set_henkei.h"
#include "geometry/ui/set_kaiten.h"
#include "geometry/ui/set_size.h"
#include "geometry/ui/wpaper.h"
#include "printing/ui/disp_dpi.h"
#include "printing/ui/prt_fig.h"
#include "tone/ui/azayaka.h"
#include "tone/ui/contrast.h"
#include "tone/ui/ganma.h"
#include "tone/ui/mnt_color.h"
#include "tone/ui/position.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

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
    TForm1 Form1(dialogs, arguments.size() > 1 ? arguments.at(1) : QString());
    GeometryCommands geometry(Form1);
    TForm3 Form3;
    TForm5 Form5(Form1.document().jpegQuality, Form1.channel());
    TForm8 Form8;
    PrintCommands printing(Form1);
    FilterCommands filters(Form1);
    ToneCommands tone(Form1);
    Form1.attachWindows(&Form3, &Form5);
    QObject::connect(&Form1, &TForm1::imageLoaded, &geometry, &GeometryCommands::hideCutDialogs);
    assignHelpContexts({&Form1, geometry.Form2, &Form3, geometry.Form4, &Form5, geometry.Form6,
                        geometry.Form7, &Form8, printing.printWindow(),
                        printing.printerInfoWindow(), filters.histogramWindow(),
                        tone.Form13, tone.Form14, tone.Form15, filters.matrixDialog(),
                        tone.Form17, tone.Form11, geometry.Form18});

    HelpViewer help(findHelpFile(QApplication::applicationDirPath()), dialogs);
    QObject::connect(Form1.Help2, &QAction::triggered, &help, &HelpViewer::showContents);
    QObject::connect(Form1.About1, &QAction::triggered, &Form8, &QWidget::show);
    Form1.show();
    return application.exec();
}
