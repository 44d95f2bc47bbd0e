// Tavlo: starts the application, creates the main window and then the secondary windows in their
// fixed order, and runs the event loop.
#include "app/dialog_service.h"
#include "app/help_viewer.h"
#include "app/main_window.h"
#include "app/version.h"
#include "document/ui/file_info.h"
#include "document/ui/jpg_comp.h"

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
    TForm3 Form3;
    TForm5 Form5(Form1.document().jpegQuality, Form1.channel());
    TForm8 Form8;
    Form1.attachWindows(&Form3, &Form5);
    assignHelpContexts({&Form1, &Form3, &Form5, &Form8});

    HelpViewer help(QApplication::applicationDirPath() + QStringLiteral("/Tavlo.hlp"), dialogs);
    QObject::connect(Form1.Help2, &QAction::triggered, &help, &HelpViewer::showContents);
    QObject::connect(Form1.About1, &QAction::triggered, &Form8, &QWidget::show);
    Form1.show();
    return application.exec();
}
