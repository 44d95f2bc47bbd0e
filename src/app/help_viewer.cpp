#include "app/help_viewer.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QUrl>

#include <QScrollBar>

namespace {

const char* const kContextProperty = "helpContext";

struct ContextEntry {
    const char* windowClass;
    const char* control; // nullptr for the window itself
    int context;
};

// Which topic the help key opens, for each window and for the few controls with one of their own.
constexpr ContextEntry kContexts[] = {
    {"MainWindow", nullptr, 1},          {"SizeDialog", nullptr, 2},
    {"RotationDialog", nullptr, 3},      {"DeformationDialog", nullptr, 4},
    {"TrimmingDialog", nullptr, 5},      {"PrintWindow", nullptr, 7},
    {"JpegQualityDialog", nullptr, 8},   {"PrinterInfoWindow", nullptr, 9},
    {"HistogramWindow", nullptr, 10},    {"ContrastDialog", nullptr, 15},
    {"GammaDialog", nullptr, 17},        {"VividnessDialog", nullptr, 19},
    {"ColourToneDialog", nullptr, 21},   {"FilterMatrixDialog", nullptr, 24},
    {"FileInfoWindow", "Memo1", 300},    {"VersionWindow", nullptr, 800},
    {"PrintWindow", "Memo14", 900},      {"PrinterInfoWindow", "Memo3", 1000},
    {"HistogramWindow", "Image4", 1200}, {"ToneCurveDialog", "GroupBox1", 1700},
};

} // namespace

int helpContextOf(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        const QVariant context = widget->property(kContextProperty);
        if (context.isValid())
            return context.toInt();
    }
    return 0;
}

QList<int> helpContextNumbers() {
    QList<int> numbers;
    for (const ContextEntry& entry : kContexts)
        numbers.append(entry.context);
    return numbers;
}

void setHelpContext(QWidget* widget, int context) { widget->setProperty(kContextProperty, context); }

void assignHelpContexts(const QList<QWidget*>& windows) {
    for (QWidget* window : windows)
        for (const ContextEntry& entry : kContexts) {
            if (qstrcmp(window->metaObject()->className(), entry.windowClass) != 0)
                continue;
            QWidget* target = entry.control
                                  ? window->findChild<QWidget*>(QString::fromLatin1(entry.control))
                                  : window;
            if (target)
                setHelpContext(target, entry.context);
        }
}

HelpViewer::HelpViewer(QString helpFile, DialogService& dialogs)
    : helpFile_(std::move(helpFile)), dialogs_(dialogs) {
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Tavlo ヘルプ"));
    resize(560, 640);
    qApp->installEventFilter(this);
}

bool HelpViewer::open(const QString& anchor) {
    if (!QFileInfo::exists(helpFile_)) {
        dialogs_.message(parentWidget(), QStringLiteral("ヘルプファイル %1 が見つかりません。").arg(helpFile_));
        return false;
    }
    QUrl url = QUrl::fromLocalFile(helpFile_);
    if (source() != url) {
        setSource(url, QTextDocument::HtmlResource);
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

void HelpViewer::showContents() { open(QString()); }

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
