#include "geometry_operations.h"

namespace tavlo {

std::vector<OperationSpec> geometryOperations() { return {}; }

} // namespace tavlo
