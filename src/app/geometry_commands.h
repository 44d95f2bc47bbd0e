// The rotation, size, deformation and trimming menus' commands: their dialogs, their menu items,
// and the command-edit handlers that run the operations on the main window's document.
#pragma once

#include "document/operation_status.h"
#include "geometry/geometry_parameters.h"
#include "geometry/resize.h"

#include <QObject>

#include <cstdint>

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

    SizeDialog* sizeDialog;               // arbitrary size
    RotationDialog* rotationDialog;       // rotation
    DeformationDialog* deformationDialog; // deformation
    TrimmingDialog* trimmingDialog;       // trimming
    WallpaperDialog* wallpaperDialog;     // wallpaper

  private:
    void quarterTurn(tavlo::TurnMode mode);
    void resizeTo(int divisor);
    void onCustomSize();
    void onRotateByAngle();
    void onDeformation(tavlo::DeformMode mode);
    void onTrim();
    void onWallpaper();
    void onRotationCommand(std::int64_t value);
    void onTrimmingCommand(std::int64_t value);
    void onSizeCommand(std::int64_t value);
    void onDeformationCommand(std::int64_t value);

    MainWindow& mainWindow_;

    // The values the dialogs write and the commands read.
    tavlo::ImageSize target_;  // TargetWidth, TargetHeight
    float deformAmount_ = 0;   // DeformAmount
    tavlo::TrimRect trimRect_; // TrimRect
};

} // namespace tavlo
