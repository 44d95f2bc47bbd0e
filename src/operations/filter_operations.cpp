#include "operations/filter_operations.h"

namespace tavlo {

std::vector<OperationSpec> filterOperations() {
    return {batchOperation(kFilterEntry),   batchOperation(kKernelEntry),
            batchOperation(kMatrixEntry),   batchOperation(kMedianEntry),
            batchOperation(kEqualiseEntry), batchOperation(kGreyEntry)};
}

} // namespace tavlo
