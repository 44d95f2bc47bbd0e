#include "app/geometry_commands.h"

#include "app/main_window.h"
#include "geometry/geometry_entries.h"
#include "geometry/geometry_steps.h"
#include "geometry/trim.h"
#include "geometry/ui/deformation_dialog.h"
#include "geometry/ui/rotation_dialog.h"
#include "geometry/ui/size_dialog.h"
#include "geometry/ui/trimming_dialog.h"
#include "geometry/ui/wallpaper_dialog.h"

namespace tavlo {

namespace {

void showOnTop(QWidget* dialog) {
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace

GeometryCommands::GeometryCommands(MainWindow& mainWindow)
    : QObject(&mainWindow), mainWindow_(mainWindow) {
    const Document& document = mainWindow.document();
    sizeDialog = new SizeDialog(document, mainWindow.dialogs(), &mainWindow);
    rotationDialog = new RotationDialog(&mainWindow);
    deformationDialog = new DeformationDialog(&mainWindow);
    trimmingDialog = new TrimmingDialog(document, &mainWindow);
    wallpaperDialog = new WallpaperDialog(document, &mainWindow);

    for (const MenuOffer<TurnParameters>& offer : kTurnMenuItems)
        connect(mainWindow.menuAction(offer.item), &QAction::triggered, this,
                [this, preset = offer.preset] { turn(preset); });
    for (const MenuOffer<ShrinkParameters>& offer : kShrinkMenuItems)
        connect(mainWindow.menuAction(offer.item), &QAction::triggered, this,
                [this, preset = offer.preset] { shrink(preset); });
    for (const OperationEntry<DeformParameters>* entry : {&kKeystoneEntry, &kShearEntry})
        for (const MenuOffer<DeformParameters>& offer : entry->menuItems)
            connect(mainWindow.menuAction(offer.item), &QAction::triggered, this,
                    [this, mode = offer.preset.mode] { openDeformationDialog(mode); });
    connect(mainWindow.menuAction(kResizeMenuItems[0].item), &QAction::triggered, this,
            &GeometryCommands::openSizeDialog);
    connect(mainWindow.menuAction(kRotationMenuItems[0].item), &QAction::triggered, this,
            &GeometryCommands::openRotationDialog);
    connect(mainWindow.menuAction(kTrimMenuItems[0].item), &QAction::triggered, this,
            &GeometryCommands::openTrimmingDialog);
    connect(mainWindow.menuAction(kWallpaperMenuItems[0].item), &QAction::triggered, this,
            &GeometryCommands::openWallpaperDialog);

    connect(sizeDialog, &SizeDialog::runRequested, this, &GeometryCommands::resize);
    connect(rotationDialog, &RotationDialog::runRequested, this, &GeometryCommands::rotate);
    connect(deformationDialog, &DeformationDialog::runRequested, this, &GeometryCommands::deform);
    connect(trimmingDialog, &TrimmingDialog::runRequested, this, &GeometryCommands::trim);
    connect(wallpaperDialog, &WallpaperDialog::runRequested, this, &GeometryCommands::cutWallpaper);
    connect(&mainWindow, &MainWindow::viewRefreshed, this, &GeometryCommands::followImage);
}

void GeometryCommands::followImage() {
    const QString fileName = fileNameOf(mainWindow_.document().sourcePath);
    const QString path = QString::fromStdString(mainWindow_.document().sourcePath);
    sizeDialog->followImage();
    rotationDialog->setWindowTitle(fileName);
    deformationDialog->setWindowTitle(fileName);
    trimmingDialog->setWindowTitle(path);
    trimmingDialog->followImage();
    wallpaperDialog->setWindowTitle(path);
    wallpaperDialog->followImage();
}

void GeometryCommands::hideCutDialogs() {
    if (mainWindow_.document().startupLoad > 0) return;
    trimmingDialog->hide();
    wallpaperDialog->hide();
}

void GeometryCommands::turn(const TurnParameters& parameters) {
    mainWindow_.runEntry(kTurnEntry, parameters);
}

bool GeometryCommands::sizeRefused(ImageSize size) {
    const std::string_view refusal = resizeRefusal(size);
    if (refusal.empty()) return false;
    mainWindow_.dialogs().message(mainWindow_.actionWindow(), fromUtf8(refusal));
    return true;
}

void GeometryCommands::shrink(const ShrinkParameters& parameters) {
    if (sizeRefused(requestedSize(mainWindow_.document(), parameters.divisor, {}))) return;
    mainWindow_.runEntry(kShrinkEntry, parameters);
}

void GeometryCommands::resize(const ResizeParameters& parameters) {
    if (sizeRefused(parameters.size)) return;
    mainWindow_.runEntry(kResizeEntry, parameters);
}

// An angle or strength of 0 runs nothing, so it leaves the modified flag alone.
void GeometryCommands::rotate(const RotationParameters& parameters) {
    if (rotationApplies(parameters.degrees)) mainWindow_.runEntry(kRotationEntry, parameters);
}

void GeometryCommands::deform(const DeformParameters& parameters) {
    if (!deformationApplies(parameters.mode, deformAmount(parameters.strength))) return;
    mainWindow_.runEntry(parameters.mode == DeformMode::Shear ? kShearEntry : kKeystoneEntry,
                         parameters);
}

// The dialogs follow the image, so their frames fit it; a frame that does not is still refused
// with a message before anything changes. A refused run reports itself.
void GeometryCommands::trim(const TrimRect& rect) {
    const Bitmap& image = mainWindow_.document().workImage;
    if (!image.empty() && !trimRectFits(image, rect)) {
        reportFrameOutside();
        return;
    }
    mainWindow_.runEntry(kTrimEntry, rect);
}

void GeometryCommands::cutWallpaper(const WallpaperParameters& parameters) {
    const Bitmap& image = mainWindow_.document().workImage;
    if (!image.empty() && !wallpaperRect(image.width(), image.height(), parameters)) {
        reportFrameOutside();
        return;
    }
    mainWindow_.runEntry(kWallpaperEntry, parameters);
}

void GeometryCommands::reportFrameOutside() {
    mainWindow_.dialogs().message(
        mainWindow_.actionWindow(),
        QStringLiteral("枠が画像からはみ出しています。枠を設定し直してください。"));
}

void GeometryCommands::openSizeDialog() {
    sizeDialog->prepare();
    showOnTop(sizeDialog);
}

void GeometryCommands::openRotationDialog() {
    rotationDialog->setWindowTitle(fileNameOf(mainWindow_.document().sourcePath));
    showOnTop(rotationDialog);
}

void GeometryCommands::openDeformationDialog(DeformMode mode) {
    deformationDialog->setWindowTitle(fileNameOf(mainWindow_.document().sourcePath));
    deformationDialog->setMode(mode);
    showOnTop(deformationDialog);
}

// An image narrower or lower than two pixels leaves no frame to move: it is refused with a
// message instead of opening the dialog.
void GeometryCommands::openTrimmingDialog() {
    trimmingDialog->setWindowTitle(QString::fromStdString(mainWindow_.document().sourcePath));
    const Bitmap& image = mainWindow_.document().workImage;
    if (!image.empty() && (image.width() < 2 || image.height() < 2)) {
        mainWindow_.dialogs().message(
            &mainWindow_, QStringLiteral("幅または高さが１ピクセルの画像はトリミングできません。"));
        return;
    }
    trimmingDialog->prepareForImage();
    showOnTop(trimmingDialog);
}

void GeometryCommands::openWallpaperDialog() {
    wallpaperDialog->setWindowTitle(QString::fromStdString(mainWindow_.document().sourcePath));
    wallpaperDialog->prepareForImage();
    wallpaperDialog->show();
}

} // namespace tavlo
