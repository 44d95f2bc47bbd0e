#include "printing/ui/printer_info_window.h"

#include "printing/printer_info_texts.h"

namespace tavlo {

namespace {

constexpr int kLabelLeft = 8, kMemoLeft = 112, kMemoWidth = 150, kRowHeight = 26;

QLineEdit* memo(QWidget* parent, const char* name, QRect geometry) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(geometry);
    box->setReadOnly(true);
    return box;
}

} // namespace

PrinterInfoWindow::PrinterInfoWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("プリンター情報"));

    Memo10 = memo(this, "Memo10", {kLabelLeft, 8, kMemoLeft + kMemoWidth - kLabelLeft, 22});
    const std::pair<const char*, QLineEdit**> rows[] = {
        {"用紙横幅", &Memo1},      {"用紙縦長", &Memo2},       {"印刷領域幅", &Memo3},
        {"印刷領域長", &Memo4},    {"印刷領域(W/H)", &Memo13}, {"オフセット左", &Memo5},
        {"オフセット右", &Memo11}, {"オフセット上", &Memo6},   {"オフセット下", &Memo12},
        {"DPI　横", &Memo7},       {"DPI　縦", &Memo8},
    };
    const char* const memoNames[] = {"Memo1",  "Memo2", "Memo3",  "Memo4", "Memo13", "Memo5",
                                     "Memo11", "Memo6", "Memo12", "Memo7", "Memo8"};
    int top = 40;
    for (std::size_t i = 0; i < std::size(rows); ++i, top += kRowHeight) {
        auto* label = new QLabel(QString::fromUtf8(rows[i].first), this);
        label->setGeometry(kLabelLeft, top + 3, kMemoLeft - kLabelLeft - 4, 18);
        *rows[i].second = memo(this, memoNames[i], {kMemoLeft, top, kMemoWidth, 22});
    }
    // The scale is always 100 here; its field stays hidden.
    Label9 = new QLabel(QStringLiteral("ｽｹｰﾙﾌｧｸﾀｰ"), this);
    Label9->setObjectName(QStringLiteral("Label9"));
    Label9->setGeometry(kLabelLeft, top + 3, kMemoLeft - kLabelLeft - 4, 18);
    Label9->hide();
    Memo9 = memo(this, "Memo9", {kMemoLeft, top, kMemoWidth, 22});
    Memo9->hide();

    BitBtn1 = new QPushButton(QStringLiteral("確認"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(kMemoLeft + kMemoWidth - 90, top + 4, 90, 28);
    Label10 = new QLabel(QStringLiteral("単位：Pixel (mm)"), this);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setGeometry(kLabelLeft, top + 40, 160, 18);
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::hide);

    setFixedSize(Memo10->x() + Memo10->width() + 16, Label10->y() + Label10->height() + 50);
}

void PrinterInfoWindow::showPrinterInfo(const tavlo::PrinterFigures& figures) {
    using Field = tavlo::PrinterInfoTexts;
    const tavlo::PrinterInfoTexts texts = tavlo::printerInfoTexts(figures);
    const std::pair<QLineEdit*, Field::Field> fields[] = {
        {Memo10, Field::DeviceName},
        {Memo1, Field::PaperWidth},
        {Memo2, Field::PaperHeight},
        {Memo3, Field::PrintableWidth},
        {Memo4, Field::PrintableHeight},
        {Memo13, Field::PrintableRatio},
        {Memo5, Field::OffsetLeft},
        {Memo11, Field::OffsetRight},
        {Memo6, Field::OffsetTop},
        {Memo12, Field::OffsetBottom},
        {Memo7, Field::DpiX},
        {Memo8, Field::DpiY},
        {Memo9, Field::Scale},
    };
    for (const auto& [box, field] : fields) {
        box->setText(QString::fromStdString(texts.fields[field]));
        box->setCursorPosition(0);
    }
    show();
}

void PrinterInfoWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    raise();
}

} // namespace tavlo
