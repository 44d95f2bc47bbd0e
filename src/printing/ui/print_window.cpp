#include "printing/ui/print_window.h"

#include "document/pixel_convert.h"
#include "printing/ui/print_failure.h"
#include "printing/ui/print_page.h"
#include "printing/ui/print_queue.h"
#include "printing/ui/printer_info_window.h"
#include "printing/ui/printer_query.h"
#include "widgets/clipboard.h"
#include "widgets/view_image.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QPrintDialog>
#include <QSignalBlocker>

#include <algorithm>
#include <stdexcept>

namespace tavlo {

using tavlo::LayoutBar;

namespace {

constexpr QRect kGroupBox2{8, 64, 210, 186};
constexpr QRect kGroupBox3{8, 262, 210, 160};
constexpr int kPanelTop = 64;
constexpr int kPreviewLongSide = 1200; // the preview picture is stretched by its label
constexpr int kWidgetLimit = 1 << 20;  // widget geometry beyond this would mean nothing

int widgetUnits(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, -kWidgetLimit, kWidgetLimit));
}

QLabel* label(QWidget* parent, const QString& text, QRect geometry, const char* name = nullptr) {
    auto* control = new QLabel(text, parent);
    if (name) control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    return control;
}

QLineEdit* memo(QWidget* parent, const char* name, const QString& hint, QRect geometry) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(geometry);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignRight);
    box->setToolTip(hint);
    return box;
}

QScrollBar* bar(QWidget* parent, const char* name, const QString& hint, QRect geometry) {
    auto* scrollBar = new QScrollBar(Qt::Horizontal, parent);
    scrollBar->setObjectName(QString::fromLatin1(name));
    scrollBar->setGeometry(geometry);
    scrollBar->setToolTip(hint);
    scrollBar->setSingleStep(1);
    scrollBar->setPageStep(10);
    return scrollBar;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* control = new QPushButton(caption, parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    return control;
}

void setColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// A picture small enough for the preview; the label stretches it to the print size.
QPixmap previewPicture(const tavlo::Bitmap& image) {
    if (image.empty()) return {};
    const int longer = std::max(image.width(), image.height());
    if (longer <= kPreviewLongSide) return QPixmap::fromImage(viewImage(image));
    const auto shrink = [longer](int size) {
        return std::max(1, static_cast<int>(std::int64_t{size} * kPreviewLongSide / longer));
    };
    return QPixmap::fromImage(
        viewImage(tavlo::stretched(image, shrink(image.width()), shrink(image.height()))));
}

QString askPdfFile(QWidget* parent, const QString& proposed) {
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("PDF ファイルに印刷"),
                                                proposed, QStringLiteral("PDF (*.pdf)"));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    return path;
}

} // namespace

PrintWindow::PrintWindow(DialogService& dialogs, ActionRunner run, PrinterInfoWindow& info,
                         QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowStaysOnTopHint), dialogs_(dialogs),
      run_(std::move(run)), info_(info),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("Form9"));
    printer_->setDocName(QStringLiteral("Tavlo"));
    choosePdfFile = [this](const QString& proposed) { return askPdfFile(this, proposed); };
    printerSetup = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        // The dialog only chooses; printing is "印刷実行" of this window.
        dialog.setWindowTitle(QStringLiteral("プリンタ設定"));
        if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
            if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
                ok->setText(QStringLiteral("設定"));
        dialog.exec();
    };
    buildControls();
    buildMenus();
    systemPrinter_ = choosePrinter(*printer_);

    readPrinter();
}

PrintWindow::~PrintWindow() = default;

