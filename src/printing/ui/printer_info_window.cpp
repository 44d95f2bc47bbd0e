#include "printing/ui/printer_info_window.h"

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

    using Field = tavlo::PrinterInfoTexts;
    QLineEdit* name =
        memo(this, "Memo10", {kLabelLeft, 8, kMemoLeft + kMemoWidth - kLabelLeft, 22});
    fields_[Field::DeviceName] = name;
    struct Row {
        const char* caption;
        const char* objectName;
        Field::Field field;
    };
    static constexpr Row kRows[] = {
        {"用紙横幅", "Memo1", Field::PaperWidth},
        {"用紙縦長", "Memo2", Field::PaperHeight},
        {"印刷領域幅", "Memo3", Field::PrintableWidth},
        {"印刷領域長", "Memo4", Field::PrintableHeight},
        {"印刷領域(W/H)", "Memo13", Field::PrintableRatio},
        {"オフセット左", "Memo5", Field::OffsetLeft},
        {"オフセット右", "Memo11", Field::OffsetRight},
        {"オフセット上", "Memo6", Field::OffsetTop},
        {"オフセット下", "Memo12", Field::OffsetBottom},
        {"DPI　横", "Memo7", Field::DpiX},
        {"DPI　縦", "Memo8", Field::DpiY},
        {"ｽｹｰﾙﾌｧｸﾀｰ", "Memo9", Field::Scale},
    };
    int top = 40;
    for (const Row& row : kRows) {
        auto* label = new QLabel(QString::fromUtf8(row.caption), this);
        label->setGeometry(kLabelLeft, top + 3, kMemoLeft - kLabelLeft - 4, 18);
        fields_[row.field] = memo(this, row.objectName, {kMemoLeft, top, kMemoWidth, 22});
        // The scale is always 100 here; its field stays hidden, in the last row's place.
        if (row.field == Field::Scale) {
            label->hide();
            fields_[row.field]->hide();
        } else {
            top += kRowHeight;
        }
    }

    auto* okButton = new QPushButton(QStringLiteral("確認"), this);
    okButton->setObjectName(QStringLiteral("BitBtn1"));
    okButton->setGeometry(kMemoLeft + kMemoWidth - 90, top + 4, 90, 28);
    auto* unitNote = new QLabel(QStringLiteral("単位：Pixel (mm)"), this);
    unitNote->setObjectName(QStringLiteral("Label10"));
    unitNote->setGeometry(kLabelLeft, top + 40, 160, 18);
    connect(okButton, &QPushButton::clicked, this, &QWidget::hide);

    setFixedSize(name->x() + name->width() + 16, unitNote->y() + unitNote->height() + 50);
}

void PrinterInfoWindow::showPrinterInfo(const tavlo::PrinterFigures& figures) {
    const tavlo::PrinterInfoTexts texts = tavlo::printerInfoTexts(figures);
    for (int field = 0; field < tavlo::PrinterInfoTexts::FieldCount; ++field) {
        fields_[field]->setText(QString::fromStdString(texts.fields[field]));
        fields_[field]->setCursorPosition(0);
    }
    show();
}

void PrinterInfoWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    raise();
}

} // namespace tavlo
