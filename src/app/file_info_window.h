// The file and image information window: what the load knows about the file, and the
// working image's size after changes. It only shows texts the document keeps.
#pragma once

#include "document/document.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QWidget>

#include <array>

namespace tavlo {

class FileInfoWindow : public QWidget {
    Q_OBJECT
  public:
    explicit FileInfoWindow(QWidget* parent = nullptr);

    // Shows the nine fields and the change group's caption.
    void showTexts(const tavlo::InformationTexts& texts);
    QString fieldText(tavlo::InformationTexts::Field field) const;
    QString changeCaption() const;

  signals:
    // The user closed the window: the main window removes the menu's check mark.
    void closedByUser();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QGroupBox* fileGroup_;   // the file as loaded
    QGroupBox* changeGroup_; // the picture as last changed
    std::array<QLineEdit*, tavlo::InformationTexts::FieldCount> fields_{};
};

} // namespace tavlo
