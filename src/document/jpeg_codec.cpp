#include "jpeg_codec.h"

#include "colour_profile.h"
#include "pixel_convert.h"

#include <algorithm>
#include <atomic>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

// Library errors longjmp back to the function that called setjmp. Everything that must survive
// the jump or be released after it lives in the codec objects below, never in automatic
// variables of that function, and nothing with a destructor is alive while libjpeg runs.

namespace tavlo {
namespace {

// A progressive file may declare any number of scans, and every scan is a pass over the whole
// coefficient buffer, so a small corrupt file could keep the decoder busy for minutes.
constexpr int kMaxScans = 1000;

// CMYK rows are converted through a scratch buffer of this many rows.
constexpr int kCmykBatchRows = 16;

struct ErrorHandler {
    jpeg_error_mgr pub; // first, so the library's pointer to it is a pointer to the whole
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

ErrorHandler& handlerOf(j_common_ptr cinfo) {
    return *reinterpret_cast<ErrorHandler*>(cinfo->err);
}

[[noreturn]] void jumpBack(j_common_ptr cinfo) {
    std::longjmp(handlerOf(cinfo).jump, 1);
}

[[noreturn]] void refuseOnError(j_common_ptr cinfo) {
    (*cinfo->err->format_message)(cinfo, handlerOf(cinfo).message);
    jumpBack(cinfo);
}

void printNothing(j_common_ptr) {}

// Warnings (premature end of data, extraneous bytes) let decoding go on with what is there.
void countWarnings(j_common_ptr cinfo, int level) {
    if (level < 0) ++cinfo->err->num_warnings;
}

void installErrorHandler(ErrorHandler& handler) {
    jpeg_std_error(&handler.pub);
    handler.pub.error_exit = refuseOnError;
    handler.pub.output_message = printNothing;
    handler.pub.emit_message = countWarnings;
    handler.message[0] = '\0';
}

// Running out of memory says nothing about the file: it is reported as what it is.
void throwIfOutOfMemory(const ErrorHandler& handler) {
    if (handler.pub.msg_code == JERR_OUT_OF_MEMORY) throw std::bad_alloc();
}

constexpr char kStoppedMessage[] = "The decode was stopped";

// libjpeg calls this between rows and between scans, where a decode may also be given up.
struct DecodeProgress {
    jpeg_progress_mgr pub; // first, so the library's pointer to it is a pointer to the whole
    const std::atomic<bool>* stop = nullptr;
};

void watchProgress(j_common_ptr cinfo) {
    const auto* progress = reinterpret_cast<const DecodeProgress*>(cinfo->progress);
    if (progress->stop && progress->stop->load(std::memory_order_relaxed)) {
        std::snprintf(handlerOf(cinfo).message, JMSG_LENGTH_MAX, "%s", kStoppedMessage);
        jumpBack(cinfo);
    }
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number <= kMaxScans) return;
    std::snprintf(handlerOf(cinfo).message, JMSG_LENGTH_MAX,
                  "Too many scans in the JPEG file (more than %d)", kMaxScans);
    jumpBack(cinfo);
}

bool isScaleDenominator(int denominator) {
    return denominator == 2 || denominator == 4 || denominator == 8;
}

std::vector<PaletteEntry> greyPalette() {
    std::vector<PaletteEntry> palette(256);
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        palette[i] = {v, v, v, 0};
    }
    return palette;
}

// Adobe CMYK is stored inverted (255 = no ink), so each channel is simply scaled by K.
void cmykRowToBgr(const JSAMPLE* cmyk, std::uint8_t* bgr, int width) {
    for (int x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        const unsigned k = cmyk[3];
        bgr[0] = static_cast<std::uint8_t>((cmyk[2] * k + 127) / 255);
        bgr[1] = static_cast<std::uint8_t>((cmyk[1] * k + 127) / 255);
        bgr[2] = static_cast<std::uint8_t>((cmyk[0] * k + 127) / 255);
    }
}

void zeroRowPadding(Bitmap& image) {
    const std::size_t used =
        static_cast<std::size_t>(image.width()) * (bitsPerPixel(image.format()) / 8);
    const std::size_t padding = image.stride() - used;
    if (padding == 0) return;
    for (int y = 0; y < image.height(); ++y)
        std::memset(image.row(y) + used, 0, padding);
}

class JpegDecoder {
  public:
    JpegDecoder() {
        installErrorHandler(errors_);
        cinfo_.err = &errors_.pub;
        progress_.pub.progress_monitor = watchProgress;
    }
    ~JpegDecoder() {
        std::free(icc_);
        jpeg_destroy_decompress(&cinfo_);
    }
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    std::optional<std::pair<int, int>> storedSize(std::span<const std::uint8_t> file) {
        if (setjmp(errors_.jump)) return std::nullopt;
        jpeg_create_decompress(&cinfo_);
        jpeg_mem_src(&cinfo_, file.data(), file.size());
        jpeg_read_header(&cinfo_, TRUE);
        return std::pair{static_cast<int>(cinfo_.image_width),
                         static_cast<int>(cinfo_.image_height)};
    }

