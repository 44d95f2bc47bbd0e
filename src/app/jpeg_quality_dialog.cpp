#include "app/jpeg_quality_dialog.h"

#include "document/parameter_range.h"

#include <QGroupBox>
#include <QLabel>
#include <QShowEvent>

namespace tavlo {

namespace {

constexpr QRect kGroup{13, 13, 193, 154};
constexpr int kResourcePosition = 70;

void addLabel(QWidget* group, const QString& text, int left, int top) {
    auto* label = new QLabel(text, group);
    label->move(left, top);
}

} // namespace

JpegQualityDialog::JpegQualityDialog(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("JPG画像圧縮度指定"));
    QPalette shade = palette();
    shade.setColor(QPalette::Window, shade.color(QPalette::Mid));
    setPalette(shade);
    setAutoFillBackground(true);

    auto* group = new QGroupBox(QStringLiteral("保存圧縮度指定"), this);
    group->setGeometry(kGroup);

    runButton = new QPushButton(QStringLiteral("実　行"), group);
    runButton->setObjectName(QStringLiteral("Button1"));
    runButton->setGeometry(24, 19, 65, 33);
    cancelButton = new QPushButton(QStringLiteral("キャンセル"), group);
    cancelButton->setObjectName(QStringLiteral("Button2"));
    cancelButton->setGeometry(112, 19, 65, 33);

    addLabel(group, QStringLiteral("ファイル小"), 13, 70);
    addLabel(group, QStringLiteral("ファイル大"), 128, 70);
    addLabel(group, QStringLiteral("←圧縮大"), 13, 90);
    addLabel(group, QStringLiteral("圧縮小→"), 128, 90);

    qualityBar = new QScrollBar(Qt::Horizontal, group);
    qualityBar->setObjectName(QStringLiteral("ScrollBar1"));
    qualityBar->setGeometry(13, 115, 167, 20);
    qualityBar->setRange(tavlo::kJpegQuality.minimum, tavlo::kJpegQuality.maximum);
    qualityBar->setSingleStep(1);
    qualityBar->setPageStep(10);
    qualityBar->setValue(kResourcePosition);

    // qualityBox mirrors the bar from the start, so it is right even when a show leaves the bar
    // put.
    qualityBox = new QLineEdit(QString::number(qualityBar->value()), group);
    qualityBox->setObjectName(QStringLiteral("Memo1"));
    qualityBox->setGeometry(70, 83, 46, 20);
    qualityBox->setReadOnly(true);
    qualityBox->setAlignment(Qt::AlignCenter);

    connect(qualityBar, &QScrollBar::valueChanged, this, &JpegQualityDialog::onQualityChanged);
    connect(runButton, &QPushButton::clicked, this, &JpegQualityDialog::onRun);
    connect(cancelButton, &QPushButton::clicked, this, &JpegQualityDialog::onCancel);

    setFixedSize(kGroup.left() + kGroup.width() + 24, kGroup.top() + kGroup.height() + 50);
    move(10, 140);
}

// The stay-on-top hint is set at creation, since changing a shown window's flags
// would hide it again.
void JpegQualityDialog::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) // the window system mapping it again: keep the bar where it is
        return;
    raise();
    pendingQuality_ = quality_;
    qualityBar->setValue(quality_);
}

void JpegQualityDialog::open(int quality) {
    quality_ = quality;
    show();
}

void JpegQualityDialog::onQualityChanged() {
    pendingQuality_ = qualityBar->value();
    qualityBox->setText(QString::number(pendingQuality_));
}

void JpegQualityDialog::onRun() {
    quality_ = pendingQuality_;
    emit qualityChosen(quality_);
    hide();
}

// The main window's status line refreshes either way, with the quality left as it was.
void JpegQualityDialog::onCancel() {
    emit cancelled();
    hide();
}

} // namespace tavlo
