#include "operations/geometry_operations.h"

#include "geometry/geometry_entries.h"

namespace tavlo {

std::vector<OperationSpec> geometryOperations() {
    return {
        batchOperation(kTurnEntry),     batchOperation(kShrinkEntry),
        batchOperation(kResizeEntry),   batchOperation(kRotationEntry),
        batchOperation(kKeystoneEntry), batchOperation(kShearEntry),
        batchOperation(kTrimEntry),     batchOperation(kWallpaperEntry),
    };
}

} // namespace tavlo
