// The tone and colour operations as the batch tool, the menus and the dialogs offer them.
#pragma once

#include "document/operation_entry.h"
#include "tone_parameters.h"

namespace tavlo {

GammaParameters parseGamma(std::string_view argument);
OperationStatus gammaSteps(Document& document, const GammaParameters& parameters);

inline constexpr MenuOffer<GammaParameters> kGammaMenuItems[] = {{{"G3", "ガンマ補正(&G)"}, {}}};
inline constexpr OperationEntry<GammaParameters> kGammaEntry{
    "gamma", "gamma:N", parseGamma, gammaSteps, OfferedBy::Dialog, kGammaMenuItems};

} // namespace tavlo
