// The deformation dialog: one bar for the strength −100 … 100 (a fraction −1 … 1), the
// group captioned by the kind of deformation the menu chose.
#pragma once

#include "geometry/geometry_parameters.h"
#include "widgets/command_sender.h"
#include "widgets/dialog_controls.h"
#include "widgets/window_placement.h"

#include <QGroupBox>

namespace tavlo {

class DeformationDialog : public QWidget {
    Q_OBJECT
  public:
    // `amount` is DeformAmount; the dialog writes it on every move of the bar. Its buttons count
    // with the main window's shared counter.
    DeformationDialog(float& amount, CommandSender sender, QWidget* parent = nullptr);

    void setMode(tavlo::DeformMode mode);

    QGroupBox* strengthGroup;
    QLineEdit* strengthBox;
    QScrollBar* strengthBar;
    QPushButton *runButton, *backButton;

  private:
    void onStrengthChanged();

    float& amount_;
    CommandSender sender_;
};

} // namespace tavlo
