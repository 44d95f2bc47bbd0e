// The document steps of each filter command, shared by the main window and the batch tool: the
// undo copy, then the kernel, whose result becomes the working image.
#pragma once

#include "document/document.h"
#include "document/operation_status.h"
#include "filter_kernel.h"
#include "histogram.h"

namespace tavlo {

OperationStatus runConvolution(Document& document, const FilterKernel& kernel);
OperationStatus runMedian(Document& document);
OperationStatus runEqualisation(Document& document, float histogramFactor);
OperationStatus runMonochrome(Document& document);

// The histogram of the working image. As the window's counting does, it first turns the working
// image itself into 24 bits per pixel. Throws EEmbossError for an empty image.
Histogram workImageHistogram(Document& document, float histogramFactor);

} // namespace tavlo
