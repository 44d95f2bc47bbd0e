#include "large_buffer.h"

#include <cstdlib>
#include <sys/mman.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace tavlo {

void* allocateLarge(std::size_t size) {
    constexpr std::size_t kHugePage = std::size_t{2} << 20;
    void* memory = nullptr;
    if (size >= kHugePage) {
        const std::size_t rounded = (size + kHugePage - 1) / kHugePage * kHugePage;
        memory = std::aligned_alloc(kHugePage, rounded);
        if (memory) ::madvise(memory, rounded, MADV_HUGEPAGE);
    } else {
        memory = std::malloc(size == 0 ? 1 : size);
    }
    if (!memory) throw std::bad_alloc();
    return memory;
}

void freeLarge(void* memory) noexcept {
    std::free(memory);
}

void giveLargeBlocksBackWhenFreed() {
#ifdef __GLIBC__
    // A fixed threshold also ends the raising.
    ::mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
}

} // namespace tavlo
