#include "tone_curve_file.h"

#include "document/constants_file.h"
#include "document/file_io.h"

#include <array>
#include <span>

namespace tavlo {

bool readToneCurveFile(const std::filesystem::path& path, ToneCurve& curve, std::string& error) {
    std::string reason;
    const auto values = readConstantsFile(path, kToneCurveFileLines, reason);
    if (!values) {
        error = path.string() + ": " + reason;
        return false;
    }
    const std::vector<std::int32_t>& v = *values;
    if (v[1] == 0) {
        error = path.string() + ": line 2: P2 must not be 0";
        return false;
    }
    curve.channel = v[0];
    curve.points[1] = v[1];
    curve.points[2] = v[2];
    curve.levels = {v[3], v[4], v[5], v[6]};
    return true;
}

bool writeToneCurveFile(const std::filesystem::path& path, const ToneCurve& curve,
                        std::string& error) {
    const std::array<std::int32_t, kToneCurveFileLines> values{
        curve.channel,   curve.points[1], curve.points[2], curve.levels[0],
        curve.levels[1], curve.levels[2], curve.levels[3]};
    const std::string text = formatConstantsFile(values);
    const std::span<const std::uint8_t> piece(reinterpret_cast<const std::uint8_t*>(text.data()),
                                              text.size());
    return writeFileAtomically(path, std::span(&piece, 1), error);
}

} // namespace tavlo
