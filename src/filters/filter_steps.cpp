#include "filter_steps.h"

#include "convolution.h"
#include "document/pixel_convert.h"
#include "equalisation.h"
#include "median.h"
#include "monochrome.h"

namespace tavlo {

namespace {

template <class Kernel> OperationStatus runWithUndo(Document& document, Kernel kernel) {
    document.takeUndoCopy();
    document.applyKernelResult(kernel(document.workImage));
    return OperationStatus::Done;
}

} // namespace

OperationStatus runConvolution(Document& document, const FilterKernel& kernel) {
    return runWithUndo(document, [&](const Bitmap& image) { return convolved(image, kernel); });
}

OperationStatus runMedian(Document& document) {
    return runWithUndo(document, medianFiltered);
}

OperationStatus runEqualisation(Document& document, float histogramFactor) {
    return runWithUndo(document,
                       [=](const Bitmap& image) { return equalised(image, histogramFactor); });
}

OperationStatus runMonochrome(Document& document) {
    return runWithUndo(document, greyed);
}

Histogram workImageHistogram(Document& document, float histogramFactor) {
    Bitmap& image = document.workImage;
    requireNonEmpty(image);
    setPixelFormat(image, PixelFormat::Bit24);
    return computeHistogram(image, histogramFactor);
}

} // namespace tavlo
