#include "app/tone_commands.h"

#include "app/main_window.h"
#include "tone/tone_entries.h"
#include "tone/ui/colour_tone_dialog.h"
#include "tone/ui/contrast_dialog.h"
#include "tone/ui/gamma_dialog.h"
#include "tone/ui/tone_curve_dialog.h"
#include "tone/ui/vividness_dialog.h"
#include "widgets/dialog_controls.h"

namespace tavlo {

template <class Dialog, class Parameters>
void ToneCommands::offer(Dialog* dialog, const OperationEntry<Parameters>& entry) {
    connect(mainWindow_.menuAction(entry.menuItems.front().item), &QAction::triggered, this,
            [this, dialog] { showDialog(dialog); });
    connect(dialog, &Dialog::runRequested, this, [this, &entry](const Parameters& parameters) {
        mainWindow_.runEntry(entry, parameters);
    });
}

ToneCommands::ToneCommands(MainWindow& mainWindow) : QObject(&mainWindow), mainWindow_(mainWindow) {
    toneCurveDialog = new ToneCurveDialog(
        mainWindow.dialogs(), QString::fromStdString(mainWindow.document().programFolder),
        &mainWindow);
    colourToneDialog = new ColourToneDialog(&mainWindow);
    contrastDialog = new ContrastDialog(&mainWindow);
    vividnessDialog = new VividnessDialog(&mainWindow);
    gammaDialog = new GammaDialog(&mainWindow);

    offer(toneCurveDialog, kToneCurveEntry);
    offer(colourToneDialog, kColourToneEntry);
    offer(contrastDialog, kContrastEntry);
    offer(vividnessDialog, kVividnessEntry);
    offer(gammaDialog, kGammaEntry);
}

// The caption is the file name without its folder; a dialog already shown just comes forward.
void ToneCommands::showDialog(QWidget* dialog) {
    dialog->setWindowTitle(fileNameOf(mainWindow_.document().sourcePath));
    dialog->show();
    dialog->raise();
}

} // namespace tavlo
