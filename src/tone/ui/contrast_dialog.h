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

    QGroupBox *GroupBox1, *GroupBox2;
    QScrollBar *ScrollBar1, *ScrollBar2;
    QLineEdit *Memo1, *Memo2;
    QPushButton *Button1, *Button2, *Button3, *Button4;

  private:
    void onContrastChanged();
    void onBrightnessChanged();
    void onRun();
    void onBack();

    tavlo::ContrastSettings& settings_;
    CommandSender sender_;
};

} // namespace tavlo
