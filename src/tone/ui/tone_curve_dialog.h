// The RGB density tone-curve dialog: four level bars (position 0 at the top is level
// 255), two breakpoint bars that keep P2 below P3, the channel buttons, the graph, reset, and
// saving and loading the curve as a .tvl file.
#pragma once

#include "tone/tone_parameters.h"
#include "widgets/command_sender.h"
#include "widgets/dialog_service.h"

#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QWidget>

#include <array>

namespace tavlo {

class ToneCurveDialog : public QWidget {
    Q_OBJECT
  public:
    ToneCurveDialog(tavlo::ToneCurve& curve, CommandSender sender, DialogService& dialogs,
                    QString programFolder, QWidget* parent = nullptr);

    QLabel* Image1;
    QPushButton *Button1, *Button2, *Button3, *Button4, *Button5;
    QGroupBox *GroupBox1, *GroupBox2, *GroupBox3;
    QRadioButton *RadioButton1, *RadioButton2, *RadioButton3, *RadioButton4;
    QScrollBar *ScrollBar2, *ScrollBar3, *ScrollBar5, *ScrollBar6, *ScrollBar7, *ScrollBar8;
    QLineEdit *Memo2, *Memo3, *Memo5, *Memo6, *Memo7, *Memo8;

    const QImage& graph() const { return graph_; }

  private:
    void onLevelChanged(int point); // the four level bars
    void onLowerBreakpointChanged();
    void onUpperBreakpointChanged();
    void onChannelChosen(int channel); // the four channel buttons
    void onReset();
    void onSaveCurve();
    void onLoadCurve();
    void redrawGraph();

    tavlo::ToneCurve& curve_;
    CommandSender sender_;
    DialogService& dialogs_;
    QString programFolder_;
    float graphScale_ = 0;
    QImage graph_;
    std::array<QScrollBar*, 4> levelBars_{};
    std::array<QLineEdit*, 4> levelBoxes_{};
    std::array<QRadioButton*, 4> channelButtons_{};
};

} // namespace tavlo
