// The preview beside the picture-open dialogs' file list: the picture under the cursor, reduced
// to fit, read by the program's own decoders so that it looks as the loaded file will.
#pragma once

#include <QLabel>

namespace tavlo {

class PicturePreview : public QLabel {
    Q_OBJECT
  public:
    static constexpr int kSide = 200;

    explicit PicturePreview(QWidget* parent = nullptr);

    // Shows the .JPG or .BMP file at `path`, as a load reads it; anything else, or a file that does
    // not decode, leaves the preview empty.
    void showFile(const QString& path);
};

} // namespace tavlo
