// The rotation dialog: one bar for −179 … 179 whole degrees, shown as "%d度".
#pragma once

#include "widgets/command_sender.h"
#include "widgets/dialog_controls.h"
#include "widgets/window_placement.h"

#include <QGroupBox>
#include <QLabel>

#include <cstdint>

namespace tavlo {

class RotationDialog : public QWidget {
    Q_OBJECT
  public:
    // `angle` is OperationParams[0]; the dialog writes it on every move of the bar.
    RotationDialog(std::int32_t& angle, tavlo::CommandChannel& channel, QWidget* parent = nullptr);

    QGroupBox* angleGroup;
    QLabel *leftLabel, *rightLabel;
    QLineEdit* angleBox;
    QScrollBar* angleBar;
    QPushButton *runButton, *backButton;

  private:
    void onAngleChanged();

    std::int32_t& angle_;
    tavlo::CommandCounter counter_;
    CommandSender sender_;
};

} // namespace tavlo