void PrintWindow::buildControls() {
    auto* client = new QWidget(this);
    setCentralWidget(client);

    setupButton_ = button(client, "Button2", QStringLiteral("プリンタ設定"), {8, 8, 100, 28});
    printButton_ = button(client, "BitBtn1", QStringLiteral(" 印刷実行"), {116, 8, 100, 28});
    backButton_ = button(client, "Button1", QStringLiteral("中止・戻る"), {224, 8, 100, 28});
    label(client, QStringLiteral("単位：ｍｍ"), {8, 44, 100, 16}, "Label16");
    paperLabel_ = label(client, QString(), {kGroupBox2.right() + 21, 44, 400, 16}, "Label1");

    auto* sizeGroup = new QGroupBox(QStringLiteral("印刷する大きさ"), client);
    sizeGroup->setObjectName(QStringLiteral("GroupBox2"));
    sizeGroup->setGeometry(kGroupBox2);
    keepAspectBox_ = new QCheckBox(QStringLiteral("縦横比維持"), sizeGroup);
    keepAspectBox_->setObjectName(QStringLiteral("CheckBox1"));
    keepAspectBox_->setGeometry(10, 22, 100, 22);
    keepAspectBox_->setChecked(layout_.keepAspect);
    wholePageButton_ =
        button(sizeGroup, "Button3", QStringLiteral("ページ全体"), {118, 20, 82, 26});
    aspectText_ = memo(sizeGroup, "Memo14", QStringLiteral("横／縦"), {10, 52, 90, 22});
    label(sizeGroup, QStringLiteral("幅："), {10, 88, 30, 18});
    widthText_ = memo(sizeGroup, "Memo10", QStringLiteral("印刷イメージ横幅"), {40, 84, 80, 22});
    widthBar_ = bar(sizeGroup, "ScrollBar3", QStringLiteral("印刷イメージの横幅を調整"),
                    {10, 110, 190, 18});
    label(sizeGroup, QStringLiteral("高："), {10, 140, 30, 18});
    heightText_ = memo(sizeGroup, "Memo11", QStringLiteral("印刷イメージ縦長"), {40, 136, 80, 22});
    heightBar_ = bar(sizeGroup, "ScrollBar4", QStringLiteral("印刷イメージの高さを調整"),
                     {10, 162, 190, 18});

    auto* positionGroup = new QGroupBox(QStringLiteral("印刷位置設定"), client);
    positionGroup->setObjectName(QStringLiteral("GroupBox3"));
    positionGroup->setGeometry(kGroupBox3);
    centreBox_ = new QCheckBox(QStringLiteral("ページ中央"), positionGroup);
    centreBox_->setObjectName(QStringLiteral("CheckBox3"));
    centreBox_->setGeometry(10, 22, 100, 22);
    label(positionGroup, QStringLiteral("左："), {10, 54, 30, 18});
    leftText_ = memo(positionGroup, "Memo12", QStringLiteral("左余白"), {40, 50, 60, 22});
    label(positionGroup, QStringLiteral("右："), {108, 54, 30, 18});
    rightText_ = memo(positionGroup, "Memo1", QStringLiteral("右余白"), {138, 50, 62, 22});
    leftBar_ = bar(positionGroup, "ScrollBar1", QStringLiteral("左余白を調整"), {10, 78, 190, 18});
    label(positionGroup, QStringLiteral("上："), {10, 108, 30, 18});
    topText_ = memo(positionGroup, "Memo13", QStringLiteral("上余白"), {40, 104, 60, 22});
    label(positionGroup, QStringLiteral("下："), {108, 108, 30, 18});
    bottomText_ = memo(positionGroup, "Memo2", QStringLiteral("下余白"), {138, 104, 62, 22});
    topBar_ = bar(positionGroup, "ScrollBar2", QStringLiteral("上余白を調整"), {10, 132, 190, 18});

    pdfNote_ =
        label(client, QString(), {8, kGroupBox3.bottom() + 10, kGroupBox3.width(), 48}, "PdfNote");
    pdfNote_->setWordWrap(true);
    pdfNote_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    sheetPanel_ = new QFrame(client);
    sheetPanel_->setObjectName(QStringLiteral("Panel1"));
    sheetPanel_->setToolTip(QStringLiteral("用紙サイズ"));
    setColour(sheetPanel_, palette().color(QPalette::Button));
    printablePanel_ = new QFrame(sheetPanel_);
    printablePanel_->setObjectName(QStringLiteral("Panel2"));
    printablePanel_->setToolTip(QStringLiteral("印刷可能範囲"));
    setColour(printablePanel_, Qt::white);
    preview_ = new QLabel(printablePanel_);
    preview_->setObjectName(QStringLiteral("Image1"));
    preview_->setToolTip(QStringLiteral("印刷イメージ"));
    preview_->setScaledContents(true);

    const std::pair<QScrollBar*, LayoutBar> bars[] = {{widthBar_, LayoutBar::Width},
                                                      {heightBar_, LayoutBar::Height},
                                                      {leftBar_, LayoutBar::Left},
                                                      {topBar_, LayoutBar::Top}};
    for (const auto& [scrollBar, which] : bars)
        connect(scrollBar, &QScrollBar::valueChanged, this,
                [this, which = which](int position) { barMoved(which, position); });
    connect(keepAspectBox_, &QCheckBox::toggled, this,
            [this](bool checked) { layout_.keepAspect = checked; });
    connect(centreBox_, &QCheckBox::clicked, this, &PrintWindow::onCentreClicked);
    connect(wholePageButton_, &QPushButton::clicked, this, &PrintWindow::onWholePage);
    connect(printButton_, &QPushButton::clicked, this, &PrintWindow::onPrint);
    connect(setupButton_, &QPushButton::clicked, this, &PrintWindow::onPrinterSetup);
    connect(backButton_, &QPushButton::clicked, this, &QWidget::hide);
}

