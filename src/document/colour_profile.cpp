#include "colour_profile.h"

#include <lcms2.h>

namespace tavlo {

namespace {

struct ProfileCloser {
    void operator()(void* profile) const { cmsCloseProfile(profile); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;

Profile openProfile(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return nullptr;
    return Profile(cmsOpenProfileFromMem(bytes.data(), static_cast<cmsUInt32Number>(bytes.size())));
}

// The profile, or sRGB when there is none; nothing when it does not parse or is not RGB.
Profile rgbProfileOrSrgb(std::span<const std::uint8_t> bytes) {
    Profile profile = bytes.empty() ? Profile(cmsCreate_sRGBProfile()) : openProfile(bytes);
    if (!profile || cmsGetColorSpace(profile.get()) != cmsSigRgbData) return nullptr;
    return profile;
}

} // namespace

bool profileParses(std::span<const std::uint8_t> profile) {
    return openProfile(profile) != nullptr;
}

std::unique_ptr<CmykToSrgb> CmykToSrgb::from(std::span<const std::uint8_t> bytes, bool inverted) {
    const Profile cmyk = openProfile(bytes);
    if (!cmyk || cmsGetColorSpace(cmyk.get()) != cmsSigCmykData) return nullptr;
    const Profile srgb(cmsCreate_sRGBProfile());
    if (!srgb) return nullptr;
    cmsHTRANSFORM transform =
        cmsCreateTransform(cmyk.get(), inverted ? TYPE_CMYK_8_REV : TYPE_CMYK_8, srgb.get(),
                           TYPE_BGR_8, INTENT_PERCEPTUAL, 0);
    if (!transform) return nullptr;
    return std::unique_ptr<CmykToSrgb>(new CmykToSrgb(transform));
}

CmykToSrgb::~CmykToSrgb() {
    cmsDeleteTransform(transform_);
}

void CmykToSrgb::convert(const std::uint8_t* cmyk, std::uint8_t* bgr, int width) const {
    cmsDoTransform(transform_, cmyk, bgr, static_cast<cmsUInt32Number>(width));
}

std::unique_ptr<DisplayTransform> DisplayTransform::from(std::span<const std::uint8_t> picture,
                                                         std::span<const std::uint8_t> screen) {
    if (picture.empty() && screen.empty()) return nullptr;
    const Profile from = rgbProfileOrSrgb(picture);
    const Profile to = rgbProfileOrSrgb(screen);
    if (!from || !to) return nullptr;
    cmsHTRANSFORM transform = cmsCreateTransform(from.get(), TYPE_BGRA_8, to.get(), TYPE_BGRA_8,
                                                 INTENT_RELATIVE_COLORIMETRIC, 0);
    if (!transform) return nullptr;
    return std::unique_ptr<DisplayTransform>(new DisplayTransform(transform));
}

DisplayTransform::~DisplayTransform() {
    cmsDeleteTransform(transform_);
}

void DisplayTransform::convert(std::uint8_t* bgrx, int width) const {
    cmsDoTransform(transform_, bgrx, bgrx, static_cast<cmsUInt32Number>(width));
}

} // namespace tavlo
