#include "app/tone_commands.h"

#include "app/main_window.h"
#include "tone/tone_entries.h"
#include "tone/tone_steps.h"
#include "tone/ui/colour_tone_dialog.h"
#include "tone/ui/contrast_dialog.h"
#include "tone/ui/gamma_dialog.h"
#include "tone/ui/tone_curve_dialog.h"
#include "tone/ui/vividness_dialog.h"
#include "widgets/dialog_controls.h"

namespace tavlo {

using tavlo::CommandEdit;
using tavlo::Document;

ToneCommands::ToneCommands(MainWindow& mainWindow) : QObject(&mainWindow), mainWindow_(mainWindow) {
    tavlo::CommandChannel& channel = mainWindow.channel();
    tavlo::CommandCounter& shared = mainWindow.counters().shared;
    const auto sender = [&](CommandEdit edit) { return CommandSender{channel, shared, edit}; };
    toneCurveDialog = new ToneCurveDialog(
        curve_, sender(CommandEdit::ToneCurve), mainWindow.dialogs(),
        QString::fromStdString(mainWindow.document().programFolder), &mainWindow);
    colourToneDialog =
        new ColourToneDialog(colourOffsets_, sender(CommandEdit::ColourTone), &mainWindow);
    contrastDialog = new ContrastDialog(contrast_, sender(CommandEdit::Contrast), &mainWindow);
    vividnessDialog =
        new VividnessDialog(vividAmount_, sender(CommandEdit::Vividness), &mainWindow);
    gammaDialog = new GammaDialog(&mainWindow);
    connect(gammaDialog, &GammaDialog::runRequested, this,
            [this](const GammaParameters& parameters) {
                mainWindow_.runEntry(kGammaEntry, parameters);
            });

    connect(mainWindow.toneCurveAction, &QAction::triggered, this, &ToneCommands::onToneCurve);
    connect(mainWindow.colourToneAction, &QAction::triggered, this, &ToneCommands::onColourTone);
    connect(mainWindow.contrastAction, &QAction::triggered, this, &ToneCommands::onContrast);
    connect(mainWindow.vividnessAction, &QAction::triggered, this, &ToneCommands::onVividness);
    connect(mainWindow.menuAction(kGammaMenuItems[0].item), &QAction::triggered, this,
            &ToneCommands::onGamma);
    channel.setHandler(CommandEdit::ToneCurve, [this](std::int64_t v) { onToneCurveCommand(v); });
    channel.setHandler(CommandEdit::ColourTone, [this](std::int64_t v) { onColourToneCommand(v); });
    channel.setHandler(CommandEdit::Contrast, [this](std::int64_t v) { onContrastCommand(v); });
    channel.setHandler(CommandEdit::Vividness, [this](std::int64_t v) { onVividnessCommand(v); });
}

// The caption is the file name without its folder; a dialog already shown just comes forward.
void ToneCommands::showDialog(QWidget* dialog) {
    dialog->setWindowTitle(fileNameOf(mainWindow_.document().sourcePath));
    dialog->show();
    dialog->raise();
}

void ToneCommands::onToneCurve() {
    showDialog(toneCurveDialog);
}
void ToneCommands::onColourTone() {
    showDialog(colourToneDialog);
}
void ToneCommands::onContrast() {
    showDialog(contrastDialog);
}
void ToneCommands::onVividness() {
    showDialog(vividnessDialog);
}
void ToneCommands::onGamma() {
    showDialog(gammaDialog);
}

void ToneCommands::onToneCurveCommand(std::int64_t value) {
    if (value >= 0)
        mainWindow_.runOperation([this](Document& d) { return tavlo::runToneCurve(d, curve_); });
}

void ToneCommands::onColourToneCommand(std::int64_t value) {
    if (value >= 0)
        mainWindow_.runOperation(
            [this](Document& d) { return tavlo::runColourTone(d, colourOffsets_); });
}

void ToneCommands::onContrastCommand(std::int64_t value) {
    if (value >= 0)
        mainWindow_.runOperation([this](Document& d) { return tavlo::runContrast(d, contrast_); });
}

void ToneCommands::onVividnessCommand(std::int64_t value) {
    if (value >= 0)
        mainWindow_.runOperation(
            [this](Document& d) { return tavlo::runVividness(d, vividAmount_); });
}

} // namespace tavlo
