// The table of image operations the batch tool runs by name. Each entry runs the same code as the
// main window's command for it; each parameter is declared once with its range and default, and
// the dialogs, the batch tool and the tests read it from here.
#pragma once

#include "document/operation_status.h"
#include "document/parameter_range.h"

#include <functional>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace tavlo {

// A malformed or out-of-range argument; the message names the offending word.
class OperationArgumentError : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

struct OperationSpec {
    std::string_view name;  // the word before the colon: "turn", "contrast"
    std::string_view usage; // "contrast:C,B"
    // Runs the operation with the text after the colon (empty when there is none).
    std::function<OperationStatus(Document&, std::string_view argument)> run;
};

const std::vector<OperationSpec>& operationTable();
const OperationSpec* findOperation(std::string_view name);

// Reads one decimal parameter and checks it against its range.
int parseParameter(std::string_view word, const ParameterRange& range);
// The words of an argument between separators, exactly `count` of them; otherwise an
// OperationArgumentError that shows `usage`.
std::vector<std::string_view> argumentWords(std::string_view argument, char separator,
                                            std::size_t count, std::string_view usage);

} // namespace tavlo
