// An in-memory device-independent bitmap: pixel format, palette, rows.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

namespace tavlo {

// Formats as the program distinguishes them. Device is a pasted clipboard image and Custom a
// bit-field layout other than 5-6-5; both are held as 32 bpp B,G,R,X so that they can be drawn,
// but kernels that need 8, 24 or 32 bits refuse them.
enum class PixelFormat { Device, Bit1, Bit4, Bit8, Bit15, Bit16, Bit24, Bit32, Custom };

// Bits each pixel occupies in a row of the given format (Device and Custom: 32).
int bitsPerPixel(PixelFormat format);
bool hasPalette(PixelFormat format);

struct PaletteEntry {
    std::uint8_t b = 0, g = 0, r = 0, reserved = 0;
    bool operator==(const PaletteEntry&) const = default;
};

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// Images beyond this many pixels are refused before any allocation.
inline constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 28;

// The refusal of a bitmap above kMaxPixels, raised before anything is allocated; the message
// names the size asked for and the limit.
class PixelLimitError : public std::length_error {
  public:
    PixelLimitError(std::int64_t width, std::int64_t height);
};

// Row y = 0 is the top row. Rows are padded to four bytes, as in a BMP file, and stored bottom
// row first, so the pixel block can be read from and written to a BMP file in one piece.
// Copies share their pixels until one of them asks for writable rows (copy on write), so the
// working, undo and view copies of a large photo cost nothing until an operation changes one.
// A writable row pointer is valid only until the bitmap is next copied.
// Threads: copies may live and be written on different threads, since the share count is atomic
// and the last owner's writes are ordered after the others' reads (see detach). One Bitmap object
// is not itself shared for writing: a kernel takes its result's rows on the calling thread,
// while the result is still its own, and hands the workers raw row pointers.
// 1 and 4 bpp pack the leftmost pixel into the high bits; 15 bpp is 5-5-5 and 16 bpp 5-6-5,
// little-endian words.
class Bitmap {
  public:
    Bitmap() = default;
    // A width × height bitmap filled with white (see fillWhite). Throws PixelLimitError beyond
    // kMaxPixels, std::length_error for a negative size, std::bad_alloc when memory runs out.
    Bitmap(int width, int height, PixelFormat format, std::vector<PaletteEntry> palette = {});
    // As above, but the pixel bytes are left as they come from the allocator: for decoders
    // that write every byte.
    static Bitmap uninitialised(int width, int height, PixelFormat format,
                                std::vector<PaletteEntry> palette = {});
    // A bitmap over pixels that already exist: stride × height bytes, bottom row first.
    static Bitmap adopt(int width, int height, PixelFormat format,
                        std::shared_ptr<std::uint8_t[]> pixels,
                        std::vector<PaletteEntry> palette = {});

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }
    PixelFormat format() const { return format_; }
    // Bytes per stored row, padding included.
    std::size_t stride() const { return stride_; }
    static std::size_t strideFor(int width, PixelFormat format);

    std::uint8_t* row(int y) {
        detach();
        return bottomRow() - static_cast<std::ptrdiff_t>(y) * stride_;
    }
    const std::uint8_t* row(int y) const {
        return bottomRow() - static_cast<std::ptrdiff_t>(y) * stride_;
    }
    // The whole pixel block, bottom row first, stride() × height() bytes.
    std::uint8_t* bottomUpData() {
        detach();
        return pixels_.get();
    }
    const std::uint8_t* bottomUpData() const { return pixels_.get(); }
    std::size_t byteSize() const { return stride_ * static_cast<std::size_t>(height_); }

    const std::vector<PaletteEntry>& palette() const { return palette_; }
    void setPalette(std::vector<PaletteEntry> palette) { palette_ = std::move(palette); }

    // White: 0xFF bytes for direct colour (the fourth byte of 32 bpp stays 0); for palette
    // formats the index of the entry nearest to white, the first of equals.
    void fillWhite();

    // Zeroes the bytes between the last pixel of each row and the next row, which a BMP file may
    // have filled with anything; copies the pixels first only when there is something to clear.
    void zeroPadding();

    // Colour of one pixel as it is seen, whatever the format. Indices beyond the palette read
    // as its last entry. Meant for tests and single-pixel work, not for passes over the image.
    Rgb pixel(int x, int y) const;

  private:
    void detach() {
        if (pixels_.use_count() > 1)
            unshare();
        else
            // use_count() reads relaxed: order this owner's writes after the reads another thread
            // made through a copy it has just released (the release decrement pairs with this).
            std::atomic_thread_fence(std::memory_order_acquire);
    }
    void unshare();
    void clearPaddingBytes();
    std::size_t usedRowBytes() const;
    std::uint8_t* bottomRow() { return pixels_.get() + byteSize() - stride_; }
    const std::uint8_t* bottomRow() const { return pixels_.get() + byteSize() - stride_; }

    int width_ = 0;
    int height_ = 0;
    PixelFormat format_ = PixelFormat::Bit24;
    std::size_t stride_ = 0;
    std::shared_ptr<std::uint8_t[]> pixels_;
    std::vector<PaletteEntry> palette_;
};

// The rows of a bitmap made writable once, on the thread that owns it, so that worker threads can
// write disjoint rows through plain pointers without touching the bitmap's share count.
class WritableRows {
  public:
    explicit WritableRows(Bitmap& bitmap)
        : bottom_(bitmap.bottomUpData()), stride_(static_cast<std::ptrdiff_t>(bitmap.stride())),
          height_(bitmap.height()) {}
    std::uint8_t* operator[](int y) const { return bottom_ + (height_ - 1 - y) * stride_; }

  private:
    std::uint8_t* bottom_;
    std::ptrdiff_t stride_;
    int height_;
};

// Index of the palette entry nearest to the colour in RGB distance, the first of equals.
int nearestPaletteIndex(const std::vector<PaletteEntry>& palette, Rgb colour);

} // namespace tavlo