void PrintWindow::buildMenus() {
    editMenu_ = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    editMenu_->setObjectName(QStringLiteral("Edit1"));
    copyAction_ = editMenu_->addAction(QStringLiteral("コピー(&C)"));
    copyAction_->setObjectName(QStringLiteral("Copy2"));
    pasteAction_ = editMenu_->addAction(QStringLiteral("貼付け(&P)"));
    pasteAction_->setObjectName(QStringLiteral("P3"));
    pasteAction_->setEnabled(false);
    QMenu* printerMenu = menuBar()->addMenu(QStringLiteral("プリンター(&P)"));
    printerMenu->setObjectName(QStringLiteral("Printer1"));
    QAction* setupAction = printerMenu->addAction(QStringLiteral("設定(&S)"));
    setupAction->setObjectName(QStringLiteral("S1"));
    printerMenu->addSeparator();
    QAction* infoAction = printerMenu->addAction(QStringLiteral("情報表示(&D)"));
    infoAction->setObjectName(QStringLiteral("Show2"));

    connect(editMenu_, &QMenu::aboutToShow, this, &PrintWindow::onEditMenuShown);
    connect(copyAction_, &QAction::triggered, this, &PrintWindow::onCopy);
    connect(pasteAction_, &QAction::triggered, this, &PrintWindow::onPaste);
    connect(setupAction, &QAction::triggered, this, &PrintWindow::onPrinterSetup);
    connect(infoAction, &QAction::triggered, this, &PrintWindow::onPrinterInfo);
}

void PrintWindow::readPrinter() {
    try {
        layout_.setPrinter(queryPrinter(*printer_));
    } catch (const std::invalid_argument&) {
        // A queue that reports no sheet or resolution cannot be laid out; PDF output always can.
        dialogs_.message(
            this, QStringLiteral("プリンタの情報を取得できません。PDF ファイルに印刷します。"));
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setResolution(600);
        systemPrinter_ = false;
        layout_.setPrinter(queryPrinter(*printer_));
    }
    setWindowTitle(QStringLiteral("プリンター情報 - ") +
                   QString::fromStdString(layout_.printer().deviceName));
    const bool toPdf = printer_->outputFormat() == QPrinter::PdfFormat;
    pdfNote_->setText(
        systemPrinter_ ? QStringLiteral("印刷は、印刷実行のときに選ぶ PDF ファイルに出力します。")
                       : QStringLiteral("プリンタがありません。印刷は、印刷実行のときに選ぶ "
                                        "PDF ファイルに出力します。"));
    pdfNote_->setVisible(toPdf);
    showLayout();
}

void PrintWindow::receiveImage(tavlo::Bitmap image) {
    takeImage(std::move(image));
}

void PrintWindow::takeImage(tavlo::Bitmap image) {
    run_([&] {
        image_ = std::move(image);
        preview_->setPixmap(previewPicture(image_));
        setWindowTitle(QStringLiteral("(%1×%2) ").arg(image_.width()).arg(image_.height()));
        layout_.receiveImage(image_.width(), image_.height());
        showLayout();
    });
}

void PrintWindow::barMoved(LayoutBar bar, int position) {
    layout_.setBarPosition(bar, position);
    showLayout();
}

void PrintWindow::onCentreClicked() {
    layout_.centre = centreBox_->isChecked();
    layout_.centreImage();
    showLayout();
}

void PrintWindow::onWholePage() {
    layout_.wholePage();
    showLayout();
}

void PrintWindow::onPrint() {
    if (printer_->outputFormat() == QPrinter::PdfFormat) {
        // Asked at every print, proposing the last file, so that no print replaces a file the
        // user did not choose.
        const QString path = choosePdfFile ? choosePdfFile(printer_->outputFileName()) : QString();
        if (path.isEmpty()) return;
        printer_->setOutputFileName(path);
    }
    run_([this] { print(); });
}

