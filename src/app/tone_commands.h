// The colour menu's commands: the five tone dialogs, their menu items, and the command-edit
// handlers that run the operations on the main window's document.
#pragma once

#include "document/operation_status.h"
#include "tone/tone_parameters.h"

#include <QObject>

#include <array>
#include <cstdint>

namespace tavlo {

class MainWindow;
class ColourToneDialog;
class ContrastDialog;
class VividnessDialog;
class GammaDialog;
class ToneCurveDialog;

class ToneCommands : public QObject {
    Q_OBJECT
  public:
    explicit ToneCommands(MainWindow& mainWindow);

    ToneCurveDialog* toneCurveDialog;   // tone curve
    ColourToneDialog* colourToneDialog; // colour tone
    ContrastDialog* contrastDialog;     // contrast and brightness
    VividnessDialog* vividnessDialog;   // vividness
    GammaDialog* gammaDialog;           // gamma

  private:
    void onToneCurve();
    void onColourTone();
    void onContrast();
    void onVividness();
    void onGamma();
    void onToneCurveCommand(std::int64_t value);
    void onColourToneCommand(std::int64_t value);
    void onContrastCommand(std::int64_t value);
    void onVividnessCommand(std::int64_t value);

    void showDialog(QWidget* dialog);

    MainWindow& mainWindow_;

    // The settings the dialogs write and the kernels read.
    tavlo::ToneCurve curve_;
    std::array<std::int32_t, 3> colourOffsets_{};
    tavlo::ContrastSettings contrast_;
    std::int32_t vividAmount_ = 0;
};

} // namespace tavlo
