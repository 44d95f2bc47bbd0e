#include "app/tone_commands.h"

#include "widgets/dialog_controls.h"
#include "app/main_window.h"
#include "tone/tone_steps.h"
#include "tone/ui/vividness_dialog.h"
#include "tone/ui/contrast_dialog.h"
#include "tone/ui/gamma_dialog.h"
#include "tone/ui/colour_tone_dialog.h"
#include "tone/ui/tone_curve_dialog.h"


using tavlo::CommandEdit;
using tavlo::Document;

ToneCommands::ToneCommands(MainWindow& mainWindow) : QObject(&mainWindow), mainWindow_(mainWindow) {
    tavlo::CommandChannel& channel = mainWindow.channel();
    tavlo::CommandCounter& shared = mainWindow.counters().shared;
    const auto link = [&](CommandEdit edit) {
        return CommandLink(channel, shared, edit, [this] { markModified(); });
    };
    toneCurveDialog = new ToneCurveDialog(curve_, link(CommandEdit::ToneCurve), mainWindow.dialogs(),
                         QString::fromStdString(mainWindow.document().programFolder), &mainWindow);
    colourToneDialog = new ColourToneDialog(colourOffsets_, link(CommandEdit::ColourTone), &mainWindow);
    contrastDialog = new ContrastDialog(contrast_, link(CommandEdit::Contrast), &mainWindow);
    vividnessDialog = new VividnessDialog(vividAmount_, link(CommandEdit::Vividness), &mainWindow);
    gammaDialog = new GammaDialog(gammaAmount_, link(CommandEdit::Gamma), &mainWindow);

    connect(mainWindow.K1, &QAction::triggered, this, &ToneCommands::K1Click);
    connect(mainWindow.T1, &QAction::triggered, this, &ToneCommands::T1Click);
    connect(mainWindow.M1, &QAction::triggered, this, &ToneCommands::M1Click);
    connect(mainWindow.A4, &QAction::triggered, this, &ToneCommands::A4Click);
    connect(mainWindow.G3, &QAction::triggered, this, &ToneCommands::G3Click);
    channel.setHandler(CommandEdit::ToneCurve, [this](std::int64_t v) { Edit13Change(v); });
    channel.setHandler(CommandEdit::ColourTone, [this](std::int64_t v) { Edit6Change(v); });
    channel.setHandler(CommandEdit::Contrast, [this](std::int64_t v) { Edit9Change(v); });
    channel.setHandler(CommandEdit::Vividness, [this](std::int64_t v) { Edit10Change(v); });
    channel.setHandler(CommandEdit::Gamma, [this](std::int64_t v) { Edit11Change(v); });
}

// The caption is the file name without its folder; a dialog already shown just comes forward.
void ToneCommands::showDialog(QWidget* dialog) {
    dialog->setWindowTitle(dialog_controls::fileNameOf(mainWindow_.document().sourcePath));
    dialog->show();
    dialog->raise();
}

void ToneCommands::K1Click() {
    showDialog(toneCurveDialog);
}
void ToneCommands::T1Click() {
    showDialog(colourToneDialog);
}
void ToneCommands::M1Click() {
    showDialog(contrastDialog);
}
void ToneCommands::A4Click() {
    showDialog(vividnessDialog);
}
void ToneCommands::G3Click() {
    showDialog(gammaDialog);
}

void ToneCommands::run(const std::function<tavlo::OperationStatus(Document&)>& steps) {
    // Every tone kernel raises the empty-image error before anything else.
    lastRunRaised_ = mainWindow_.document().workImage.empty();
    mainWindow_.runOperation(steps);
}

void ToneCommands::markModified() {
    if (!lastRunRaised_) mainWindow_.document().modified = true;
}

void ToneCommands::Edit13Change(std::int64_t value) {
    if (value >= 0) run([this](Document& d) { return tavlo::runToneCurve(d, curve_); });
}

void ToneCommands::Edit6Change(std::int64_t value) {
    if (value >= 0) run([this](Document& d) { return tavlo::runColourTone(d, colourOffsets_); });
}

void ToneCommands::Edit9Change(std::int64_t value) {
    if (value >= 0) run([this](Document& d) { return tavlo::runContrast(d, contrast_); });
}

void ToneCommands::Edit10Change(std::int64_t value) {
    if (value >= 0) run([this](Document& d) { return tavlo::runVividness(d, vividAmount_); });
}

void ToneCommands::Edit11Change(std::int64_t value) {
    if (value >= 0) run([this](Document& d) { return tavlo::runGamma(d, gammaAmount_); });
}