void PrintWindow::print() {
    if (printer_->outputFormat() == QPrinter::PdfFormat) {
        printPage(*printer_, image_, layout_.dotRectangle());
        return;
    }
    // Qt hands the page to the scheduler and does not say whether it was taken, so the queue is
    // asked before and its jobs after.
    const QString queue = printer_->printerName();
    if (const QString refusal = queueRefusal(queue); !refusal.isEmpty())
        throw PrintFailure(refusal);
    const int before = newestJob();
    printPage(*printer_, image_, layout_.dotRectangle());
    if (const QString failure = jobFailure(queue, before); !failure.isEmpty())
        throw PrintFailure(failure);
}

void PrintWindow::onPrinterSetup() {
    const QString before = printer_->printerName();
    if (printerSetup) printerSetup(*printer_);
    // Another queue prints at its own resolution; the paper and margins are the dialog's.
    if (printer_->printerName() != before) useQueueResolutionAndArea(*printer_);
    readPrinter();
    onPrinterInfo();
}

void PrintWindow::onPrinterInfo() {
    info_.showPrinterInfo(layout_.printer());
}

void PrintWindow::onEditMenuShown() {
    pasteAction_->setEnabled(clipboardHasBitmap());
    copyAction_->setEnabled(layout_.imageWidth() != 0);
}

void PrintWindow::onCopy() {
    copyToClipboard(image_);
}

void PrintWindow::onPaste() {
    if (std::optional<tavlo::Bitmap> pasted = bitmapFromClipboard()) takeImage(std::move(*pasted));
}

QScrollBar* PrintWindow::barWidget(LayoutBar bar) const {
    switch (bar) {
    case LayoutBar::Width:
        return widthBar_;
    case LayoutBar::Height:
        return heightBar_;
    case LayoutBar::Left:
        return leftBar_;
    case LayoutBar::Top:
        return topBar_;
    }
    return nullptr;
}

void PrintWindow::showLayout() {
    using Field = tavlo::LayoutTexts;
    for (LayoutBar which : {LayoutBar::Width, LayoutBar::Height, LayoutBar::Left, LayoutBar::Top}) {
        QScrollBar* scrollBar = barWidget(which);
        const QSignalBlocker quiet(scrollBar);
        scrollBar->setRange(0, widgetUnits(layout_.bar(which).maximum));
        scrollBar->setValue(widgetUnits(layout_.bar(which).position));
    }
    const std::pair<QLineEdit*, Field::Field> memos[] = {
        {aspectText_, Field::Aspect}, {widthText_, Field::Width}, {heightText_, Field::Height},
        {leftText_, Field::Left},     {rightText_, Field::Right}, {topText_, Field::Top},
        {bottomText_, Field::Bottom}};
    for (const auto& [box, field] : memos)
        box->setText(QString::fromStdString(layout_.texts().fields[field]));
    paperLabel_->setText(QString::fromStdString(layout_.paperText()));

    const tavlo::PreviewRect sheet = layout_.sheet(), area = layout_.printableArea(),
                             image = layout_.image();
    sheetPanel_->setGeometry(kGroupBox2.left() + kGroupBox2.width() + 20, kPanelTop,
                             widgetUnits(sheet.width), widgetUnits(sheet.height));
    printablePanel_->setGeometry(widgetUnits(area.left), widgetUnits(area.top),
                                 widgetUnits(area.width), widgetUnits(area.height));
    preview_->setGeometry(widgetUnits(image.left), widgetUnits(image.top),
                          widgetUnits(std::max<std::int64_t>(image.width, 0)),
                          widgetUnits(std::max<std::int64_t>(image.height, 0)));
    switch (layout_.signal()) {
    case tavlo::OverflowSignal::None:
        break;
    case tavlo::OverflowSignal::Fits:
        setColour(sheetPanel_, Qt::yellow);
        break;
    case tavlo::OverflowSignal::Overflows:
        setColour(sheetPanel_, Qt::red);
        break;
    }

    const int width = sheetPanel_->x() + sheetPanel_->width() + 20;
    const int height = std::max(sheetPanel_->y() + sheetPanel_->height() + 70,
                                kGroupBox3.top() + kGroupBox3.height() + 70);
    centralWidget()->setFixedSize(width, height);
    setFixedSize(width, height + menuBar()->sizeHint().height());
}

void PrintWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    raise();
}

} // namespace tavlo
