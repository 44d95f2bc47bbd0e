// The vividness dialog ("色あい"): one bar, amount = position − 50.
#pragma once

#include "widgets/command_sender.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

#include <cstdint>

namespace tavlo {

class VividnessDialog : public QWidget {
    Q_OBJECT
  public:
    VividnessDialog(std::int32_t& amount, CommandSender sender, QWidget* parent = nullptr);

    QGroupBox* amountGroup;
    QPushButton *backButton, *runButton;
    QLineEdit* amountBox;
    QScrollBar* amountBar;

  protected:
    // The window manager's close box, offered by some whatever the window asks for, goes back
    // as "戻る" does.
    void closeEvent(QCloseEvent* event) override;

  private:
    void onAmountChanged();
    void onBack();

    std::int32_t& amount_;
    CommandSender sender_;
};

} // namespace tavlo
