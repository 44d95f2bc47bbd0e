// The main window's view of the working image at a display divisor.
#pragma once

#include "document/bitmap.h"
#include "document/colour_profile.h"

#include <QImage>
#include <QWidget>

#include <memory>

namespace tavlo {

// Paints only what is exposed, converted band by band from the bitmap's rows into one reusable
// buffer; the bitmap is shared with the document, never copied, so showing a large photo costs
// the visible pixels and not the whole image. The picture sits inside the contents margins; one
// view pixel is one physical pixel of the screen, whatever the desktop's scale.
class ImageView : public QWidget {
    Q_OBJECT
  public:
    explicit ImageView(QWidget* parent = nullptr);

    // Shows the image stretched to viewSize physical pixels (colour on colour, nothing averaged)
    // and takes that size, in the desktop's units, plus the margins.
    void showImage(const tavlo::Bitmap& image, QSize viewSize);
    // What is shown goes through `transform` (the picture's profile to the screen's); none
    // shows the stored values.
    void setColourTransform(std::shared_ptr<const tavlo::DisplayTransform> transform);
    // Blanks the picture until the next showImage; the size stays.
    void clear();
    bool isBlank() const { return image_.empty() || viewSize_.isEmpty(); }
    QSize viewSize() const { return viewSize_; }
    const tavlo::Bitmap& shownImage() const { return image_; }

  signals:
    // A paint found no memory for its buffer and left the picture blank; said once per image.
    void outOfMemory();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void takeSize();
    // The picture's place in the widget's own units.
    QRect pictureRect() const;
    // Converts and draws the shown part, in physical pixels of the picture, band by band;
    // throws std::bad_alloc when memory runs out.
    void paintPicture(QRect shown, QPoint origin);

    tavlo::Bitmap image_;
    QSize viewSize_;
    QImage band_;
    std::shared_ptr<const tavlo::DisplayTransform> colourTransform_;
    bool outOfMemoryReported_ = false;
};

} // namespace tavlo
