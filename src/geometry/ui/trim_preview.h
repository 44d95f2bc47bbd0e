// The reduced picture the trimming and wallpaper dialogs draw their frame on: at most 400 pixels
// on its longer side, stretched colour on colour, with the one-pixel frame lines.
#pragma once

#include "document/bitmap.h"
#include "geometry/geometry_parameters.h"

#include <QColor>
#include <QImage>
#include <QPainter>

namespace tavlo {

class TrimPreview {
  public:
    // Builds the preview of the image; black pixels show in `background`, as the brush copy
    // that puts the preview on the dialog draws them.
    void setUp(const tavlo::Bitmap& image, QColor background);

    double scale() const { return scale_; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return picture_.isNull(); }

    // The preview at the top-left corner and the frame of `rect` in white or black lines.
    void paint(QPainter& painter, const tavlo::TrimRect& rect, bool blackLines) const;

    // The image pixel under a point of the dialog: Round(coordinate × scale), halves to even.
    int imageCoordinate(int dialogCoordinate) const;

  private:
    double scale_ = 1.0;
    int width_ = 0, height_ = 0;
    int lastX_ = 0, lastY_ = 0; // where the image's last column and row fall
    QImage picture_;
};

} // namespace tavlo
