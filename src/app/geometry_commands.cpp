#include "app/geometry_commands.h"

#include "app/main_window.h"
#include "geometry/geometry_steps.h"
#include "geometry/trim.h"
#include "geometry/ui/resize.h"
#include "geometry/ui/set_henkei.h"
#include "geometry/ui/set_kaiten.h"
#include "geometry/ui/set_size.h"
#include "geometry/ui/wpaper.h"

#include <QApplication>

using tavlo::CommandEdit;
using tavlo::DeformMode;
using tavlo::Document;
using tavlo::OperationStatus;
using tavlo::TurnMode;

namespace {

void showOnTop(QWidget* dialog) {
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace

GeometryCommands::GeometryCommands(TForm1& form1) : QObject(&form1), form1_(form1) {
    tavlo::CommandChannel& channel = form1.channel();
    Document& document = form1.document();
    const auto executed = [this] { markModified(); };
    Form4 = new TForm4(
        document, target_, channel, executed,
        [&form1](const QString& text) { form1.dialogs().reportError(&form1, text); }, &form1);
    Form6 = new TForm6(document.operationParams[0], channel, executed, &form1);
    Form7 =
        new TForm7(deformAmount_,
                   {channel, form1.counters().shared, CommandEdit::Deformation, executed}, &form1);
    const geometry_ui::CommandSender trimming{channel, form1.counters().trimming,
                                              CommandEdit::Trimming, executed};
    Form2 = new TForm2(document, trimRect_, trimming, &form1);
    Form18 = new TForm18(document, trimRect_, trimming, &form1);

    const std::pair<QAction*, TurnMode> turns[] = {{form1.R2, TurnMode::Right},
                                                   {form1.L1, TurnMode::Left},
                                                   {form1.H1, TurnMode::Half},
                                                   {form1.A3, TurnMode::Mirror},
                                                   {form1.B2, TurnMode::Flip}};
    for (const auto& [item, mode] : turns)
        connect(item, &QAction::triggered, this, [this, mode = mode] { QuarterTurn(mode); });
    const std::pair<QAction*, int> sizes[] = {
        {form1.N11B1, 1}, {form1.N12H2, 2}, {form1.N14Q2, 4}, {form1.N18E2, 8}};
    for (const auto& [item, divisor] : sizes)
        connect(item, &QAction::triggered, this,
                [this, divisor = divisor] { ResizeWork(divisor); });
    const std::pair<QAction*, DeformMode> deformations[] = {{form1.D2, DeformMode::KeystoneBoth},
                                                            {form1.E1, DeformMode::KeystoneRight},
                                                            {form1.F2, DeformMode::KeystoneLeft},
                                                            {form1.G1, DeformMode::Shear}};
    for (const auto& [item, mode] : deformations)
        connect(item, &QAction::triggered, this, [this, mode = mode] { deformationClick(mode); });
    connect(form1.A1, &QAction::triggered, this, &GeometryCommands::A1Click);
    connect(form1.D3, &QAction::triggered, this, &GeometryCommands::D3Click);
    connect(form1.A5, &QAction::triggered, this, &GeometryCommands::A5Click);
    connect(form1.W1, &QAction::triggered, this, &GeometryCommands::W1Click);
    channel.setHandler(CommandEdit::Rotation, [this](std::int64_t v) { Edit2Change(v); });
    channel.setHandler(CommandEdit::Trimming, [this](std::int64_t v) { Edit3Change(v); });
    channel.setHandler(CommandEdit::Size, [this](std::int64_t v) { Edit4Change(v); });
    channel.setHandler(CommandEdit::Deformation, [this](std::int64_t v) { Edit5Change(v); });
}

void GeometryCommands::hideCutDialogs() {
    if (form1_.document().startupLoad > 0) return;
    Form2->hide();
    Form18->hide();
}

void GeometryCommands::markModified() {
    if (!lastRunFailed_) form1_.document().modified = true;
}

void GeometryCommands::QuarterTurn(TurnMode mode) {
    Document& document = form1_.document();
    OperationStatus status = OperationStatus::Done;
    try {
        status = tavlo::runQuarterTurn(document, mode);
    } catch (const tavlo::EEmbossError& error) {
        form1_.dialogs().reportError(&form1_, QString::fromUtf8(error.what()));
        return;
    }
    if (status == OperationStatus::Done) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        form1_.refresh();
        document.modified = true;
    } else {
        form1_.showUnsupportedFormat();
        QApplication::beep();
    }
}

// A size with a side of 0 (a divisor larger than a side, or an emptied size field) or beyond
// what a bitmap may hold is refused before anything changes.
void GeometryCommands::ResizeWork(int divisor) {
    Document& document = form1_.document();
    const tavlo::ImageSize size = tavlo::requestedSize(document, divisor, target_);
    if (const std::string_view refusal = tavlo::resizeRefusal(size); !refusal.empty()) {
        lastRunFailed_ = true;
        form1_.dialogs().message(&form1_, geometry_ui::fromUtf8(refusal));
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    tavlo::runResize(document, size);
    form1_.refresh();
    document.modified = true;
}

void GeometryCommands::A1Click() {
    Form4->prepare();
    showOnTop(Form4);
}

void GeometryCommands::D3Click() {
    Form6->setWindowTitle(geometry_ui::fileNameOf(form1_.document().sourcePath));
    showOnTop(Form6);
}

void GeometryCommands::deformationClick(DeformMode mode) {
    Document& document = form1_.document();
    Form7->setWindowTitle(geometry_ui::fileNameOf(document.sourcePath));
    document.operationParams[1] = static_cast<std::int32_t>(mode);
    Form7->setMode(mode);
    showOnTop(Form7);
}

// An image narrower or lower than two pixels leaves no frame to move: it is refused with a
// message instead of opening the dialog.
void GeometryCommands::A5Click() {
    Form2->setWindowTitle(QString::fromStdString(form1_.document().sourcePath));
    form1_.counters().shared.next();
    const tavlo::Bitmap& image = form1_.document().workImage;
    if (!image.empty() && (image.width() < 2 || image.height() < 2)) {
        form1_.dialogs().message(
            &form1_, QStringLiteral("幅または高さが１ピクセルの画像はトリミングできません。"));
        return;
    }
    Form2->Edit3Change();
    showOnTop(Form2);
}

void GeometryCommands::W1Click() {
    Form18->setWindowTitle(QString::fromStdString(form1_.document().sourcePath));
    Form18->Edit1Change(form1_.counters().shared.next());
    Form18->show();
}

void GeometryCommands::Edit2Change(std::int64_t value) {
    lastRunFailed_ = false;
    if (value < 0) return;
    Document& document = form1_.document();
    const int degrees = document.operationParams[0];
    if (!tavlo::rotationApplies(degrees)) return;
    lastRunFailed_ = document.workImage.empty();
    form1_.runOperation([degrees](Document& d) { return tavlo::runRotation(d, degrees); });
}

void GeometryCommands::Edit4Change(std::int64_t value) {
    lastRunFailed_ = false;
    if (value > 0) ResizeWork(0);
}

void GeometryCommands::Edit5Change(std::int64_t value) {
    lastRunFailed_ = false;
    if (value < 0) return;
    Document& document = form1_.document();
    const auto mode = static_cast<DeformMode>(document.operationParams[1]);
    const float amount = deformAmount_;
    if (!tavlo::deformationApplies(mode, amount)) return;
    lastRunFailed_ = document.workImage.empty();
    form1_.runOperation(
        [mode, amount](Document& d) { return tavlo::runDeformation(d, mode, amount); });
}

// The dialogs are modeless: the image may have been turned or resized since the frame was set,
// and a frame that no longer fits is refused with a beep before anything changes.
void GeometryCommands::Edit3Change(std::int64_t value) {
    if (value < 0) return;
    Document& document = form1_.document();
    lastRunFailed_ = true;
    if (!document.workImage.empty() && !tavlo::trimRectFits(document.workImage, trimRect_)) {
        QApplication::beep();
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    OperationStatus status = OperationStatus::Done;
    try {
        status = tavlo::runTrim(document, trimRect_);
    } catch (const tavlo::EEmbossError& error) {
        QApplication::restoreOverrideCursor();
        form1_.dialogs().reportError(&form1_, QString::fromUtf8(error.what()));
        return;
    }
    lastRunFailed_ = false;
    if (status == OperationStatus::Done) {
        form1_.refresh();
        return;
    }
    form1_.showUnsupportedFormat();
    QApplication::beep();
    QApplication::restoreOverrideCursor();
}
