#include "widgets/picture_preview.h"

#include "document/bmp_codec.h"
#include "document/document.h"
#include "document/file_io.h"
#include "document/image_file_type.h"
#include "document/photo_source.h"
#include "widgets/view_image.h"

#include <QFile>
#include <QFileInfo>

#include <new>

namespace tavlo {

namespace {

QImage decodedPicture(const QString& path) {
    const std::string name = QFile::encodeName(path).toStdString();
    const ImageFileType type = imageFileType(name);
    const bool jpeg = type == ImageFileType::Jpeg;
    if (type == ImageFileType::Other) return {};
    auto bytes = std::make_shared<ByteBuffer>();
    std::string error;
    // Refused unread like a load: folders, devices and files larger than any image can need.
    if (!readWholeFile(name, *bytes, error, jpeg ? kMaxJpegFileBytes : kMaxBmpFileBytes)) return {};
    try {
        const DecodeResult decoded =
            jpeg ? decodePhoto(std::move(bytes), true).decoded : decodeBmp(std::move(bytes));
        return decoded ? viewImage(*decoded.image) : QImage();
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
}

void PicturePreview::showFile(const QString& path) {
    const QImage picture = QFileInfo(path).isFile() ? decodedPicture(path) : QImage();
    if (picture.isNull()) {
        clear();
        return;
    }
    const int inner = kSide - 2 * frameWidth();
    setPixmap(QPixmap::fromImage(
        picture.scaled(inner, inner, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

} // namespace tavlo
