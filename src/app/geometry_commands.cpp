#include "app/geometry_commands.h"

#include "app/main_window.h"
#include "geometry/geometry_steps.h"
#include "geometry/trim.h"
#include "geometry/ui/deformation_dialog.h"
#include "geometry/ui/rotation_dialog.h"
#include "geometry/ui/size_dialog.h"
#include "geometry/ui/trimming_dialog.h"
#include "geometry/ui/wallpaper_dialog.h"

#include <QApplication>

namespace tavlo {

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

GeometryCommands::GeometryCommands(MainWindow& mainWindow)
    : QObject(&mainWindow), mainWindow_(mainWindow) {
    tavlo::CommandChannel& channel = mainWindow.channel();
    Document& document = mainWindow.document();
    sizeDialog = new SizeDialog(document, target_, channel, mainWindow.dialogs(), &mainWindow);
    rotationDialog = new RotationDialog(document.operationParams[0], channel, &mainWindow);
    deformationDialog = new DeformationDialog(
        deformAmount_, {channel, mainWindow.counters().shared, CommandEdit::Deformation},
        &mainWindow);
    const CommandSender trimming{channel, mainWindow.counters().trimming, CommandEdit::Trimming};
    trimmingDialog = new TrimmingDialog(document, trimRect_, trimming, &mainWindow);
    wallpaperDialog = new WallpaperDialog(document, trimRect_, trimming, &mainWindow);

    const std::pair<QAction*, TurnMode> turns[] = {{mainWindow.rotateRightAction, TurnMode::Right},
                                                   {mainWindow.rotateLeftAction, TurnMode::Left},
                                                   {mainWindow.rotateHalfAction, TurnMode::Half},
                                                   {mainWindow.mirrorAction, TurnMode::Mirror},
                                                   {mainWindow.flipAction, TurnMode::Flip}};
    for (const auto& [item, mode] : turns)
        connect(item, &QAction::triggered, this, [this, mode = mode] { quarterTurn(mode); });
    const std::pair<QAction*, int> sizes[] = {{mainWindow.sizeOriginalAction, 1},
                                              {mainWindow.sizeHalfAction, 2},
                                              {mainWindow.sizeQuarterAction, 4},
                                              {mainWindow.sizeEighthAction, 8}};
    for (const auto& [item, divisor] : sizes)
        connect(item, &QAction::triggered, this, [this, divisor = divisor] { resizeTo(divisor); });
    const std::pair<QAction*, DeformMode> deformations[] = {
        {mainWindow.keystoneBothAction, DeformMode::KeystoneBoth},
        {mainWindow.keystoneRightAction, DeformMode::KeystoneRight},
        {mainWindow.keystoneLeftAction, DeformMode::KeystoneLeft},
        {mainWindow.shearAction, DeformMode::Shear}};
    for (const auto& [item, mode] : deformations)
        connect(item, &QAction::triggered, this, [this, mode = mode] { onDeformation(mode); });
    connect(mainWindow.sizeCustomAction, &QAction::triggered, this,
            &GeometryCommands::onCustomSize);
    connect(mainWindow.rotateAngleAction, &QAction::triggered, this,
            &GeometryCommands::onRotateByAngle);
    connect(mainWindow.trimAction, &QAction::triggered, this, &GeometryCommands::onTrim);
    connect(mainWindow.wallpaperAction, &QAction::triggered, this, &GeometryCommands::onWallpaper);
    channel.setHandler(CommandEdit::Rotation, [this](std::int64_t v) { onRotationCommand(v); });
    channel.setHandler(CommandEdit::Trimming, [this](std::int64_t v) { onTrimmingCommand(v); });
    channel.setHandler(CommandEdit::Size, [this](std::int64_t v) { onSizeCommand(v); });
    channel.setHandler(CommandEdit::Deformation,
                       [this](std::int64_t v) { onDeformationCommand(v); });
}

void GeometryCommands::hideCutDialogs() {
    if (mainWindow_.document().startupLoad > 0) return;
    trimmingDialog->hide();
    wallpaperDialog->hide();
}

void GeometryCommands::quarterTurn(TurnMode mode) {
    if (mainWindow_.runOperation([mode](Document& d) { return tavlo::runQuarterTurn(d, mode); }) ==
        MainWindow::RunOutcome::Refused)
        QApplication::beep();
}

// A size with a side of 0 (a divisor larger than a side, or an emptied size field) or beyond
// what a bitmap may hold is refused before anything changes.
void GeometryCommands::resizeTo(int divisor) {
    Document& document = mainWindow_.document();
    const tavlo::ImageSize size = tavlo::requestedSize(document, divisor, target_);
    if (const std::string_view refusal = tavlo::resizeRefusal(size); !refusal.empty()) {
        mainWindow_.dialogs().message(mainWindow_.actionWindow(), fromUtf8(refusal));
        return;
    }
    mainWindow_.runOperation([size](Document& d) {
        tavlo::runResize(d, size);
        return OperationStatus::Done;
    });
}

void GeometryCommands::onCustomSize() {
    sizeDialog->prepare();
    showOnTop(sizeDialog);
}

void GeometryCommands::onRotateByAngle() {
    rotationDialog->setWindowTitle(fileNameOf(mainWindow_.document().sourcePath));
    showOnTop(rotationDialog);
}

void GeometryCommands::onDeformation(DeformMode mode) {
    Document& document = mainWindow_.document();
    deformationDialog->setWindowTitle(fileNameOf(document.sourcePath));
    document.operationParams[1] = static_cast<std::int32_t>(mode);
    deformationDialog->setMode(mode);
    showOnTop(deformationDialog);
}

// An image narrower or lower than two pixels leaves no frame to move: it is refused with a
// message instead of opening the dialog.
void GeometryCommands::onTrim() {
    trimmingDialog->setWindowTitle(QString::fromStdString(mainWindow_.document().sourcePath));
    mainWindow_.counters().shared.next();
    const tavlo::Bitmap& image = mainWindow_.document().workImage;
    if (!image.empty() && (image.width() < 2 || image.height() < 2)) {
        mainWindow_.dialogs().message(
            &mainWindow_, QStringLiteral("幅または高さが１ピクセルの画像はトリミングできません。"));
        return;
    }
    trimmingDialog->prepareForImage();
    showOnTop(trimmingDialog);
}

void GeometryCommands::onWallpaper() {
    wallpaperDialog->setWindowTitle(QString::fromStdString(mainWindow_.document().sourcePath));
    wallpaperDialog->prepareForImage(mainWindow_.counters().shared.next());
    wallpaperDialog->show();
}

void GeometryCommands::onRotationCommand(std::int64_t value) {
    if (value < 0) return;
    Document& document = mainWindow_.document();
    const int degrees = document.operationParams[0];
    if (!tavlo::rotationApplies(degrees)) return;
    mainWindow_.runOperation([degrees](Document& d) { return tavlo::runRotation(d, degrees); });
}

void GeometryCommands::onSizeCommand(std::int64_t value) {
    if (value > 0) resizeTo(0);
}

void GeometryCommands::onDeformationCommand(std::int64_t value) {
    if (value < 0) return;
    Document& document = mainWindow_.document();
    const auto mode = static_cast<DeformMode>(document.operationParams[1]);
    const float amount = deformAmount_;
    if (!tavlo::deformationApplies(mode, amount)) return;
    mainWindow_.runOperation(
        [mode, amount](Document& d) { return tavlo::runDeformation(d, mode, amount); });
}

// The dialogs are modeless: the image may have been turned or resized since the frame was set,
// and a frame that no longer fits is refused with a beep before anything changes.
void GeometryCommands::onTrimmingCommand(std::int64_t value) {
    if (value < 0) return;
    Document& document = mainWindow_.document();
    if (!document.workImage.empty() && !tavlo::trimRectFits(document.workImage, trimRect_)) {
        QApplication::beep();
        return;
    }
    const tavlo::TrimRect rect = trimRect_;
    if (mainWindow_.runOperation([rect](Document& d) { return tavlo::runTrim(d, rect); }) ==
        MainWindow::RunOutcome::Refused)
        QApplication::beep();
}

} // namespace tavlo
