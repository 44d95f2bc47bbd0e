#include "printing/ui/print_window.h"

#include "document/pixel_convert.h"
#include "printing/ui/print_page.h"
#include "printing/ui/printer_info_window.h"
#include "printing/ui/printer_query.h"
#include "widgets/busy_cursor.h"
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

PrintWindow::PrintWindow(DialogService& dialogs, std::function<tavlo::Bitmap()> workImage,
                         PrinterInfoWindow& info, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowStaysOnTopHint), dialogs_(dialogs),
      workImage_(std::move(workImage)), info_(info),
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

    Button2 = button(client, "Button2", QStringLiteral("プリンタ設定"), {8, 8, 100, 28});
    BitBtn1 = button(client, "BitBtn1", QStringLiteral(" 印刷実行"), {116, 8, 100, 28});
    Button1 = button(client, "Button1", QStringLiteral("中止・戻る"), {224, 8, 100, 28});
    Label16 = label(client, QStringLiteral("単位：ｍｍ"), {8, 44, 100, 16}, "Label16");
    Label1 = label(client, QString(), {kGroupBox2.right() + 21, 44, 400, 16}, "Label1");

    GroupBox2 = new QGroupBox(QStringLiteral("印刷する大きさ"), client);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(kGroupBox2);
    CheckBox1 = new QCheckBox(QStringLiteral("縦横比維持"), GroupBox2);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(10, 22, 100, 22);
    CheckBox1->setChecked(layout_.keepAspect);
    Button3 = button(GroupBox2, "Button3", QStringLiteral("ページ全体"), {118, 20, 82, 26});
    Memo14 = memo(GroupBox2, "Memo14", QStringLiteral("横／縦"), {10, 52, 90, 22});
    label(GroupBox2, QStringLiteral("幅："), {10, 88, 30, 18});
    Memo10 = memo(GroupBox2, "Memo10", QStringLiteral("印刷イメージ横幅"), {40, 84, 80, 22});
    ScrollBar3 = bar(GroupBox2, "ScrollBar3", QStringLiteral("印刷イメージの横幅を調整"),
                     {10, 110, 190, 18});
    label(GroupBox2, QStringLiteral("高："), {10, 140, 30, 18});
    Memo11 = memo(GroupBox2, "Memo11", QStringLiteral("印刷イメージ縦長"), {40, 136, 80, 22});
    ScrollBar4 = bar(GroupBox2, "ScrollBar4", QStringLiteral("印刷イメージの高さを調整"),
                     {10, 162, 190, 18});

    GroupBox3 = new QGroupBox(QStringLiteral("印刷位置設定"), client);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    GroupBox3->setGeometry(kGroupBox3);
    CheckBox3 = new QCheckBox(QStringLiteral("ページ中央"), GroupBox3);
    CheckBox3->setObjectName(QStringLiteral("CheckBox3"));
    CheckBox3->setGeometry(10, 22, 100, 22);
    label(GroupBox3, QStringLiteral("左："), {10, 54, 30, 18});
    Memo12 = memo(GroupBox3, "Memo12", QStringLiteral("左余白"), {40, 50, 60, 22});
    label(GroupBox3, QStringLiteral("右："), {108, 54, 30, 18});
    Memo1 = memo(GroupBox3, "Memo1", QStringLiteral("右余白"), {138, 50, 62, 22});
    ScrollBar1 = bar(GroupBox3, "ScrollBar1", QStringLiteral("左余白を調整"), {10, 78, 190, 18});
    label(GroupBox3, QStringLiteral("上："), {10, 108, 30, 18});
    Memo13 = memo(GroupBox3, "Memo13", QStringLiteral("上余白"), {40, 104, 60, 22});
    label(GroupBox3, QStringLiteral("下："), {108, 108, 30, 18});
    Memo2 = memo(GroupBox3, "Memo2", QStringLiteral("下余白"), {138, 104, 62, 22});
    ScrollBar2 = bar(GroupBox3, "ScrollBar2", QStringLiteral("上余白を調整"), {10, 132, 190, 18});

    PdfNote =
        label(client, QString(), {8, kGroupBox3.bottom() + 10, kGroupBox3.width(), 48}, "PdfNote");
    PdfNote->setWordWrap(true);
    PdfNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Panel1 = new QFrame(client);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setToolTip(QStringLiteral("用紙サイズ"));
    setColour(Panel1, palette().color(QPalette::Button));
    Panel2 = new QFrame(Panel1);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setToolTip(QStringLiteral("印刷可能範囲"));
    setColour(Panel2, Qt::white);
    Image1 = new QLabel(Panel2);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setToolTip(QStringLiteral("印刷イメージ"));
    Image1->setScaledContents(true);

    Edit2 = new QLineEdit(client);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    Edit2->hide();

    connect(Edit2, &QLineEdit::textChanged, this, &PrintWindow::onImageSent);
    const std::pair<QScrollBar*, LayoutBar> bars[] = {{ScrollBar3, LayoutBar::Width},
                                                      {ScrollBar4, LayoutBar::Height},
                                                      {ScrollBar1, LayoutBar::Left},
                                                      {ScrollBar2, LayoutBar::Top}};
    for (const auto& [scrollBar, which] : bars)
        connect(scrollBar, &QScrollBar::valueChanged, this,
                [this, which = which](int position) { barMoved(which, position); });
    connect(CheckBox1, &QCheckBox::toggled, this,
            [this](bool checked) { layout_.keepAspect = checked; });
    connect(CheckBox3, &QCheckBox::clicked, this, &PrintWindow::onCentreClicked);
    connect(Button3, &QPushButton::clicked, this, &PrintWindow::onWholePage);
    connect(BitBtn1, &QPushButton::clicked, this, &PrintWindow::onPrint);
    connect(Button2, &QPushButton::clicked, this, &PrintWindow::onPrinterSetup);
    connect(Button1, &QPushButton::clicked, this, &QWidget::hide);
}

