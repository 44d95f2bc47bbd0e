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

OperationStatus runFilterPreset(Document& document, const FilterPreset& preset) {
    return runConvolution(document, preset.kernel());
}

OperationStatus runMedian(Document& document, const NoParameters&) {
    return runWithUndo(document, medianFiltered);
}

OperationStatus runEqualisation(Document& document, const HistogramScale& scale) {
    return runWithUndo(document,
                       [&](const Bitmap& image) { return equalised(image, scale.factor); });
}

OperationStatus runMonochrome(Document& document, const NoParameters&) {
    return runWithUndo(document, greyed);
}

Histogram workImageHistogram(Document& document, const HistogramScale& scale) {
    Bitmap& image = document.workImage;
    requireNonEmpty(image);
    try {
        setPixelFormat(image, PixelFormat::Bit24);
        return computeHistogram(image, scale.factor);
    } catch (const std::bad_alloc&) {
        throw HistogramMemoryError();
    }
}

} // namespace tavlo
