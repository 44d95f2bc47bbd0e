#include "operations/operation_table.h"

#include "operations/filter_operations.h"
#include "operations/geometry_operations.h"
#include "operations/tone_operations.h"

namespace tavlo {

const std::vector<OperationSpec>& operationTable() {
    static const std::vector<OperationSpec> table = [] {
        std::vector<OperationSpec> all;
        for (auto&& part : {geometryOperations(), filterOperations(), toneOperations()})
            all.insert(all.end(), part.begin(), part.end());
        return all;
    }();
    return table;
}

const OperationSpec* findOperation(std::string_view name) {
    for (const OperationSpec& spec : operationTable())
        if (spec.name == name) return &spec;
    return nullptr;
}

} // namespace tavlo
