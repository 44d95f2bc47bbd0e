// Tavlo: starts the application, creates the main window and then the secondary windows in their
// fixed order, and runs the event loop.
#include "app/application.h"
#include "app/help_viewer.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/version_window.h"
#include "document/large_buffer.h"
#include "widgets/dialog_service.h"

#include <QFont>
#include <QIcon>

using namespace tavlo;

int main(int argc, char** argv) {
    giveLargeBlocksBackWhenFreed();
    QtDialogService dialogs;
    Application application(argc, argv, dialogs);
    loadTavloResources();
    application.setApplicationName(QStringLiteral("Tavlo"));
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(12);
    application.setFont(font);
    application.setWindowIcon(QIcon(QStringLiteral(":/tavlo-32.png")));

    const QStringList arguments = QApplication::arguments();
    Program program(dialogs, arguments.size() > 1 ? arguments.at(1) : QString(),
                    findHelpFile(QApplication::applicationDirPath()));
    program.mainWindow().show();
    return application.exec();
}
