#include "tone/ui/tone_curve_dialog.h"

#include "document/constants_file.h"
#include "document/text_format.h"
#include "tone/tone_curve_file.h"
#include "tone/ui/curve_graph.h"
#include "widgets/dialog_controls.h"
#include "widgets/window_placement.h"

#include <algorithm>

#include <QGroupBox>
#include <QPixmap>
#include <QPushButton>

namespace tavlo {

namespace {

constexpr QSize kGraphSize{206, 205};
constexpr QRect kGroup2{222, 8, 252, 214};
constexpr QRect kGroup1{8, 218, 206, 50};
constexpr QRect kGroup3{8, 284, 466, 80};
constexpr int kTopLevel = ToneCurve::kLevel.maximum; // a level bar's position is 255 − level

QString shown(std::int32_t value) {
    return QString::fromStdString(
        tavlo::formatText("%d (%x)", {std::int64_t{value}, std::int64_t{value}}));
}

const QString kTvlFilter = QStringLiteral("TVLﾌｧｲﾙ(*.TVL)|*.tvl");

} // namespace

ToneCurveDialog::ToneCurveDialog(DialogService& dialogs, QString programFolder, QWidget* parent)
    : QWidget(parent, kToolWindowWithClose), dialogs_(dialogs),
      programFolder_(std::move(programFolder)), graph_(kGraphSize, QImage::Format_RGB32) {
    setObjectName(QStringLiteral("Form17"));
    graphLabel_ = new QLabel(this);
    graphLabel_->setObjectName(QStringLiteral("Image1"));
    graphLabel_->setGeometry(QRect(QPoint(8, 8), kGraphSize));
    graph_.fill(Qt::white);

    auto* levelGroup = new QGroupBox(QStringLiteral("濃度"), this);
    levelGroup->setGeometry(kGroup2);
    const char* barNames[] = {"ScrollBar5", "ScrollBar6", "ScrollBar7", "ScrollBar8"};
    const char* boxNames[] = {"Memo5", "Memo6", "Memo7", "Memo8"};
    const char* barHints[] = {"Ｐ１ﾚﾍﾞﾙ調整", "Ｐ２ﾚﾍﾞﾙ調整", "Ｐ３ﾚﾍﾞﾙ調整", "Ｐ４ﾚﾍﾞﾙ調整"};
    const char* boxHints[] = {"Ｐ１レベル", "Ｐ２レベル", "Ｐ３レベル", "Ｐ４ﾚﾍﾞﾙ"};
    for (int k = 0; k < 4; ++k) {
        const int left = 8 + 61 * k;
        levelBars_[k] = bar(levelGroup, barNames[k], Qt::Vertical, 0, kTopLevel,
                            kTopLevel - ToneCurve::kIdentityLevels[k], {left + 20, 20, 17, 158});
        levelBars_[k]->setToolTip(QString::fromUtf8(barHints[k]));
        levelBoxes_[k] = valueBox(levelGroup, boxNames[k], {left, 184, 58, 22});
        levelBoxes_[k]->setToolTip(QString::fromUtf8(boxHints[k]));
    }

    auto* channelGroup = new QGroupBox(QStringLiteral("設定"), this);
    channelGroup->setObjectName(QStringLiteral("GroupBox1"));
    channelGroup->setGeometry(kGroup1);
    channelGroup->setToolTip(QStringLiteral("調整色成分指定"));
    const QString channelCaptions[] = {QStringLiteral("ＲＧＢ"), QStringLiteral("　Ｒ"),
                                       QStringLiteral("　Ｇ"), QStringLiteral("　Ｂ")};
    for (int c = 0; c < 4; ++c) {
        channelButtons_[c] = new QRadioButton(channelCaptions[c], channelGroup);
        channelButtons_[c]->setObjectName(QStringLiteral("RadioButton%1").arg(c + 1));
        channelButtons_[c]->setGeometry(6 + 50 * c, 20, 50, 22);
    }
    channelButtons_[0]->setChecked(true);

    QPushButton* runButton = button(this, "Button1", QStringLiteral("実　行"), {222, 228, 80, 24});
    QPushButton* backButton = button(this, "Button2", QStringLiteral("戻　る"), {308, 228, 80, 24});
    QPushButton* resetButton = button(this, "Button3", QStringLiteral("ﾘｾｯﾄ"), {394, 228, 80, 24});
    QPushButton* saveButton =
        button(this, "Button4", QStringLiteral("定数保存"), {222, 256, 80, 24});
    QPushButton* loadButton =
        button(this, "Button5", QStringLiteral("定数読込　"), {308, 256, 80, 24});

    auto* pointGroup = new QGroupBox(QStringLiteral("変異点指定"), this);
    pointGroup->setGeometry(kGroup3);
    // Each breakpoint bar's far end follows the other bar's position (onLowerPointChanged and
    // onUpperPointChanged), so P2 stays below P3.
    lowerPointBar_ =
        bar(pointGroup, "ScrollBar2", Qt::Horizontal, ToneCurve::kPoint2.minimum,
            ToneCurve::kPoint2.maximum, ToneCurve::kPoint2.defaultValue, {10, 22, 210, 17});
    lowerPointBar_->setToolTip(QStringLiteral("Ｐ２ポイント調整"));
    lowerPointBox_ = valueBox(pointGroup, "Memo2", {80, 46, 70, 22});
    lowerPointBox_->setToolTip(QStringLiteral("Ｐ２ポイント"));
    upperPointBar_ =
        bar(pointGroup, "ScrollBar3", Qt::Horizontal, ToneCurve::kPoint3.minimum,
            ToneCurve::kPoint3.maximum, ToneCurve::kPoint3.defaultValue, {244, 22, 210, 17});
    upperPointBar_->setToolTip(QStringLiteral("Ｐ３ポイント調整"));
    upperPointBox_ = valueBox(pointGroup, "Memo3", {314, 46, 70, 22});
    upperPointBox_->setToolTip(QStringLiteral("Ｐ３ポイント"));

    for (int k = 0; k < 4; ++k)
        connect(levelBars_[k], &QScrollBar::valueChanged, this, [this, k] { onLevelChanged(k); });
    connect(lowerPointBar_, &QScrollBar::valueChanged, this, &ToneCurveDialog::onLowerPointChanged);
    connect(upperPointBar_, &QScrollBar::valueChanged, this, &ToneCurveDialog::onUpperPointChanged);
    for (int c = 0; c < 4; ++c)
        connect(channelButtons_[c], &QRadioButton::clicked, this,
                [this, c] { onChannelChosen(c); });
    connect(runButton, &QPushButton::clicked, this, [this] { emit runRequested(curve_); });
    connect(backButton, &QPushButton::clicked, this, &QWidget::hide);
    connect(resetButton, &QPushButton::clicked, this, &ToneCurveDialog::onReset);
    connect(saveButton, &QPushButton::clicked, this, &ToneCurveDialog::onSaveCurve);
    connect(loadButton, &QPushButton::clicked, this, &ToneCurveDialog::onLoadCurve);

    placeTopRight(this, kGroup3, 24, 54, 10, 8);
    graphScale_ = curveGraphScale(kGraphSize.width());
    onReset();
}

void ToneCurveDialog::onLevelChanged(int point) {
    curve_.levels[point] = kTopLevel - levelBars_[point]->value();
    levelBoxes_[point]->setText(shown(curve_.levels[point]));
    redrawGraph();
}

void ToneCurveDialog::onLowerPointChanged() {
    curve_.points[1] = lowerPointBar_->value();
    lowerPointBox_->setText(shown(curve_.points[1]));
    upperPointBar_->setMinimum(curve_.points[1] + 1);
    redrawGraph();
}

void ToneCurveDialog::onUpperPointChanged() {
    curve_.points[2] = upperPointBar_->value();
    upperPointBox_->setText(shown(curve_.points[2]));
    lowerPointBar_->setMaximum(curve_.points[2] - 1);
    redrawGraph();
}

void ToneCurveDialog::onChannelChosen(int channel) {
    if (channelButtons_[channel]->isChecked()) curve_.channel = channel;
    redrawGraph();
}

void ToneCurveDialog::onReset() {
    showCurve(ToneCurve{});
}

void ToneCurveDialog::showCurve(const ToneCurve& curve) {
    for (int k = 0; k < 4; ++k) {
        levelBars_[k]->setValue(kTopLevel - curve.levels[k]);
        curve_.levels[k] = curve.levels[k];
        levelBoxes_[k]->setText(shown(curve_.levels[k]));
    }
    // Open the limits first, so that neither bar stops the other from going back.
    lowerPointBar_->setMaximum(ToneCurve::kPoint2.maximum);
    upperPointBar_->setMinimum(ToneCurve::kPoint3.minimum);
    lowerPointBar_->setValue(curve.points[1]);
    upperPointBar_->setValue(curve.points[2]);
    onLowerPointChanged();
    onUpperPointChanged();
    curve_.channel = curve.channel;
    channelButtons_[curve.channel]->setChecked(true);
    redrawGraph();
}

void ToneCurveDialog::onSaveCurve() {
    const auto chosen =
        dialogs_.saveImage(this, QStringLiteral("ＲＧＢ濃度設定定数保存"), kTvlFilter,
                           programFolder_, true, [](const QString& name) {
                               return QString::fromStdString(tavlo::withExtension(
                                   name.toStdString(), tavlo::kToneCurveExtension));
                           });
    if (!chosen) return;
    const std::string path = chosen->toStdString();
    std::string error;
    if (!tavlo::writeToneCurveFile(path, curve_, error))
        dialogs_.reportError(this, QStringLiteral("定数を保存できませんでした。\n") +
                                       QString::fromStdString(error));
}

namespace {

// A curve the bars and buttons can show: every value in its bar's range, P2 below P3.
bool fitsControls(const ToneCurve& curve) {
    const auto within = [](std::int32_t value, const ParameterRange& range) {
        return value >= range.minimum && value <= range.maximum;
    };
    return within(curve.channel, ToneCurve::kChannel) &&
           within(curve.points[1], ToneCurve::kPoint2) &&
           within(curve.points[2], ToneCurve::kPoint3) && curve.points[1] < curve.points[2] &&
           std::all_of(curve.levels.begin(), curve.levels.end(),
                       [&](std::int32_t level) { return within(level, ToneCurve::kLevel); });
}

} // namespace

// The file is checked whole before anything is shown, so a faulty one leaves the dialog as it
// was; a good one sets every bar, box and button, which 実行 and 定数保存 then use.
void ToneCurveDialog::onLoadCurve() {
    const auto chosen = dialogs_.openImage(this, QStringLiteral("ＲＧＢ濃度設定定数読込"),
                                           kTvlFilter, programFolder_, QStringLiteral("tvl"));
    if (!chosen) return;
    std::string error;
    ToneCurve loaded;
    if (!tavlo::readToneCurveFile(chosen->toStdString(), loaded, error)) {
        dialogs_.reportError(this, QStringLiteral("定数を読み込めませんでした。\n") +
                                       QString::fromStdString(error));
        return;
    }
    if (!fitsControls(loaded)) {
        dialogs_.message(this, QStringLiteral("定数を読み込めませんでした。\n%1\n"
                                              "設定できる範囲を超えた値があります。")
                                   .arg(*chosen));
        return;
    }
    showCurve(loaded);
}

void ToneCurveDialog::redrawGraph() {
    if (graphScale_ == 0) // still being built: the reset at the end draws
        return;
    drawCurve(graph_, graphScale_, curve_);
    graphLabel_->setPixmap(QPixmap::fromImage(graph_));
}

} // namespace tavlo
