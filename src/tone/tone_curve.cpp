#include "tone_curve.h"

#include "channel_tables.h"
#include "clamp_channel.h"

namespace tavlo {

namespace {

// The curve's operands are single-precision values; the expression runs in extended precision.
long double operand(std::int32_t value) {
    return static_cast<float>(value);
}

} // namespace

std::uint8_t toneCurveValue(const ToneCurve& curve, int v) {
    const long double p2 = operand(curve.points[1]), p3 = operand(curve.points[2]);
    const long double l0 = operand(curve.levels[0]), l1 = operand(curve.levels[1]);
    const long double l2 = operand(curve.levels[2]), l3 = operand(curve.levels[3]);
    const long double x = operand(v);
    long double out;
    if (v <= curve.points[1])
        out = (l1 - l0) * x / p2 + l0;
    else if (v <= curve.points[2])
        out = (l2 - l1) * (x - p2) / (p3 - p2) + l1;
    else
        out = (l3 - l2) * (x - p3) / (operand(255) - p3) + l2;
    return roundedHalfUpChannel(static_cast<float>(out));
}

ChannelTables toneCurveTables(const ToneCurve& curve) {
    const ChannelTable mapped = tableOf([&](int v) { return toneCurveValue(curve, v); });
    const ChannelTable& same = kIdentityTable;
    const int c = curve.channel;
    return {.red = c == 0 || c == 1 ? mapped : same,
            .green = c == 0 || c == 2 ? mapped : same,
            .blue = c == 0 || c == 3 ? mapped : same};
}

KernelResult toneCurveBitmap(const Bitmap& source, const ToneCurve& curve) {
    requireNonEmpty(source);
    if (source.format() != PixelFormat::Bit24) return std::nullopt;
    return mapChannels(source, toneCurveTables(curve));
}

} // namespace tavlo
