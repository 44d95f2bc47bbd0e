// The document steps of each filter command, shared by the main window and the batch tool: the
// undo copy, then the kernel, whose result becomes the working image.
#pragma once

#include "document/document.h"
#include "document/operation_entry.h"
#include "document/operation_status.h"
#include "filter_kernel.h"
#include "histogram.h"

namespace tavlo {

OperationStatus runConvolution(Document& document, const FilterKernel& kernel);
OperationStatus runFilterPreset(Document& document, const FilterPreset& preset);
OperationStatus runMedian(Document& document, const NoParameters&);
OperationStatus runEqualisation(Document& document, const HistogramScale& scale);
OperationStatus runMonochrome(Document& document, const NoParameters&);

// The histogram of the working image. As the window's counting does, it first turns the working
// image itself into 24 bits per pixel. Throws InvalidBitmapSizeError for an empty image and
// HistogramMemoryError when memory runs out.
Histogram workImageHistogram(Document& document, const HistogramScale& scale);

} // namespace tavlo