void PrintWindow::buildMenus() {
    Edit1 = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Copy2 = Edit1->addAction(QStringLiteral("コピー(&C)"));
    Copy2->setObjectName(QStringLiteral("Copy2"));
    P3 = Edit1->addAction(QStringLiteral("貼付け(&P)"));
    P3->setObjectName(QStringLiteral("P3"));
    P3->setEnabled(false);
    Printer1 = menuBar()->addMenu(QStringLiteral("プリンター(&P)"));
    Printer1->setObjectName(QStringLiteral("Printer1"));
    S1 = Printer1->addAction(QStringLiteral("設定(&S)"));
    S1->setObjectName(QStringLiteral("S1"));
    Printer1->addSeparator();
    Show2 = Printer1->addAction(QStringLiteral("情報表示(&D)"));
    Show2->setObjectName(QStringLiteral("Show2"));

    connect(Edit1, &QMenu::aboutToShow, this, &PrintWindow::onEditMenuShown);
    connect(Copy2, &QAction::triggered, this, &PrintWindow::onCopy);
    connect(P3, &QAction::triggered, this, &PrintWindow::onPaste);
    connect(S1, &QAction::triggered, this, &PrintWindow::onPrinterSetup);
    connect(Show2, &QAction::triggered, this, &PrintWindow::onPrinterInfo);
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
    PdfNote->setText(systemPrinter_
                         ? QStringLiteral("印刷は、印刷実行のときに選ぶ PDF ファイルに出力します。")
                         : QStringLiteral("プリンタがありません。印刷は、印刷実行のときに選ぶ "
                                          "PDF ファイルに出力します。"));
    PdfNote->setVisible(toPdf);
    showLayout();
}

void PrintWindow::onImageSent() {
    takeImage(workImage_());
}

void PrintWindow::takeImage(tavlo::Bitmap image) {
    BusyCursor busy;
    image_ = std::move(image);
    Image1->setPixmap(previewPicture(image_));
    setWindowTitle(QStringLiteral("(%1×%2) ").arg(image_.width()).arg(image_.height()));
    layout_.receiveImage(image_.width(), image_.height());
    showLayout();
}

void PrintWindow::barMoved(LayoutBar bar, int position) {
    layout_.setBarPosition(bar, position);
    showLayout();
}

void PrintWindow::onCentreClicked() {
    layout_.centre = CheckBox3->isChecked();
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
    } else if (!printerReachable(*printer_)) {
        // Qt hands the job to CUPS after the page is drawn and does not say when it is refused.
        dialogs_.reportError(
            this, QStringLiteral("印刷できませんでした。プリンタ「%1」が見つかりません。")
                      .arg(printer_->printerName()));
        return;
    }
    QString error;
    bool printed;
    {
        BusyCursor busy;
        printed = PrintPage(*printer_, image_, layout_.dotRectangle(), error);
    }
    if (!printed) dialogs_.reportError(this, QStringLiteral("印刷できませんでした。") + error);
}

void PrintWindow::onPrinterSetup() {
    if (printerSetup) printerSetup(*printer_);
    readPrinter();
    onPrinterInfo();
}

void PrintWindow::onPrinterInfo() {
    info_.showPrinterInfo(layout_.printer());
}

void PrintWindow::onEditMenuShown() {
    P3->setEnabled(clipboardHasBitmap());
    Copy2->setEnabled(layout_.imageWidth() != 0);
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
        return ScrollBar3;
    case LayoutBar::Height:
        return ScrollBar4;
    case LayoutBar::Left:
        return ScrollBar1;
    case LayoutBar::Top:
        return ScrollBar2;
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
        {Memo14, Field::Aspect}, {Memo10, Field::Width}, {Memo11, Field::Height},
        {Memo12, Field::Left},   {Memo1, Field::Right},  {Memo13, Field::Top},
        {Memo2, Field::Bottom}};
    for (const auto& [box, field] : memos)
        box->setText(QString::fromStdString(layout_.texts().fields[field]));
    Label1->setText(QString::fromStdString(layout_.paperText()));

    const tavlo::PreviewRect sheet = layout_.sheet(), area = layout_.printableArea(),
                             image = layout_.image();
    Panel1->setGeometry(kGroupBox2.left() + kGroupBox2.width() + 20, kPanelTop,
                        widgetUnits(sheet.width), widgetUnits(sheet.height));
    Panel2->setGeometry(widgetUnits(area.left), widgetUnits(area.top), widgetUnits(area.width),
                        widgetUnits(area.height));
    Image1->setGeometry(widgetUnits(image.left), widgetUnits(image.top),
                        widgetUnits(std::max<std::int64_t>(image.width, 0)),
                        widgetUnits(std::max<std::int64_t>(image.height, 0)));
    switch (layout_.signal()) {
    case tavlo::OverflowSignal::None:
        break;
    case tavlo::OverflowSignal::Fits:
        setColour(Panel1, Qt::yellow);
        break;
    case tavlo::OverflowSignal::Overflows:
        setColour(Panel1, Qt::red);
        break;
    }

    const int width = Panel1->x() + Panel1->width() + 20;
    const int height =
        std::max(Panel1->y() + Panel1->height() + 70, kGroupBox3.top() + kGroupBox3.height() + 70);
    centralWidget()->setFixedSize(width, height);
    setFixedSize(width, height + menuBar()->sizeHint().height());
}

void PrintWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    raise();
}

} // namespace tavlo
