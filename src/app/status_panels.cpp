#include "app/status_panels.h"

namespace tavlo {

namespace {

constexpr int kPanelWidths[kStatusPanelCount] = {70, 70, 120, 120, 140, 50, 120, 70, 120};
constexpr int kFileSizePanel = 6;
constexpr int kQualityPanel = 8;

// A status panel of a given width that grows to show its whole text.
class WideningPanel : public QLabel {
  public:
    explicit WideningPanel(int width) : width_(width) {}
    QSize sizeHint() const override {
        return {std::max(width_, QLabel::sizeHint().width()), QLabel::sizeHint().height()};
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

  private:
    int width_;
};

} // namespace

StatusPanels::StatusPanels(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("StatusBar1"));
    setFixedHeight(24);
    setSizeGripEnabled(false);
    setStyleSheet(QStringLiteral("QStatusBar { background: rgb(192, 220, 192); }"
                                 "QStatusBar::item { border: 1px solid gray; }"));
    for (int i = 0; i < kStatusPanelCount; ++i) {
        const bool widening = i == kFileSizePanel;
        panels_[i] = widening ? new WideningPanel(kPanelWidths[i]) : new QLabel;
        panels_[i]->setText(QString::fromStdString(initialPanelText(i)));
        panels_[i]->setAlignment(i == kQualityPanel ? Qt::AlignLeft | Qt::AlignVCenter
                                                    : Qt::AlignCenter);
        // The last panel takes the rest of the bar, so the quality text is never cut off, and
        // the file size widens for a large file rather than lose the end of "ﾊﾞｲﾄ".
        addWidget(panels_[i], i == kQualityPanel ? 1 : 0);
        if (!widening) panels_[i]->setMinimumWidth(kPanelWidths[i]);
        if (i != kQualityPanel && !widening) panels_[i]->setMaximumWidth(kPanelWidths[i]);
    }
}

void StatusPanels::show(const std::array<std::string, kStatusPanelCount>& texts) {
    for (int i = 0; i < kStatusPanelCount; ++i)
        showPanel(i, texts[i]);
}

void StatusPanels::showPanel(int panel, const std::string& text) {
    panels_[panel]->setText(QString::fromStdString(text));
}

} // namespace tavlo
