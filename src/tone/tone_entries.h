// The tone and colour operations as the batch tool, the menus and the dialogs offer them.
#pragma once

#include "document/operation_entry.h"
#include "tone_parameters.h"
#include "tone_steps.h"

#include <string_view>

namespace tavlo {

// "CH,P2,P3,L0,L1,L2,L3" within the dialog's limits (1 ≤ P2 < P3 ≤ 254), or the name of a .tvl
// file. Throws OperationArgumentError naming the faulty word or file.
ToneCurve parseToneCurve(std::string_view argument);
ColourToneParameters parseColourTone(std::string_view argument);
ContrastParameters parseContrast(std::string_view argument);
VividParameters parseVividness(std::string_view argument);
GammaParameters parseGamma(std::string_view argument);

inline constexpr MenuOffer<ToneCurve> kToneCurveMenuItems[] = {{{"K1", "RGB濃度(&K)"}, {}}};
inline constexpr OperationEntry<ToneCurve> kToneCurveEntry{
    "curve",           "curve:CH,P2,P3,L0,L1,L2,L3 or curve:FILE.tvl",
    parseToneCurve,    runToneCurve,
    OfferedBy::Dialog, kToneCurveMenuItems};

inline constexpr MenuOffer<ColourToneParameters> kColourToneMenuItems[] = {
    {{"T1", "色調(&T)"}, {}}};
inline constexpr OperationEntry<ColourToneParameters> kColourToneEntry{
    "tone", "tone:R,G,B", parseColourTone, runColourTone, OfferedBy::Dialog, kColourToneMenuItems};

inline constexpr MenuOffer<ContrastParameters> kContrastMenuItems[] = {
    {{"M1", "ｺﾝﾄﾗｽﾄ・明るさ(&M)"}, {}}};
inline constexpr OperationEntry<ContrastParameters> kContrastEntry{
    "contrast", "contrast:C,B", parseContrast, runContrast, OfferedBy::Dialog, kContrastMenuItems};

inline constexpr MenuOffer<VividParameters> kVividnessMenuItems[] = {{{"A4", "色あい(&A)"}, {}}};
inline constexpr OperationEntry<VividParameters> kVividnessEntry{
    "vivid", "vivid:N", parseVividness, runVividness, OfferedBy::Dialog, kVividnessMenuItems};

inline constexpr MenuOffer<GammaParameters> kGammaMenuItems[] = {{{"G3", "ガンマ補正(&G)"}, {}}};
inline constexpr OperationEntry<GammaParameters> kGammaEntry{
    "gamma", "gamma:N", parseGamma, runGamma, OfferedBy::Dialog, kGammaMenuItems};

} // namespace tavlo
