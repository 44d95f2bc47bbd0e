// Colour profiles the tests make with lcms2, as the bytes a file would hold.
#pragma once

#include <lcms2.h>

#include <cstdint>
#include <vector>

namespace tavlo::test {

// The profile's bytes; the profile is closed.
inline std::vector<std::uint8_t> savedAndClosed(cmsHPROFILE profile) {
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    std::vector<std::uint8_t> bytes(size);
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    return bytes;
}

// sRGB's primaries with a linear tone curve: stored values are light, not encoded.
inline std::vector<std::uint8_t> linearRgbProfile() {
    const cmsCIExyY white{0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE primaries{{0.64, 0.33, 1.0}, {0.30, 0.60, 1.0}, {0.15, 0.06, 1.0}};
    cmsToneCurve* linear = cmsBuildGamma(nullptr, 1.0);
    cmsToneCurve* curves[3] = {linear, linear, linear};
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsFreeToneCurve(linear);
    return savedAndClosed(profile);
}

} // namespace tavlo::test
