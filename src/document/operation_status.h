// How a document step ended: done, or refused by its kernel with the image unchanged.
#pragma once

#include "document.h"

#include <utility>

namespace tavlo {

enum class OperationStatus {
    Done,
    UnsupportedFormat, // the kernel refused the pixel format; the image is unchanged
};

// The working image becomes the kernel's result, or stays as it is when the kernel refused it.
inline OperationStatus applyKernel(Document& document, KernelResult result) {
    return document.applyKernelResult(std::move(result)) ? OperationStatus::Done
                                                         : OperationStatus::UnsupportedFormat;
}

} // namespace tavlo
