// The colour tone dialog: three bars add an amount (position − 128) to red, green and
// blue; with "RGB連動" ticked, moving one bar carries the other two along.
#pragma once

#include "tone/tone_parameters.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QScrollBar>
#include <QWidget>

#include <array>

namespace tavlo {

class ColourToneDialog : public QWidget {
    Q_OBJECT
  public:
    explicit ColourToneDialog(QWidget* parent = nullptr);

  signals:
    // 実行: the three amounts the bars show; the dialog stays open.
    void runRequested(const tavlo::ColourToneParameters& parameters);

  private:
    // The red, green and blue bars.
    void onChannelBarChanged(int channel);

    ColourToneParameters parameters_;
    QCheckBox* linkedBox_;
    std::array<QScrollBar*, 3> bars_{};
    std::array<QLineEdit*, 3> boxes_{};
};

} // namespace tavlo
