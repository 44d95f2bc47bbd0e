#include "app/help_viewer.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QUrl>

#include <QScrollBar>
#include <QTextFrame>

namespace tavlo {

namespace {

const char* const kContextProperty = "helpContext";

struct ContextEntry {
    const char* windowClass;
    const char* control; // nullptr for the window itself
    int context;
};

// Which topic the help key opens, for each window and for the few controls with one of their own.
// The information, wallpaper and tone-curve windows are covered whole by one topic each; without
// a number of their own they would open the main window's, as their parent.
constexpr ContextEntry kContexts[] = {
    {"tavlo::MainWindow", nullptr, 1},           {"tavlo::SizeDialog", nullptr, 2},
    {"tavlo::RotationDialog", nullptr, 3},       {"tavlo::DeformationDialog", nullptr, 4},
    {"tavlo::TrimmingDialog", nullptr, 5},       {"tavlo::WallpaperDialog", nullptr, 5},
    {"tavlo::PrintWindow", nullptr, 7},          {"tavlo::JpegQualityDialog", nullptr, 8},
    {"tavlo::PrinterInfoWindow", nullptr, 9},    {"tavlo::HistogramWindow", nullptr, 10},
    {"tavlo::ContrastDialog", nullptr, 15},      {"tavlo::GammaDialog", nullptr, 17},
    {"tavlo::VividnessDialog", nullptr, 19},     {"tavlo::ColourToneDialog", nullptr, 21},
    {"tavlo::FilterMatrixDialog", nullptr, 24},  {"tavlo::FileInfoWindow", nullptr, 300},
    {"tavlo::VersionWindow", nullptr, 800},      {"tavlo::PrintWindow", "Memo14", 900},
    {"tavlo::PrinterInfoWindow", "Memo3", 1000}, {"tavlo::HistogramWindow", "Image4", 1200},
    {"tavlo::ToneCurveDialog", nullptr, 1700},
};

} // namespace

QString findHelpFile(const QString& programFolder) {
    const QDir folder(programFolder);
    const QString besideProgram = folder.filePath(QStringLiteral("Tavlo.hlp"));
    const QString installed =
        QDir::cleanPath(folder.filePath(QStringLiteral("../share/tavlo/Tavlo.hlp")));
    return QFileInfo::exists(besideProgram) || !QFileInfo::exists(installed) ? besideProgram
                                                                             : installed;
}

int helpContextOf(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        const QVariant context = widget->property(kContextProperty);
        if (context.isValid()) return context.toInt();
    }
    return 0;
}

QList<int> helpContextNumbers() {
    QList<int> numbers;
    for (const ContextEntry& entry : kContexts)
        numbers.append(entry.context);
    return numbers;
}

void setHelpContext(QWidget* widget, int context) {
    widget->setProperty(kContextProperty, context);
}

void assignHelpContexts(const QList<QWidget*>& windows) {
    for (QWidget* window : windows)
        for (const ContextEntry& entry : kContexts) {
            if (qstrcmp(window->metaObject()->className(), entry.windowClass) != 0) continue;
            QWidget* target = entry.control
                                  ? window->findChild<QWidget*>(QString::fromLatin1(entry.control))
                                  : window;
            if (target) setHelpContext(target, entry.context);
        }
}

HelpViewer::HelpViewer(QString helpFile, DialogService& dialogs, QWidget* parent)
    : QTextBrowser(parent), helpFile_(std::move(helpFile)), dialogs_(dialogs) {
    setWindowFlag(Qt::Window);
    // Opened from the print windows too, which stay on top: it must not open behind them.
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowTitle(QStringLiteral("Tavlo ヘルプ"));
    resize(560, 640);
    qApp->installEventFilter(this);
}

bool HelpViewer::open(const QString& anchor) {
    if (!QFileInfo::exists(helpFile_)) {
        dialogs_.message(parentWidget(),
                         QStringLiteral("ヘルプファイル %1 が見つかりません。").arg(helpFile_));
        return false;
    }
    QUrl url = QUrl::fromLocalFile(helpFile_);
    if (source() != url) {
        setSource(url, QTextDocument::HtmlResource);
        leaveRoomAfterTheLastTopic();
    }
    // Shown first: the anchor's position depends on the width the text is laid out at.
    show();
    raise();
    if (anchor.isEmpty())
        verticalScrollBar()->setValue(0);
    else
        scrollToAnchor(anchor);
    return true;
}

// A window's height of blank after the text, so that the last topics, too, can be scrolled to
// the top of the window.
void HelpViewer::leaveRoomAfterTheLastTopic() {
    QTextFrame* root = document()->rootFrame();
    QTextFrameFormat format = root->frameFormat();
    if (format.bottomMargin() == viewport()->height()) return;
    format.setBottomMargin(viewport()->height());
    root->setFrameFormat(format);
}

void HelpViewer::resizeEvent(QResizeEvent* event) {
    QTextBrowser::resizeEvent(event);
    leaveRoomAfterTheLastTopic();
}

void HelpViewer::showContents() {
    open(QString());
}

void HelpViewer::showTopic(int context) {
    open(context > 0 ? QStringLiteral("context-%1").arg(context) : QString());
}

bool HelpViewer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
        watched->isWidgetType()) {
        QWidget* focus = QApplication::focusWidget();
        showTopic(helpContextOf(focus ? focus : static_cast<QWidget*>(watched)));
        return true;
    }
    return QTextBrowser::eventFilter(watched, event);
}

} // namespace tavlo
