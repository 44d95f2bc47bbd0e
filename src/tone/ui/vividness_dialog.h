// The vividness dialog ("色あい"): one bar, amount = position − 50.
#pragma once

#include "tone/tone_parameters.h"

#include <QLineEdit>
#include <QScrollBar>
#include <QWidget>

namespace tavlo {

class VividnessDialog : public QWidget {
    Q_OBJECT
  public:
    explicit VividnessDialog(QWidget* parent = nullptr);

  signals:
    // 実行: the amount the bar shows.
    void runRequested(const tavlo::VividParameters& parameters);

  private:
    void onAmountChanged();

    VividParameters parameters_;
    QLineEdit* amountBox_;
    QScrollBar* amountBar_;
};

} // namespace tavlo
