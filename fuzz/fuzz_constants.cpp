// Feeds arbitrary bytes to a constants-file reader (CONSTANTS_LINES lines: 9 for .mtx, 7 for
// .tvl); an accepted file must write back to text that reads as the same values.
#include "document/constants_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    const auto values = tavlo::parseConstantsFile({data, size}, CONSTANTS_LINES, error);
    if (!values) return 0;
    const std::string text = tavlo::formatConstantsFile(*values);
    const auto again = tavlo::parseConstantsFile(
        {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, CONSTANTS_LINES, error);
    if (!again || *again != *values) std::abort();
    return 0;
}
