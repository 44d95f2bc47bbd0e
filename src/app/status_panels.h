// The main window's status bar: nine panels that show the document's texts, and a short report
// over them.
#pragma once

#include "document/texts.h"

#include <QLabel>
#include <QStatusBar>

#include <array>
#include <string>

namespace tavlo {

class StatusPanels : public QStatusBar {
    Q_OBJECT
  public:
    explicit StatusPanels(QWidget* parent = nullptr);

    void show(const std::array<std::string, kStatusPanelCount>& texts);
    void showPanel(int panel, const std::string& text);
    QString text(int panel) const { return panels_[panel]->text(); }

  private:
    std::array<QLabel*, kStatusPanelCount> panels_{};
};

} // namespace tavlo
