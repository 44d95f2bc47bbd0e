#include "tone/ui/gamma_dialog.h"

#include "document/text_format.h"
#include "tone/gamma.h"
#include "tone/tone_parameters.h"
#include "widgets/dialog_controls.h"
#include "widgets/window_placement.h"

namespace tavlo {

namespace {

constexpr int kMiddle = 50; // bar position of γ = 1
constexpr QRect kGroup{8, 8, 240, 110};

QLabel* boldLabel(QWidget* parent, const char* name, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->move(at);
    return label;
}

} // namespace

GammaDialog::GammaDialog(std::int32_t& amount, CommandSender sender, QWidget* parent)
    : QWidget(parent, kToolWindow | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint),
      amount_(amount), sender_(std::move(sender)) {
    setObjectName(QStringLiteral("Form15"));
    GroupBox1 = new QGroupBox(QStringLiteral("γ補正値設定"), this);
    GroupBox1->setGeometry(kGroup);
    Button2 = button(GroupBox1, "Button2", QStringLiteral("実行"), {20, 20, 80, 28});
    Button1 = button(GroupBox1, "Button1", QStringLiteral("戻る"), {120, 20, 80, 28});
    Memo1 = valueBox(GroupBox1, "Memo1", {90, 54, 60, 22});
    Memo1->setText(QStringLiteral("1.00"));
    Label2 = boldLabel(GroupBox1, "Label2", QStringLiteral("暗"), {8, 83});
    Label1 = boldLabel(GroupBox1, "Label1", QStringLiteral("明"), {218, 83});
    ScrollBar1 = bar(GroupBox1, "ScrollBar1", Qt::Horizontal, tavlo::kGammaAmount.minimum + kMiddle,
                     tavlo::kGammaAmount.maximum + kMiddle, kMiddle, {28, 84, 184, 17});

    connect(ScrollBar1, &QScrollBar::valueChanged, this, &GammaDialog::onAmountChanged);
    connect(Button2, &QPushButton::clicked, this, [this] { sender_.execute(); });
    connect(Button1, &QPushButton::clicked, this, [this] {
        sender_.cancel();
        hide();
    });

    ScrollBar1->setValue(kMiddle);
    placeTopRight(this, kGroup, 24, 48, 30, 50);
}

void GammaDialog::onAmountChanged() {
    amount_ = ScrollBar1->value() - kMiddle;
    const long double gamma = tavlo::gammaValue(amount_);
    Memo1->setText(QString::fromStdString(tavlo::formatText("%.2f", {gamma})));
}

} // namespace tavlo
