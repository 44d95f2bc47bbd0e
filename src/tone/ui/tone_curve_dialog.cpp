#include "tone/ui/tone_curve_dialog.h"

#include "document/text_format.h"
#include "tone/tone_curve_file.h"
#include "tone/ui/curve_graph.h"
#include "widgets/dialog_controls.h"
#include "widgets/window_placement.h"

#include <QPixmap>

namespace tavlo {

namespace {

constexpr QSize kGraphSize{206, 205};
constexpr QRect kGroup2{222, 8, 252, 214};
constexpr QRect kGroup1{8, 218, 206, 50};
constexpr QRect kGroup3{8, 284, 466, 80};
constexpr int kTopLevel = tavlo::kCurveLevel.maximum; // a level bar's position is 255 − level

QString shown(std::int32_t value) {
    return QString::fromStdString(
        tavlo::formatText("%d (%x)", {std::int64_t{value}, std::int64_t{value}}));
}

const QString kTvlFilter = QStringLiteral("TVLﾌｧｲﾙ(*.TVL)|*.tvl");

} // namespace

ToneCurveDialog::ToneCurveDialog(tavlo::ToneCurve& curve, CommandSender sender,
                                 DialogService& dialogs, QString programFolder, QWidget* parent)
    : QWidget(parent, kToolWindowWithClose), curve_(curve), sender_(std::move(sender)),
      dialogs_(dialogs), programFolder_(std::move(programFolder)),
      graph_(kGraphSize, QImage::Format_RGB32) {
    setObjectName(QStringLiteral("Form17"));
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(QRect(QPoint(8, 8), kGraphSize));
    graph_.fill(Qt::white);

    GroupBox2 = new QGroupBox(QStringLiteral("濃度"), this);
    GroupBox2->setGeometry(kGroup2);
    const char* barNames[] = {"ScrollBar5", "ScrollBar6", "ScrollBar7", "ScrollBar8"};
    const char* boxNames[] = {"Memo5", "Memo6", "Memo7", "Memo8"};
    const char* barHints[] = {"Ｐ１ﾚﾍﾞﾙ調整", "Ｐ２ﾚﾍﾞﾙ調整", "Ｐ３ﾚﾍﾞﾙ調整", "Ｐ４ﾚﾍﾞﾙ調整"};
    const char* boxHints[] = {"Ｐ１レベル", "Ｐ２レベル", "Ｐ３レベル", "Ｐ４ﾚﾍﾞﾙ"};
    for (int k = 0; k < 4; ++k) {
        const int left = 8 + 61 * k;
        levelBars_[k] = bar(GroupBox2, barNames[k], Qt::Vertical, 0, kTopLevel,
                            kTopLevel - tavlo::kIdentityCurveLevels[k], {left + 20, 20, 17, 158});
        levelBars_[k]->setToolTip(QString::fromUtf8(barHints[k]));
        levelBoxes_[k] = valueBox(GroupBox2, boxNames[k], {left, 184, 58, 22});
        levelBoxes_[k]->setToolTip(QString::fromUtf8(boxHints[k]));
    }
    std::tie(ScrollBar5, ScrollBar6, ScrollBar7, ScrollBar8) =
        std::tuple(levelBars_[0], levelBars_[1], levelBars_[2], levelBars_[3]);
    std::tie(Memo5, Memo6, Memo7, Memo8) =
        std::tuple(levelBoxes_[0], levelBoxes_[1], levelBoxes_[2], levelBoxes_[3]);

    GroupBox1 = new QGroupBox(QStringLiteral("設定"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(kGroup1);
    GroupBox1->setToolTip(QStringLiteral("調整色成分指定"));
    const QString channelCaptions[] = {QStringLiteral("ＲＧＢ"), QStringLiteral("　Ｒ"),
                                       QStringLiteral("　Ｇ"), QStringLiteral("　Ｂ")};
    for (int c = 0; c < 4; ++c) {
        channelButtons_[c] = new QRadioButton(channelCaptions[c], GroupBox1);
        channelButtons_[c]->setObjectName(QStringLiteral("RadioButton%1").arg(c + 1));
        channelButtons_[c]->setGeometry(6 + 50 * c, 20, 50, 22);
    }
    channelButtons_[0]->setChecked(true);
    std::tie(RadioButton1, RadioButton2, RadioButton3, RadioButton4) =
        std::tuple(channelButtons_[0], channelButtons_[1], channelButtons_[2], channelButtons_[3]);

    Button1 = button(this, "Button1", QStringLiteral("実　行"), {222, 228, 80, 24});
    Button2 = button(this, "Button2", QStringLiteral("戻　る"), {308, 228, 80, 24});
    Button3 = button(this, "Button3", QStringLiteral("ﾘｾｯﾄ"), {394, 228, 80, 24});
    Button4 = button(this, "Button4", QStringLiteral("定数保存"), {222, 256, 80, 24});
    Button5 = button(this, "Button5", QStringLiteral("定数読込　"), {308, 256, 80, 24});

    GroupBox3 = new QGroupBox(QStringLiteral("変異点指定"), this);
    GroupBox3->setGeometry(kGroup3);
    ScrollBar2 = bar(GroupBox3, "ScrollBar2", Qt::Horizontal, 1, 127,
                     tavlo::kCurvePoint2.defaultValue, {10, 22, 210, 17});
    ScrollBar2->setToolTip(QStringLiteral("Ｐ２ポイント調整"));
    Memo2 = valueBox(GroupBox3, "Memo2", {80, 46, 70, 22});
    Memo2->setToolTip(QStringLiteral("Ｐ２ポイント"));
    ScrollBar3 = bar(GroupBox3, "ScrollBar3", Qt::Horizontal, 128, 254,
                     tavlo::kCurvePoint3.defaultValue, {244, 22, 210, 17});
    ScrollBar3->setToolTip(QStringLiteral("Ｐ３ポイント調整"));
    Memo3 = valueBox(GroupBox3, "Memo3", {314, 46, 70, 22});
    Memo3->setToolTip(QStringLiteral("Ｐ３ポイント"));

    for (int k = 0; k < 4; ++k)
        connect(levelBars_[k], &QScrollBar::valueChanged, this, [this, k] { onLevelChanged(k); });
    connect(ScrollBar2, &QScrollBar::valueChanged, this,
            &ToneCurveDialog::onLowerBreakpointChanged);
    connect(ScrollBar3, &QScrollBar::valueChanged, this,
            &ToneCurveDialog::onUpperBreakpointChanged);
    for (int c = 0; c < 4; ++c)
        connect(channelButtons_[c], &QRadioButton::clicked, this,
                [this, c] { onChannelChosen(c); });
    connect(Button1, &QPushButton::clicked, this, [this] { sender_.execute(); });
    connect(Button2, &QPushButton::clicked, this, [this] {
        sender_.cancel();
        hide();
    });
    connect(Button3, &QPushButton::clicked, this, &ToneCurveDialog::onReset);
    connect(Button4, &QPushButton::clicked, this, &ToneCurveDialog::onSaveCurve);
    connect(Button5, &QPushButton::clicked, this, &ToneCurveDialog::onLoadCurve);

    placeTopRight(this, kGroup3, 24, 54, 10, 8);
    curve_.points[0] = 0;
    curve_.points[3] = 255;
    curve_.channel = 0;
    onLowerBreakpointChanged();
    onUpperBreakpointChanged();
    graphScale_ = curveGraphScale(kGraphSize.width());
    onReset();
}

void ToneCurveDialog::onLevelChanged(int point) {
    curve_.levels[point] = kTopLevel - levelBars_[point]->value();
    levelBoxes_[point]->setText(shown(curve_.levels[point]));
    redrawGraph();
}

void ToneCurveDialog::onLowerBreakpointChanged() {
    curve_.points[1] = ScrollBar2->value();
    Memo2->setText(shown(curve_.points[1]));
    ScrollBar3->setMinimum(curve_.points[1] + 1);
    redrawGraph();
}

void ToneCurveDialog::onUpperBreakpointChanged() {
    curve_.points[2] = ScrollBar3->value();
    Memo3->setText(shown(curve_.points[2]));
    ScrollBar2->setMaximum(curve_.points[2] - 1);
    redrawGraph();
}

void ToneCurveDialog::onChannelChosen(int channel) {
    if (channelButtons_[channel]->isChecked()) curve_.channel = channel;
    redrawGraph();
}

void ToneCurveDialog::onReset() {
    for (int k = 0; k < 4; ++k) {
        levelBars_[k]->setValue(kTopLevel - tavlo::kIdentityCurveLevels[k]);
        curve_.levels[k] = tavlo::kIdentityCurveLevels[k];
        levelBoxes_[k]->setText(shown(curve_.levels[k]));
    }
    // Open the limits first, so that neither bar stops the other from going back.
    ScrollBar2->setMaximum(tavlo::kCurvePoint2.maximum);
    ScrollBar3->setMinimum(tavlo::kCurvePoint3.minimum);
    ScrollBar2->setValue(tavlo::kCurvePoint2.defaultValue);
    ScrollBar3->setValue(tavlo::kCurvePoint3.defaultValue);
    onLowerBreakpointChanged();
    onUpperBreakpointChanged();
    curve_.channel = 0;
    RadioButton1->setChecked(true);
    redrawGraph();
}

void ToneCurveDialog::onSaveCurve() {
    const auto chosen = dialogs_.saveImage(
        this, QStringLiteral("ＲＧＢ濃度設定定数保存"), kTvlFilter, programFolder_, true,
        [](const QString& name) {
            return QString::fromStdString(tavlo::withToneCurveExtension(name.toStdString()));
        });
    if (!chosen) return;
    const std::string path = chosen->toStdString();
    std::string error;
    if (!tavlo::writeToneCurveFile(path, curve_, error))
        dialogs_.reportError(this, QStringLiteral("定数を保存できませんでした。\n") +
                                       QString::fromStdString(error));
}

// The file is checked whole before anything is stored, so a faulty one leaves the curve as it
// was. Only the seven values and the graph change; the bars and boxes keep what they showed.
void ToneCurveDialog::onLoadCurve() {
    const auto chosen = dialogs_.openImage(this, QStringLiteral("ＲＧＢ濃度設定定数読込"),
                                           kTvlFilter, programFolder_, QStringLiteral("tvl"));
    if (!chosen) return;
    std::string error;
    if (!tavlo::readToneCurveFile(chosen->toStdString(), curve_, error)) {
        dialogs_.reportError(this, QStringLiteral("定数を読み込めませんでした。\n") +
                                       QString::fromStdString(error));
        return;
    }
    redrawGraph();
}

void ToneCurveDialog::redrawGraph() {
    if (graphScale_ == 0) // still being built: the reset at the end draws
        return;
    drawCurve(graph_, graphScale_, curve_);
    Image1->setPixmap(QPixmap::fromImage(graph_));
}

} // namespace tavlo
