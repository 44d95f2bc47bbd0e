// The preview beside the picture-open dialogs' file list: the picture under the cursor, reduced
// to fit, read by the program's own decoders so that it looks as the loaded file will.
#pragma once

#include <QFutureWatcher>
#include <QImage>
#include <QLabel>

#include <atomic>
#include <memory>
#include <vector>

namespace tavlo {

class PicturePreview : public QLabel {
    Q_OBJECT
  public:
    static constexpr int kSide = 200;

    explicit PicturePreview(QWidget* parent = nullptr);

    // Shows the .JPG or .BMP file at `path`, as a load reads it; anything else, or a file that does
    // not decode, leaves the preview empty. The file is read and reduced off the interface thread,
    // since a large photo takes seconds: the preview is empty until `pictureShown`, and a file
    // asked for later replaces one still being read.
    void showFile(const QString& path);

  signals:
    // The last file asked for has been read: shown, or the preview left empty.
    void pictureShown();

  private:
    QFutureWatcher<QImage> watcher_;
    // The number of the latest request, which a reading that has not started yet checks.
    std::vector<std::uint8_t> screenProfile_; // read on the interface thread
    std::shared_ptr<std::atomic<unsigned>> latest_ = std::make_shared<std::atomic<unsigned>>(0);
};

} // namespace tavlo
