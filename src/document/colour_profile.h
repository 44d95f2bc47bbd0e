// ICC profiles through lcms2: whether one is usable, the conversion of CMYK pixels through the
// profile a CMYK JPEG carries, and the view's conversion to the screen's profile.
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

// Converts what the view shows from the picture's profile to the screen's (each sRGB when none is
// given), relative colorimetric intent, on rows of B,G,R,x bytes. Only the shown copy is
// converted: the working image keeps its stored values.
class DisplayTransform {
  public:
    // Nothing when both are sRGB (the view shows the stored values), or a profile does not parse
    // or is not an RGB one.
    static std::unique_ptr<DisplayTransform> from(std::span<const std::uint8_t> picture,
                                                  std::span<const std::uint8_t> screen);
    ~DisplayTransform();
    DisplayTransform(const DisplayTransform&) = delete;
    DisplayTransform& operator=(const DisplayTransform&) = delete;

    void convert(std::uint8_t* bgrx, int width) const;

  private:
    explicit DisplayTransform(void* transform) : transform_(transform) {}
    void* transform_;
};

} // namespace tavlo
