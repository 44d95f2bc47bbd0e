#include "app/status_panels.h"

#include <algorithm>

namespace tavlo {

namespace {

constexpr int kPanelWidths[kStatusPanelCount] = {70, 70, 120, 120, 140, 50, 120, 70, 120};
constexpr int kQualityPanel = 8;
constexpr int kTextPadding = 8; // room either side of a text, clear of the panel's border

// A status panel of a given width that grows to show its whole text: a long file name or a
// large file's size would otherwise lose its ends.
class WideningPanel : public QLabel {
  public:
    explicit WideningPanel(int width) : width_(width) {}
    QSize sizeHint() const override {
        const int textWidth = fontMetrics().horizontalAdvance(text()) + 2 * kTextPadding;
        return {std::max(width_, textWidth), QLabel::sizeHint().height()};
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
        panels_[i] = new WideningPanel(kPanelWidths[i]);
        panels_[i]->setText(QString::fromStdString(initialPanelText(i)));
        panels_[i]->setAlignment(i == kQualityPanel ? Qt::AlignLeft | Qt::AlignVCenter
                                                    : Qt::AlignCenter);
        // The last panel takes the rest of the bar, so the quality text is never cut off.
        addWidget(panels_[i], i == kQualityPanel ? 1 : 0);
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
