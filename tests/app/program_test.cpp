// The whole program as main() assembles it, under its own application object: quitting through
// 終了 or the close box ends the event loop whatever secondary window is open, and an exception
// escaping an event handler is reported without ending the program.
#include "app/menu_items.h"
#include "app/application.h"
#include "app/file_info_window.h"
#include "app/filter_commands.h"
#include "app/geometry_commands.h"
#include "app/help_viewer.h"
#include "app/jpeg_quality_dialog.h"
#include "app/main_window.h"
#include "app/print_commands.h"
#include "app/program.h"
#include "app/scripted_dialogs.h"
#include "app/tone_commands.h"
#include "app/version_window.h"
#include "filters/ui/filter_matrix_dialog.h"
#include "filters/ui/histogram_window.h"
#include "geometry/ui/rotation_dialog.h"
#include "geometry/ui/trimming_dialog.h"
#include "printing/ui/print_window.h"
#include "printing/ui/printer_info_window.h"
#include "tone/ui/tone_curve_dialog.h"

#include <QTest>
#include <QTimer>

#include <functional>
#include <new>

using namespace tavlo;

using WindowOf = std::function<QWidget*(Program&)>;
Q_DECLARE_METATYPE(WindowOf)

namespace {

// An object whose event handler fails as a kernel out of memory would.
struct FailingReceiver : QObject {
    bool event(QEvent*) override { throw std::bad_alloc(); }
};

} // namespace

class ProgramTest : public QObject {
    Q_OBJECT

  public:
    explicit ProgramTest(ScriptedDialogs& applicationDialogs)
        : applicationDialogs_(applicationDialogs) {}

  private:
    ScriptedDialogs& applicationDialogs_;

  private slots:
    void anExceptionInAnEventHandlerIsReportedAndTheProgramGoesOn() {
        FailingReceiver receiver;
        QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
        QTRY_COMPARE(applicationDialogs_.errors.size(), 1);
        QVERIFY(applicationDialogs_.errors.first().startsWith(QStringLiteral("メモリが不足")));
        bool delivered = false;
        QTimer::singleShot(0, [&delivered] { delivered = true; });
        QTRY_VERIFY(delivered);
    }

    void quittingEndsTheProgramWhateverIsOpen_data() {
        QTest::addColumn<WindowOf>("windowOf");
        QTest::addColumn<bool>("throughMenu");
        const std::pair<const char*, WindowOf> windows[] = {
            {"file information", [](Program& p) { return &p.fileInfoWindow(); }},
            {"JPEG quality", [](Program& p) { return &p.jpegQualityDialog(); }},
            {"version", [](Program& p) { return &p.versionWindow(); }},
            {"help", [](Program& p) { return &p.help(); }},
            {"histogram", [](Program& p) { return p.filters().histogramWindow(); }},
            {"filter matrix", [](Program& p) { return p.filters().matrixDialog(); }},
            {"print layout", [](Program& p) { return p.printing().printWindow(); }},
            {"printer information", [](Program& p) { return p.printing().printerInfoWindow(); }},
            {"rotation", [](Program& p) { return p.geometry().rotationDialog; }},
            {"trimming", [](Program& p) { return p.geometry().trimmingDialog; }},
            {"tone curve", [](Program& p) { return p.tone().toneCurveDialog; }},
        };
        for (const auto& [name, windowOf] : windows) {
            QTest::addRow("%s, 終了", name) << windowOf << true;
            QTest::addRow("%s, close box", name) << windowOf << false;
        }
    }
    void quittingEndsTheProgramWhateverIsOpen() {
        QFETCH(WindowOf, windowOf);
        QFETCH(bool, throughMenu);
        ScriptedDialogs dialogs;
        Program program(dialogs, QString(), QString());
        MainWindow& mainWindow = program.mainWindow();
        mainWindow.show();
        QWidget* secondary = windowOf(program);
        secondary->show();
        QVERIFY(secondary->isVisible());

        QTimer::singleShot(0, &mainWindow, [&] {
            if (throughMenu)
                mainWindow.menuAction(kQuitItem)->trigger();
            else
                mainWindow.close();
        });
        // Only a program that never ends reaches this; it must not hang the suite.
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        watchdog.start(60'000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(dialogs.confirmations.isEmpty());
    }
};

int main(int argc, char** argv) {
    ScriptedDialogs dialogs;
    Application application(argc, argv, dialogs);
    ProgramTest test(dialogs);
    return QTest::qExec(&test, argc, argv);
}
#include "program_test.moc"
