// The gamma dialog: one bar, amount = position − 50, γ = 1 + amount / 100 shown with
// two decimals.
#pragma once

#include "widgets/command_sender.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

#include <cstdint>

namespace tavlo {

class GammaDialog : public QWidget {
    Q_OBJECT
  public:
    GammaDialog(std::int32_t& amount, CommandSender sender, QWidget* parent = nullptr);

    QGroupBox* gammaGroup;
    QLabel *brightLabel, *darkLabel;
    QLineEdit* gammaBox;
    QScrollBar* amountBar;
    QPushButton *backButton, *runButton;

  private:
    void onAmountChanged();

    std::int32_t& amount_;
    CommandSender sender_;
};

} // namespace tavlo
