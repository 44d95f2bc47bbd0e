// The RGB density tone-curve dialog: four level bars (position 0 at the top is level
// 255), two breakpoint bars that keep P2 below P3, the channel buttons, the graph, reset, and
// saving and loading the curve as a .tvl file.
#pragma once

#include "tone/tone_parameters.h"
#include "widgets/dialog_service.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QWidget>

#include <array>

namespace tavlo {

class ToneCurveDialog : public QWidget {
    Q_OBJECT
  public:
    ToneCurveDialog(DialogService& dialogs, QString programFolder, QWidget* parent = nullptr);

  signals:
    // 実行: the curve the dialog holds; the dialog stays open.
    void runRequested(const tavlo::ToneCurve& curve);

  private:
    void onLevelChanged(int point); // the four level bars
    void onLowerPointChanged();
    void onUpperPointChanged();
    void onChannelChosen(int channel); // the four channel buttons
    void onReset();
    // Sets every bar, box and channel button to `curve`, which becomes the one 実行 applies.
    void showCurve(const ToneCurve& curve);
    void onSaveCurve();
    void onLoadCurve();
    void redrawGraph();

    ToneCurve curve_;
    DialogService& dialogs_;
    QString programFolder_;
    float graphScale_ = 0;
    QImage graph_;
    QLabel* graphLabel_;
    std::array<QScrollBar*, 4> levelBars_{};
    std::array<QLineEdit*, 4> levelBoxes_{};
    std::array<QRadioButton*, 4> channelButtons_{};
    QScrollBar *lowerPointBar_, *upperPointBar_; // P2 and P3
    QLineEdit *lowerPointBox_, *upperPointBox_;
};

} // namespace tavlo
