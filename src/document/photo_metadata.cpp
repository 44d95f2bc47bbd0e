#include "photo_metadata.h"

#include "jpeg_codec.h"
#include "pixel_convert.h"
#include "stretch_table.h"

#include <algorithm>
#include <mutex>
#include <new>

#include <exiv2/exiv2.hpp>

namespace tavlo {

namespace {

// Exiv2 0.28 renamed a few calls and takes its buffers by value; 0.27 is what Debian 12 has.
#if EXIV2_TEST_VERSION(0, 28, 0)
std::int64_t integerOf(const Exiv2::Exifdatum& datum) {
    return datum.toInt64();
}
void setProfile(Exiv2::Image& image, Exiv2::DataBuf profile) {
    image.setIccProfile(std::move(profile));
}
#else
std::int64_t integerOf(const Exiv2::Exifdatum& datum) {
    return datum.toLong();
}
void setProfile(Exiv2::Image& image, Exiv2::DataBuf profile) {
    image.setIccProfile(profile);
}
#endif

// Thumbnails are rebuilt at the size cameras use.
constexpr int kThumbnailSide = 160;
constexpr int kThumbnailQuality = 75;

std::mutex xmpToolkit;

void lockXmpToolkit(void* mutex, bool lock) {
    auto* m = static_cast<std::mutex*>(mutex);
    lock ? m->lock() : m->unlock();
}

// The library is silent (a hostile file would otherwise fill stderr) and its XMP toolkit, which
// is not thread-safe by itself, is serialised for the batch tool's threads.
void prepareLibrary() {
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::XmpParser::initialize(lockXmpToolkit, &xmpToolkit);
    });
}

auto openInMemory(std::span<const std::uint8_t> bytes) {
    return Exiv2::ImageFactory::open(bytes.data(), bytes.size());
}

// The library's errors derive from std::exception; running out of memory is not the file's fault.
template <class Step> bool succeeds(Step&& step) {
    try {
        step();
        return true;
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception&) {
        return false;
    }
}

void setIfPresent(Exiv2::ExifData& exif, const char* key, std::uint32_t value) {
    const auto at = exif.findKey(Exiv2::ExifKey(key));
    if (at != exif.end()) *at = value;
}

void setIfPresent(Exiv2::XmpData& xmp, const char* key, int value) {
    const auto at = xmp.findKey(Exiv2::XmpKey(key));
    if (at != xmp.end()) at->setValue(std::to_string(value));
}

// Stretched as the view stretches (each pixel taken whole), to fit a square of kThumbnailSide.
Bitmap thumbnailOf(const Bitmap& picture) {
    const Bitmap source =
        picture.format() == PixelFormat::Bit24 ? picture : convertedTo(picture, PixelFormat::Bit24);
    const int longer = std::max(source.width(), source.height());
    const int width =
        std::max(1, static_cast<int>(std::int64_t{source.width()} * kThumbnailSide / longer));
    const int height =
        std::max(1, static_cast<int>(std::int64_t{source.height()} * kThumbnailSide / longer));
    Bitmap thumbnail = Bitmap::uninitialised(width, height, PixelFormat::Bit24);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* from = source.row(stretchSource(y, source.height(), height));
        std::uint8_t* to = thumbnail.row(y);
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p =
                from + 3 * std::int64_t{stretchSource(x, source.width(), width)};
            std::copy(p, p + 3, to + 3 * x);
        }
    }
    thumbnail.zeroPadding();
    return thumbnail;
}

