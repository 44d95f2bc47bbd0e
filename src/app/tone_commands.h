// The colour menu's tone commands: the five tone dialogs, shown by their menu items, whose
// "実行" runs their entries on the main window's document.
#pragma once

#include "document/operation_entry.h"

#include <QObject>

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

    ToneCurveDialog* toneCurveDialog;
    ColourToneDialog* colourToneDialog;
    ContrastDialog* contrastDialog; // contrast and brightness
    VividnessDialog* vividnessDialog;
    GammaDialog* gammaDialog;

  private:
    // The entry's menu item shows the dialog; the dialog's "実行" runs the entry.
    template <class Dialog, class Parameters>
    void offer(Dialog* dialog, const OperationEntry<Parameters>& entry);
    void showDialog(QWidget* dialog);

    MainWindow& mainWindow_;
};

} // namespace tavlo
