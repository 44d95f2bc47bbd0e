#include "picture_turn.h"

#include "worker_pool.h"

#include <array>
#include <cstring>
#include <stdexcept>

namespace tavlo {

namespace {

// EXIF orientations 1..8 in order.
constexpr std::array<PictureTurn, 8> kByOrientation{{{false, false, false},
                                                     {false, true, false},
                                                     {false, true, true},
                                                     {false, false, true},
                                                     {true, false, false},
                                                     {true, true, false},
                                                     {true, true, true},
                                                     {true, false, true}}};

// The turn as a signed permutation matrix on centred coordinates (source to result).
struct Matrix {
    int a, b, c, d;
};

Matrix matrixOf(PictureTurn turn) {
    const int sx = turn.mirror ? -1 : 1, sy = turn.flip ? -1 : 1;
    return turn.transpose ? Matrix{0, sx, sy, 0} : Matrix{sx, 0, 0, sy};
}

PictureTurn turnOf(Matrix m) {
    if (m.a != 0) return {false, m.a < 0, m.d < 0};
    return {true, m.b < 0, m.c < 0};
}

Matrix product(Matrix l, Matrix r) {
    return {l.a * r.a + l.b * r.c, l.a * r.b + l.b * r.d, l.c * r.a + l.d * r.c,
            l.c * r.b + l.d * r.d};
}

int bytesPerPixel(const Bitmap& picture) {
    switch (picture.format()) {
    case PixelFormat::Bit8:
        return 1;
    case PixelFormat::Bit24:
        return 3;
    default:
        throw std::invalid_argument("only 8- and 24-bit pictures are turned on load");
    }
}

// Where the result's pixel (x, y) comes from, for a result of width × height.
struct SourceMap {
    PictureTurn turn;
    int width, height;
    void locate(int x, int y, int& sx, int& sy) const {
        const int mx = turn.mirror ? width - 1 - x : x;
        const int my = turn.flip ? height - 1 - y : y;
        sx = turn.transpose ? my : mx;
        sy = turn.transpose ? mx : my;
    }
};

SourceMap sourceMap(const Bitmap& picture, PictureTurn turn) {
    return turn.transpose ? SourceMap{turn, picture.height(), picture.width()}
                          : SourceMap{turn, picture.width(), picture.height()};
}

} // namespace

PictureTurn PictureTurn::fromExifOrientation(int orientation) {
    return orientation >= 1 && orientation <= 8 ? kByOrientation[orientation - 1] : PictureTurn{};
}

int PictureTurn::exifOrientation() const {
    for (std::size_t i = 0; i < kByOrientation.size(); ++i)
        if (kByOrientation[i] == *this) return static_cast<int>(i) + 1;
    return 1; // every combination is listed
}

PictureTurn PictureTurn::then(PictureTurn next) const {
    return turnOf(product(matrixOf(next), matrixOf(*this)));
}

Bitmap turned(const Bitmap& picture, PictureTurn turn) {
    const int size = bytesPerPixel(picture);
    if (turn.isIdentity()) return picture;
    const SourceMap map = sourceMap(picture, turn);
    Bitmap result =
        Bitmap::uninitialised(map.width, map.height, picture.format(), picture.palette());
    const WritableRows rows(result);
    forEachBand(map.height, kRowsPerBand, [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            std::uint8_t* out = rows[y];
            for (int x = 0; x < map.width; ++x, out += size) {
                int sx = 0, sy = 0;
                map.locate(x, y, sx, sy);
                std::memcpy(out, picture.row(sy) + static_cast<std::ptrdiff_t>(sx) * size,
                            static_cast<std::size_t>(size));
            }
        }
    });
    result.zeroPadding();
    return result;
}

bool isTurnOf(const Bitmap& result, const Bitmap& picture, PictureTurn turn) {
    if (result.format() != picture.format() || result.palette() != picture.palette()) return false;
    if (picture.format() != PixelFormat::Bit8 && picture.format() != PixelFormat::Bit24)
        return false;
    const SourceMap map = sourceMap(picture, turn);
    if (result.width() != map.width || result.height() != map.height) return false;
    const int size = bytesPerPixel(picture);
    for (int y = 0; y < map.height; ++y) {
        const std::uint8_t* got = result.row(y);
        for (int x = 0; x < map.width; ++x, got += size) {
            int sx = 0, sy = 0;
            map.locate(x, y, sx, sy);
            if (std::memcmp(got, picture.row(sy) + static_cast<std::ptrdiff_t>(sx) * size,
                            static_cast<std::size_t>(size)) != 0)
                return false;
        }
    }
    return true;
}

} // namespace tavlo
