// The rotation, size, deformation and trimming menus' commands: their menu items and dialogs,
// each running its geometry entry on the main window's document.
#pragma once

#include "geometry/geometry_parameters.h"

#include <QObject>

namespace tavlo {

class MainWindow;
class TrimmingDialog;
class SizeDialog;
class RotationDialog;
class DeformationDialog;
class WallpaperDialog;

class GeometryCommands : public QObject {
    Q_OBJECT
  public:
    explicit GeometryCommands(MainWindow& mainWindow);

    // Loading an image hides the trimming and wallpaper dialogs (not during the start-up load):
    // their frames belong to the image they were set up for.
    void hideCutDialogs();
    // After every refresh of the view, the open dialogs show the working image as it now is.
    void followImage();

    SizeDialog* sizeDialog;               // arbitrary size
    RotationDialog* rotationDialog;       // rotation
    DeformationDialog* deformationDialog; // deformation
    TrimmingDialog* trimmingDialog;       // trimming
    WallpaperDialog* wallpaperDialog;     // wallpaper

  private:
    void turn(const tavlo::TurnParameters& parameters);
    void shrink(const tavlo::ShrinkParameters& parameters);
    void resize(const tavlo::ResizeParameters& parameters);
    void rotate(const tavlo::RotationParameters& parameters);
    void deform(const tavlo::DeformParameters& parameters);
    void trim(const tavlo::TrimRect& rect);
    void cutWallpaper(const tavlo::WallpaperParameters& parameters);
    void openSizeDialog();
    void openRotationDialog();
    void openDeformationDialog(tavlo::DeformMode mode);
    void openTrimmingDialog();
    void openWallpaperDialog();
    // A size with a side of 0 (a divisor larger than a side, or an emptied size field) or beyond
    // what a bitmap may hold is reported and refused before anything changes.
    bool sizeRefused(tavlo::ImageSize size);
    // A trimming or wallpaper frame that does not lie inside the working image.
    void reportFrameOutside();

    MainWindow& mainWindow_;
};

} // namespace tavlo
