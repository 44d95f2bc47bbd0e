// The rotation dialog: one bar for −179 … 179 whole degrees, shown as "%d度".
#pragma once

#include "geometry/geometry_parameters.h"
#include "widgets/dialog_controls.h"
#include "widgets/window_placement.h"

#include <QGroupBox>
#include <QLabel>

namespace tavlo {

class RotationDialog : public QWidget {
    Q_OBJECT
  public:
    explicit RotationDialog(QWidget* parent = nullptr);

  signals:
    // 実行: the angle the bar shows; the dialog stays open.
    void runRequested(const tavlo::RotationParameters& parameters);

  private:
    void onAngleChanged();

    QGroupBox* angleGroup_;
    QLabel *leftLabel_, *rightLabel_;
    QLineEdit* angleBox_;
    QScrollBar* angleBar_;
    QPushButton *runButton_, *backButton_;

    RotationParameters parameters_;
};

} // namespace tavlo
