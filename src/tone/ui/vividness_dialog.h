// The vividness dialog ("色あい"): one bar, amount = position − 50.
#pragma once

#include "tone/ui/command_link.h"

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
    VividnessDialog(std::int32_t& amount, CommandLink link, QWidget* parent = nullptr);

    QGroupBox* GroupBox1;
    QPushButton *Button1, *Button2;
    QLineEdit* Memo1;
    QScrollBar* ScrollBar1;

  private:
    void onAmountChanged();

    std::int32_t& amount_;
    CommandLink link_;
};

} // namespace tavlo
