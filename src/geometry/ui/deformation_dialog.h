// The deformation dialog: one bar for the strength −100 … 100 (a fraction −1 … 1), the
// group captioned by the kind of deformation the menu chose.
#pragma once

#include "geometry/geometry_parameters.h"
#include "widgets/dialog_controls.h"
#include "widgets/window_placement.h"

#include <QGroupBox>

namespace tavlo {

class DeformationDialog : public QWidget {
    Q_OBJECT
  public:
    explicit DeformationDialog(QWidget* parent = nullptr);

    // The kind the menu item chose; the strength stays where it was.
    void setMode(tavlo::DeformMode mode);

  signals:
    // 実行: the kind and the strength the bar shows; the dialog stays open.
    void runRequested(const tavlo::DeformParameters& parameters);

  private:
    void onStrengthChanged();

    QGroupBox* strengthGroup_;
    QLineEdit* strengthBox_;
    QScrollBar* strengthBar_;
    QPushButton *runButton_, *backButton_;

    DeformParameters parameters_;
};

} // namespace tavlo
