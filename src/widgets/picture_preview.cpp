#include "widgets/picture_preview.h"

#include "document/bmp_codec.h"
#include "document/colour_profile.h"
#include "document/document.h"
#include "document/file_io.h"
#include "document/image_file_type.h"
#include "document/photo_source.h"
#include "widgets/screen_profile.h"
#include "widgets/view_image.h"

#include <QFile>
#include <QFileInfo>
#include <QPromise>
#include <QThreadPool>

#include <algorithm>
#include <new>

namespace tavlo {

namespace {

// The picture through its profile into the screen's, as the main window's view shows it.
QImage shownThroughProfile(QImage picture, const std::vector<std::uint8_t>& profile,
                           const std::vector<std::uint8_t>& screen) {
    const auto transform = DisplayTransform::from(profile, screen);
    if (!transform) return picture;
    picture = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        transform->convert(picture.scanLine(y), picture.width());
    return picture;
}

// The smallest DCT reduction of the photo that still fills the preview's side.
int previewReduction(std::span<const std::uint8_t> file, int side) {
    const auto size = photoSize(file, true);
    if (!size || size->first <= 0 || size->second <= 0) return 1;
    const auto [width, height] = *size;
    const bool wide = width >= height;
    return scaleDenominatorFor(width, height, wide ? side : std::max(1, width * side / height),
                               wide ? std::max(1, height * side / width) : side);
}

QImage decodedPicture(const QString& path, int side, const std::vector<std::uint8_t>& screen) {
    const std::string name = QFile::encodeName(path).toStdString();
    const ImageFileType type = imageFileType(name);
    const bool jpeg = type == ImageFileType::Jpeg;
    if (type == ImageFileType::Other) return {};
    auto bytes = std::make_shared<ByteBuffer>();
    std::string error;
    // Refused unread like a load: folders, devices and files larger than any image can need.
    if (!readWholeFile(name, *bytes, error, jpeg ? kMaxJpegFileBytes : kMaxBmpFileBytes)) return {};
    try {
        if (!jpeg) {
            const DecodeResult decoded = decodeBmp(std::move(bytes));
            return decoded ? viewImage(*decoded.image) : QImage();
        }
        const int reduction = previewReduction(*bytes, side);
        const DecodedPhoto photo = reduction == 1 ? decodePhoto(std::move(bytes), true)
                                                  : decodeReducedPhoto(*bytes, true, reduction);
        return photo.decoded
                   ? shownThroughProfile(viewImage(*photo.decoded.image), photo.iccProfile, screen)
                   : QImage();
    } catch (const std::exception&) { // out of memory, or above the pixel limit: no preview
        return {};
    }
}

} // namespace

PicturePreview::PicturePreview(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("PicturePreview"));
    setFixedSize(kSide, kSide);
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::StyledPanel);
    screenProfile_ = screenIccProfile();
    connect(&watcher_, &QFutureWatcher<QImage>::finished, this, [this] {
        const QImage picture = watcher_.future().resultCount() ? watcher_.result() : QImage();
        if (picture.isNull())
            clear();
        else
            setPixmap(QPixmap::fromImage(picture));
        emit pictureShown();
    });
}

void PicturePreview::showFile(const QString& path) {
    clear();
    const unsigned request = ++*latest_;
    const int inner = kSide - 2 * frameWidth();
    auto promise = std::make_shared<QPromise<QImage>>();
    watcher_.setFuture(promise->future());
    QThreadPool::globalInstance()->start([promise, path, inner, request, latest = latest_,
                                          screen = screenProfile_] {
        promise->start();
        // Moving the cursor over a row of files leaves all but the last unread.
        if (request == *latest) {
            const QImage picture =
                QFileInfo(path).isFile() ? decodedPicture(path, inner, screen) : QImage();
            promise->addResult(picture.isNull() ? picture
                                                : picture.scaled(inner, inner, Qt::KeepAspectRatio,
                                                                 Qt::SmoothTransformation));
        }
        promise->finish();
    });
}

} // namespace tavlo
