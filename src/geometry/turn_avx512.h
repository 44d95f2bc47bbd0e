// The AVX-512 (with VBMI) pixel loops of the turns: byte permutes and transposes across a whole
// 64-byte vector. Included by turn_pixels.cpp inside its per-target namespace, so no include guard.
// Highway 1.0 has no byte permute across a whole vector, so the instructions are called directly.

// A permute that takes `count` whole pixels from a 64-byte vector and lays them out as `place`
// says: output pixel k takes input pixel place(k).
template <typename Place> __m512i pixelPermute(int bytes, int inBytes, int count, Place place) {
    alignas(64) std::uint8_t index[64] = {};
    for (int k = 0; k < count; ++k)
        for (int c = 0; c < bytes; ++c)
            index[k * bytes + c] = static_cast<std::uint8_t>(place(k) * inBytes + c);
    return _mm512_load_si512(index);
}

inline __mmask64 firstBytes(int count) {
    return count >= 64 ? ~__mmask64{0} : (__mmask64{1} << count) - 1;
}

void ReversePixels(const std::uint8_t* in, std::uint8_t* out, int width, int bytes) {
    const int count = 64 / bytes; // pixels per vector: 64, 21 or 16
    const __mmask64 used = firstBytes(count * bytes);
    const __m512i reverse = pixelPermute(bytes, bytes, count, [&](int k) { return count - 1 - k; });
    int x = 0;
    for (; x + count <= width; x += count) {
        const __m512i pixels =
            _mm512_maskz_loadu_epi8(used, in + static_cast<std::ptrdiff_t>(x) * bytes);
        _mm512_mask_storeu_epi8(out + static_cast<std::ptrdiff_t>(width - x - count) * bytes, used,
                                _mm512_permutexvar_epi8(reverse, pixels));
    }
    reverseRange(in, out, width, bytes, x, width);
}

// Sixteen by sixteen pixels at a time, each widened to four bytes: rows in, a transpose, and the
// sixteen columns out as rows. A transpose swaps bit k of the row number with bit k of the
// column number for every k; each of the four steps swaps one such pair.
class BlockTurner {
  public:
    static constexpr int kSize = 16;

    explicit BlockTurner(int bytes) : bytes_(bytes), used_(firstBytes(16 * bytes)) {
        widen_ = pixelPermute(4, bytes, 16, [](int k) { return k; });
        narrow_ = pixelPermute(bytes, 4, 16, [](int k) { return k; });
        for (int step = 0; step < 4; ++step) {
            const int b = 8 >> step;
            alignas(64) std::int32_t low[16], high[16];
            for (int l = 0; l < 16; ++l) {
                low[l] = (l & b) ? 16 + l - b : l;
                high[l] = (l & b) ? 16 + l : l + b;
            }
            low_[step] = _mm512_load_si512(low);
            high_[step] = _mm512_load_si512(high);
        }
    }

    // rows[r] is the source row whose pixels go to column r of the block's destination rows;
    // out[c] receives the sixteen pixels of source column c.
    void operator()(const std::uint8_t* const rows[16], std::uint8_t* const out[16]) const {
        __m512i m[16];
        for (int r = 0; r < 16; ++r)
            m[r] = load(rows[r]);
        for (int step = 0; step < 4; ++step) {
            const int b = 8 >> step;
            for (int i = 0; i < 16; ++i)
                if (!(i & b)) {
                    const __m512i a = m[i], c = m[i + b];
                    m[i] = _mm512_permutex2var_epi32(a, low_[step], c);
                    m[i + b] = _mm512_permutex2var_epi32(a, high_[step], c);
                }
        }
        for (int c = 0; c < 16; ++c)
            store(out[c], m[c]);
    }

  private:
    __m512i load(const std::uint8_t* pixels) const {
        if (bytes_ == 1)
            return _mm512_cvtepu8_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels)));
        return _mm512_permutexvar_epi8(widen_, _mm512_maskz_loadu_epi8(used_, pixels));
    }
    void store(std::uint8_t* pixels, __m512i wide) const {
        if (bytes_ == 1)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels), _mm512_cvtepi32_epi8(wide));
        else
            _mm512_mask_storeu_epi8(pixels, used_, _mm512_permutexvar_epi8(narrow_, wide));
    }

    int bytes_;
    __mmask64 used_;
    __m512i widen_, narrow_, low_[4], high_[4];
};
