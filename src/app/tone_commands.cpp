#include "app/tone_commands.h"

#include "app/dialog_controls.h"
#include "app/main_window.h"
#include "tone/tone_steps.h"
#include "tone/ui/azayaka.h"
#include "tone/ui/contrast.h"
#include "tone/ui/ganma.h"
#include "tone/ui/mnt_color.h"
#include "tone/ui/position.h"


using tavlo::CommandEdit;
using tavlo::Document;

ToneCommands::ToneCommands(TForm1& form1) : QObject(&form1), form1_(form1) {
    tavlo::CommandChannel& channel = form1.channel();
    tavlo::CommandCounter& shared = form1.counters().shared;
    const auto link = [&](CommandEdit edit) {
        return CommandLink(channel, shared, edit, [this] { markModified(); });
    };
    Form17 = new TForm17(curve_, link(CommandEdit::ToneCurve), form1.dialogs(),
                         QString::fromStdString(form1.document().programFolder), &form1);
    Form11 = new TForm11(colourOffsets_, link(CommandEdit::ColourTone), &form1);
    Form13 = new TForm13(contrast_, link(CommandEdit::Contrast), &form1);
    Form14 = new TForm14(vividAmount_, link(CommandEdit::Vividness), &form1);
    Form15 = new TForm15(gammaAmount_, link(CommandEdit::Gamma), &form1);

    connect(form1.K1, &QAction::triggered, this, &ToneCommands::K1Click);
    connect(form1.T1, &QAction::triggered, this, &ToneCommands::T1Click);
    connect(form1.M1, &QAction::triggered, this, &ToneCommands::M1Click);
    connect(form1.A4, &QAction::triggered, this, &ToneCommands::A4Click);
    connect(form1.G3, &QAction::triggered, this, &ToneCommands::G3Click);
    channel.setHandler(CommandEdit::ToneCurve, [this](std::int64_t v) { Edit13Change(v); });
    channel.setHandler(CommandEdit::ColourTone, [this](std::int64_t v) { Edit6Change(v); });
    channel.setHandler(CommandEdit::Contrast, [this](std::int64_t v) { Edit9Change(v); });
    channel.setHandler(CommandEdit::Vividness, [this](std::int64_t v) { Edit10Change(v); });
    channel.setHandler(CommandEdit::Gamma, [this](std::int64_t v) { Edit11Change(v); });
}

// The caption is the file name without its folder; a dialog already shown just comes forward.
void ToneCommands::showDialog(QWidget* dialog) {
    dialog->setWindowTitle(dialog_controls::fileNameOf(form1_.document().sourcePath));
    dialog->show();
    dialog->raise();
}

void ToneCommands::K1Click() {
    showDialog(Form17);
}
void ToneCommands::T1Click() {
    showDialog(Form11);
}
void ToneCommands::M1Click() {
    showDialog(Form13);
}
void ToneCommands::A4Click() {
    showDialog(Form14);
}
void ToneCommands::G3Click() {
    showDialog(Form15);
}

void ToneCommands::run(const std::function<tavlo::OperationStatus(Document&)>& steps) {
    // Every tone kernel raises the empty-image error before anything else.
    lastRunRaised_ = form1_.document().workImage.empty();
    form1_.runOperation(steps);
}

void ToneCommands::markModified() {
    if (!lastRunRaised_) form1_.document().modified = true;
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