    DecodeResult decode(std::span<const std::uint8_t> file, JpegFileFacts* facts,
                        JpegDecodeOptions options) {
        if (setjmp(errors_.jump)) {
            throwIfOutOfMemory(errors_);
            DecodeResult refused = DecodeResult::refused(errors_.message);
            refused.stopped = std::strcmp(errors_.message, kStoppedMessage) == 0;
            return refused;
        }

        progress_.stop = options.stop;
        jpeg_create_decompress(&cinfo_);
        cinfo_.progress = &progress_.pub;
        jpeg_mem_src(&cinfo_, file.data(), file.size());
        jpeg_save_markers(&cinfo_, JPEG_APP0 + 2, 0xFFFF);
        jpeg_read_header(&cinfo_, TRUE);
        readProfile();
        if (facts) {
            facts->iccProfile = profile_;
            if (cinfo_.saw_JFIF_marker)
                facts->density =
                    JpegDensity{cinfo_.density_unit, cinfo_.X_density, cinfo_.Y_density};
        }

        const std::uint64_t pixels =
            std::uint64_t{cinfo_.image_width} * std::uint64_t{cinfo_.image_height};
        if (pixels == 0 || pixels > kMaxPixels) {
            std::string why = "JPEG image of " + std::to_string(cinfo_.image_width) + " x " +
                              std::to_string(cinfo_.image_height) + " pixels is empty or too large";
            return pixels == 0 ? DecodeResult::refused(std::move(why))
                               : DecodeResult::refusedAsTooLarge(std::move(why));
        }

        // ISLOW and fancy upsampling stay at the library's defaults.
        if (isScaleDenominator(options.scaleDenominator)) {
            cinfo_.scale_num = 1;
            cinfo_.scale_denom = static_cast<unsigned>(options.scaleDenominator);
        }
        switch (cinfo_.jpeg_color_space) {
        case JCS_GRAYSCALE:
            cinfo_.out_color_space = JCS_GRAYSCALE;
            break;
        case JCS_CMYK:
        case JCS_YCCK:
            cinfo_.out_color_space = JCS_CMYK;
            break;
        default:
            cinfo_.out_color_space = JCS_EXT_BGR;
            break;
        }
        jpeg_start_decompress(&cinfo_);

        const int width = static_cast<int>(cinfo_.output_width);
        if (options.topRows > 0)
            rowsWanted_ = std::min(cinfo_.output_height, static_cast<JDIMENSION>(options.topRows));
        else
            rowsWanted_ = cinfo_.output_height;
        const int height = static_cast<int>(rowsWanted_);
        if (cinfo_.out_color_space == JCS_GRAYSCALE)
            image_ = Bitmap::uninitialised(width, height, PixelFormat::Bit8, greyPalette());
        else
            image_ = Bitmap::uninitialised(width, height, PixelFormat::Bit24);

        if (cinfo_.out_color_space == JCS_CMYK) {
            cmykProfile_ = CmykToSrgb::from(profile_, cinfo_.saw_Adobe_marker);
            if (facts) facts->profileApplied = cmykProfile_ != nullptr;
            readCmykRows();
        } else {
            readRowsInPlace();
        }
        zeroRowPadding(*image_);
        // The whole picture is in; jpeg_finish_decompress would only read what trails it, and
        // refusing a complete image over damaged trailing bytes helps nobody.
        return {std::move(image_), {}};
    }

  private:
    // A profile whose chunks do not add up, or that lcms2 cannot read, is no profile: the
    // picture loads without it.
    void readProfile() {
        unsigned int length = 0;
        if (jpeg_read_icc_profile(&cinfo_, &icc_, &length)) profile_.assign(icc_, icc_ + length);
        std::free(icc_);
        icc_ = nullptr;
        if (!profileParses(profile_)) profile_.clear();
    }

    void readRowsInPlace() {
        Bitmap& image = *image_;
        rows_.resize(rowsWanted_);
        for (int y = 0; y < image.height(); ++y)
            rows_[y] = image.row(y);
        while (cinfo_.output_scanline < rowsWanted_) {
            jpeg_read_scanlines(&cinfo_, rows_.data() + cinfo_.output_scanline,
                                rowsWanted_ - cinfo_.output_scanline);
        }
    }

    void readCmykRows() {
        Bitmap& image = *image_;
        JSAMPARRAY scratch =
            (*cinfo_.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo_), JPOOL_IMAGE,
                                        cinfo_.output_width * 4, kCmykBatchRows);
        while (cinfo_.output_scanline < rowsWanted_) {
            const int first = static_cast<int>(cinfo_.output_scanline);
            const int count = static_cast<int>(jpeg_read_scanlines(
                &cinfo_, scratch, std::min<JDIMENSION>(kCmykBatchRows, rowsWanted_ - first)));
            for (int i = 0; i < count; ++i) {
                if (cmykProfile_)
                    cmykProfile_->convert(scratch[i], image.row(first + i), image.width());
                else
                    cmykRowToBgr(scratch[i], image.row(first + i), image.width());
            }
        }
    }

