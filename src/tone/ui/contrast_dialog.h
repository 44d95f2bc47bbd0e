// The contrast and brightness dialog: two bars whose amounts (position − 128) go to all three
// channels when "実行" starts the operation.
#pragma once

#include "tone/tone_parameters.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QWidget>

namespace tavlo {

class ContrastDialog : public QWidget {
    Q_OBJECT
  public:
    explicit ContrastDialog(QWidget* parent = nullptr);

  signals:
    // 実行: the two amounts the bars show; the dialog stays open.
    void runRequested(const tavlo::ContrastParameters& parameters);

  private:
    void onContrastChanged();
    void onBrightnessChanged();

    ContrastParameters parameters_;
    QScrollBar *contrastBar_, *brightnessBar_;
    QLineEdit *contrastBox_, *brightnessBox_;
};

} // namespace tavlo
