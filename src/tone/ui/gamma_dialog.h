// The gamma dialog: one bar, amount = position − 50, γ = 1 + amount / 100 shown with
// two decimals.
#pragma once

#include "tone/tone_parameters.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QWidget>

namespace tavlo {

class GammaDialog : public QWidget {
    Q_OBJECT
  public:
    explicit GammaDialog(QWidget* parent = nullptr);

  signals:
    // 実行: the amount the bar shows.
    void runRequested(const tavlo::GammaParameters& parameters);

  private:
    void onAmountChanged();

    GammaParameters parameters_;
    QLineEdit* gammaBox_;
    QScrollBar* amountBar_;
};

} // namespace tavlo
