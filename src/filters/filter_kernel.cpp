#include "filter_kernel.h"

#include <numeric>

namespace tavlo {

std::int64_t kernelSum(const FilterKernel& kernel) {
    return std::accumulate(kernel.begin(), kernel.end(), std::int64_t{0});
}

} // namespace tavlo
