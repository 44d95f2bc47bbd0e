// The whole program as main() assembles it: quitting through 終了 or the close box ends the
// event loop whatever secondary window is open.
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

using namespace tavlo;

using WindowOf = std::function<QWidget*(Program&)>;
Q_DECLARE_METATYPE(WindowOf)

class ProgramTest : public QObject {
    Q_OBJECT

  private slots:
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
                mainWindow.quitAction->trigger();
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

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
