// The gamma dialog: one bar, amount = position − 50, γ = 1 + amount / 100 shown with
// two decimals.
#pragma once

#include "tone/tone_parameters.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

namespace tavlo {

class GammaDialog : public QWidget {
    Q_OBJECT
  public:
    explicit GammaDialog(QWidget* parent = nullptr);

    QGroupBox* gammaGroup;
    QLabel *brightLabel, *darkLabel;
    QLineEdit* gammaBox;
    QScrollBar* amountBar;
    QPushButton *backButton, *runButton;

  signals:
    // 実行: the amount the bar shows.
    void runRequested(const tavlo::GammaParameters& parameters);

  private:
    void onAmountChanged();

    GammaParameters parameters_;
};

} // namespace tavlo