void describeNewPixels(Exiv2::ExifData& exif, const MetadataUpdate& update) {
    const Bitmap& picture = *update.picture;
    const auto width = static_cast<std::uint32_t>(picture.width());
    const auto height = static_cast<std::uint32_t>(picture.height());
    if (update.setUpright) {
        setIfPresent(exif, "Exif.Image.Orientation", 1);
        setIfPresent(exif, "Exif.Thumbnail.Orientation", 1);
    }
    setIfPresent(exif, "Exif.Image.ImageWidth", width);
    setIfPresent(exif, "Exif.Image.ImageLength", height);
    exif["Exif.Photo.PixelXDimension"] = width;
    exif["Exif.Photo.PixelYDimension"] = height;
    exif["Exif.Image.Software"] = std::string("Tavlo");
    Exiv2::ExifThumb thumbnail(exif);
    if (thumbnail.mimeType()[0] == '\0') return;
    const std::string jpeg = encodeJpeg(thumbnailOf(picture), kThumbnailQuality);
    thumbnail.setJpegThumbnail(reinterpret_cast<const Exiv2::byte*>(jpeg.data()), jpeg.size());
}

void describeNewPixels(Exiv2::XmpData& xmp, const MetadataUpdate& update) {
    if (update.setUpright) setIfPresent(xmp, "Xmp.tiff.Orientation", 1);
    setIfPresent(xmp, "Xmp.tiff.ImageWidth", update.picture->width());
    setIfPresent(xmp, "Xmp.tiff.ImageLength", update.picture->height());
    setIfPresent(xmp, "Xmp.exif.PixelXDimension", update.picture->width());
    setIfPresent(xmp, "Xmp.exif.PixelYDimension", update.picture->height());
}

// Copies the source's tags that parse into `target`, updated; false when it has none.
bool carryTags(std::span<const std::uint8_t> source, Exiv2::Image& target,
               const MetadataUpdate& update) {
    bool any = false;
    succeeds([&] {
        const auto image = openInMemory(source);
        image->readMetadata();
        Exiv2::ExifData exif = image->exifData();
        Exiv2::XmpData xmp = image->xmpData();
        if (!exif.empty()) describeNewPixels(exif, update);
        if (!xmp.empty()) describeNewPixels(xmp, update);
        target.setByteOrder(image->byteOrder());
        target.setExifData(exif);
        target.setXmpData(xmp);
        target.setIptcData(image->iptcData());
        target.setComment(image->comment());
        any = !exif.empty() || !xmp.empty() || !image->iptcData().empty() ||
              !image->comment().empty();
    });
    return any;
}

std::string contentsOf(Exiv2::BasicIo& io) {
    const Exiv2::byte* data = io.mmap();
    std::string bytes(reinterpret_cast<const char*>(data), static_cast<std::size_t>(io.size()));
    io.munmap();
    return bytes;
}

} // namespace

int exifOrientationOf(std::span<const std::uint8_t> file) {
    prepareLibrary();
    int orientation = 1;
    succeeds([&] {
        const auto image = openInMemory(file);
        image->readMetadata();
        const Exiv2::ExifData& exif = image->exifData();
        const auto at = exif.findKey(Exiv2::ExifKey("Exif.Image.Orientation"));
        if (at == exif.end() || at->count() == 0) return;
        const std::int64_t value = integerOf(*at);
        if (value >= 1 && value <= 8) orientation = static_cast<int>(value);
    });
    return orientation;
}

std::optional<std::string> withMetadata(std::span<const std::uint8_t> source,
                                        const std::string& encoded, const MetadataUpdate& update) {
    prepareLibrary();
    const std::span<const std::uint8_t> bare(reinterpret_cast<const std::uint8_t*>(encoded.data()),
                                             encoded.size());
    std::optional<std::string> result;
    const auto write = [&](bool withTags, bool withProfile) {
        succeeds([&] {
            const auto target = openInMemory(bare);
            bool any = withTags && carryTags(source, *target, update);
            if (withProfile && !update.iccProfile.empty()) {
                setProfile(*target,
                           Exiv2::DataBuf(update.iccProfile.data(), update.iccProfile.size()));
                any = true;
            }
            if (!any) return;
            target->writeMetadata();
            std::string written = contentsOf(target->io());
            const auto check = openInMemory(
                {reinterpret_cast<const std::uint8_t*>(written.data()), written.size()});
            check->readMetadata();
            result = std::move(written);
        });
    };
    // Tags that cannot be written so that they read back go; the profile alone may still pass.
    write(true, true);
    if (!result) write(false, true);
    return result;
}

} // namespace tavlo