    jpeg_decompress_struct cinfo_{};
    ErrorHandler errors_{};
    DecodeProgress progress_{};
    JOCTET* icc_ = nullptr; // malloc'ed by the library
    std::vector<std::uint8_t> profile_;
    std::unique_ptr<CmykToSrgb> cmykProfile_;
    std::optional<Bitmap> image_;
    std::vector<JSAMPROW> rows_;
    JDIMENSION rowsWanted_ = 0;
};

// Output goes straight into a growing string, which also releases everything on failure
// (jpeg_mem_dest leaks its buffer when the library fails mid-stream).
constexpr std::size_t kInitialOutputSize = std::size_t{64} << 10;

class JpegEncoder {
  public:
    JpegEncoder() {
        installErrorHandler(errors_);
        cinfo_.err = &errors_.pub;
        cinfo_.client_data = this;
        destination_.init_destination = [](j_compress_ptr cinfo) { grow(cinfo, 0); };
        destination_.empty_output_buffer = [](j_compress_ptr cinfo) -> boolean {
            grow(cinfo, self(cinfo).output_.size());
            return TRUE;
        };
        destination_.term_destination = [](j_compress_ptr cinfo) {
            std::string& output = self(cinfo).output_;
            output.resize(output.size() - cinfo->dest->free_in_buffer);
        };
    }
    ~JpegEncoder() { jpeg_destroy_compress(&cinfo_); }
    JpegEncoder(const JpegEncoder&) = delete;
    JpegEncoder& operator=(const JpegEncoder&) = delete;

    // `image` must be Bit24; its B,G,R rows are handed to the library as they are.
    std::string encode(const Bitmap& image, int quality, std::optional<JpegDensity> density) {
        if (setjmp(errors_.jump)) {
            throwIfOutOfMemory(errors_);
            throw std::runtime_error(errors_.message);
        }

        jpeg_create_compress(&cinfo_);
        cinfo_.dest = &destination_;
        cinfo_.image_width = static_cast<JDIMENSION>(image.width());
        cinfo_.image_height = static_cast<JDIMENSION>(image.height());
        cinfo_.input_components = 3;
        cinfo_.in_color_space = JCS_EXT_BGR;
        jpeg_set_defaults(&cinfo_);
        jpeg_set_quality(&cinfo_, quality, TRUE);
        if (density) {
            cinfo_.density_unit = static_cast<UINT8>(density->unit);
            cinfo_.X_density = static_cast<UINT16>(density->x);
            cinfo_.Y_density = static_cast<UINT16>(density->y);
        }
        jpeg_start_compress(&cinfo_, TRUE);

        rows_.resize(static_cast<std::size_t>(image.height()));
        for (int y = 0; y < image.height(); ++y)
            rows_[y] = const_cast<JSAMPROW>(image.row(y)); // the library only reads them
        while (cinfo_.next_scanline < cinfo_.image_height) {
            jpeg_write_scanlines(&cinfo_, rows_.data() + cinfo_.next_scanline,
                                 cinfo_.image_height - cinfo_.next_scanline);
        }
        jpeg_finish_compress(&cinfo_);
        return std::move(output_);
    }

  private:
    static JpegEncoder& self(j_compress_ptr cinfo) {
        return *static_cast<JpegEncoder*>(cinfo->client_data);
    }

    // Called by the library when the buffer is full: `used` bytes are kept.
    static void grow(j_compress_ptr cinfo, std::size_t used) {
        std::string& output = self(cinfo).output_;
        bool outOfMemory = false;
        try {
            output.resize(std::max(kInitialOutputSize, output.size() * 2));
        } catch (const std::bad_alloc&) {
            outOfMemory = true;
        }
        if (outOfMemory) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
        cinfo->dest->next_output_byte = reinterpret_cast<JOCTET*>(output.data()) + used;
        cinfo->dest->free_in_buffer = output.size() - used;
    }

    jpeg_compress_struct cinfo_{};
    ErrorHandler errors_{};
    jpeg_destination_mgr destination_{};
    std::string output_;
    std::vector<JSAMPROW> rows_;
};

} // namespace

std::optional<std::pair<int, int>> jpegStoredSize(std::span<const std::uint8_t> file) {
    JpegDecoder decoder;
    return decoder.storedSize(file);
}

DecodeResult decodeJpeg(std::span<const std::uint8_t> file, JpegFileFacts* facts,
                        JpegDecodeOptions options) {
    JpegDecoder decoder;
    return decoder.decode(file, facts, options);
}

std::string encodeJpeg(const Bitmap& bitmap, int quality, std::optional<JpegDensity> density) {
    std::optional<Bitmap> converted;
    if (bitmap.format() != PixelFormat::Bit24) converted = convertedTo(bitmap, PixelFormat::Bit24);
    JpegEncoder encoder;
    return encoder.encode(converted ? *converted : bitmap, std::clamp(quality, 1, 100), density);
}

} // namespace tavlo
