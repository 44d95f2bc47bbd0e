// The colour tone dialog: three bars add an amount (position − 128) to red, green and
// blue; with "RGB連動" ticked, moving one bar carries the other two along.
#pragma once

#include "widgets/command_sender.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

#include <array>
#include <cstdint>

namespace tavlo {

class ColourToneDialog : public QWidget {
    Q_OBJECT
  public:
    ColourToneDialog(std::array<std::int32_t, 3>& offsets, CommandSender sender,
                     QWidget* parent = nullptr);

    QPushButton *cancelButton, *runButton, *resetButton;
    QGroupBox* toneGroup;
    QCheckBox* linkedBox;
    QScrollBar *redBar, *greenBar, *blueBar;
    QLineEdit *redBox, *greenBox, *blueBox;

  protected:
    // The window manager's close box, offered by some whatever the window asks for, cancels as
    // "中止" does.
    void closeEvent(QCloseEvent* event) override;

  private:
    // The red, green and blue bars.
    void onChannelBarChanged(int channel);
    void onRun();
    void onCancel();

    std::array<std::int32_t, 3>& offsets_;
    CommandSender sender_;
    std::array<QScrollBar*, 3> bars_{};
    std::array<QLineEdit*, 3> boxes_{};
};

} // namespace tavlo
