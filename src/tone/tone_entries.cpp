#include "tone/tone_entries.h"

#include "document/parameter_parse.h"
#include "tone/tone_steps.h"

namespace tavlo {

GammaParameters parseGamma(std::string_view argument) {
    return {parseParameter(argument, GammaParameters::kAmount)};
}

OperationStatus gammaSteps(Document& document, const GammaParameters& parameters) {
    return runGamma(document, parameters.amount);
}

} // namespace tavlo
