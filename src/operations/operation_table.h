// The table of image operations the batch tool runs by name, built from the subsystems' entries.
#pragma once

#include "document/operation_entry.h"
#include "document/operation_status.h"
#include "document/parameter_parse.h"

#include <functional>
#include <span>
#include <string_view>
#include <vector>

namespace tavlo {

struct OperationSpec {
    std::string_view name;  // the word before the colon: "turn", "contrast"
    std::string_view usage; // "contrast:C,B"
    // Runs the operation with the text after the colon (empty when there is none).
    std::function<OperationStatus(Document&, std::string_view argument)> run;
};

// The batch tool's view of an entry: its argument parsed into the entry's parameters, then its
// steps.
template <class Parameters> OperationSpec batchOperation(const OperationEntry<Parameters>& entry) {
    return {entry.name, entry.usage, [&entry](Document& document, std::string_view argument) {
                return entry.steps(document, entry.parse(argument));
            }};
}

const std::vector<OperationSpec>& operationTable();
const OperationSpec* findOperation(std::string_view name);

} // namespace tavlo
