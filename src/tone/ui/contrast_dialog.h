// The contrast and brightness dialog: two bars whose amounts (position − 128) go to the
// red entries of the settings; "実行" copies them to green and blue and starts the operation.
#pragma once

#include "tone/tone_parameters.h"
#include "widgets/command_sender.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

namespace tavlo {

class ContrastDialog : public QWidget {
    Q_OBJECT
  public:
    ContrastDialog(tavlo::ContrastSettings& settings, CommandSender sender,
                   QWidget* parent = nullptr);

    QGroupBox *contrastGroup, *brightnessGroup;
    QScrollBar *contrastBar, *brightnessBar;
    QLineEdit *contrastBox, *brightnessBox;
    QPushButton *runButton, *backButton, *contrastResetButton, *brightnessResetButton;

  private:
    void onContrastChanged();
    void onBrightnessChanged();
    void onRun();
    void onBack();

    tavlo::ContrastSettings& settings_;
    CommandSender sender_;
};

} // namespace tavlo
