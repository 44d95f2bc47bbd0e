// ICC profiles through lcms2: whether one is usable, and the conversion of CMYK pixels through
// the profile a CMYK JPEG carries.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

namespace tavlo {

// True when lcms2 can open the profile: one that cannot is dropped rather than passed on.
bool profileParses(std::span<const std::uint8_t> profile);

// Turns CMYK rows into sRGB B,G,R bytes through a CMYK profile, perceptual intent.
class CmykToSrgb {
  public:
    // Nothing when the profile does not parse or is not a CMYK profile. `inverted`: the values are
    // stored as Adobe writes them, 255 for no ink.
    static std::unique_ptr<CmykToSrgb> from(std::span<const std::uint8_t> profile, bool inverted);
    ~CmykToSrgb();
    CmykToSrgb(const CmykToSrgb&) = delete;
    CmykToSrgb& operator=(const CmykToSrgb&) = delete;

    void convert(const std::uint8_t* cmyk, std::uint8_t* bgr, int width) const;

  private:
    explicit CmykToSrgb(void* transform) : transform_(transform) {}
    void* transform_;
};

} // namespace tavlo
