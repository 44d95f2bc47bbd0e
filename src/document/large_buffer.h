// Memory for large pixel and file buffers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

namespace tavlo {

// Blocks of 2 MiB and more are placed on huge pages where the system offers them: a fresh
// 24-megapixel image then costs dozens of page faults instead of tens of thousands.
// Throws std::bad_alloc.
void* allocateLarge(std::size_t size);
void freeLarge(void* memory) noexcept;

// Blocks of 1 MiB and more go back to the system when freed. Left to itself, glibc raises the
// size it maps blocks from after the first large one is freed (up to 32 MiB) and serves the
// later ones - a photo's file bytes, the decoder's buffers - from heaps that never shrink, one
// per thread: browsing a folder of camera photos then grew by a photo's size every few files.
// Called once at start, before any other thread.
void giveLargeBlocksBackWhenFreed();

// An allocator whose elements start uninitialised: for buffers that are filled right away.
template <class T> struct UninitialisedAllocator {
    using value_type = T;
    UninitialisedAllocator() = default;
    template <class U> UninitialisedAllocator(const UninitialisedAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) { return static_cast<T*>(allocateLarge(n * sizeof(T))); }
    void deallocate(T* p, std::size_t) noexcept { freeLarge(p); }
    template <class U> void construct(U* p) noexcept { ::new (static_cast<void*>(p)) U; }
    template <class U, class... Args> void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
    bool operator==(const UninitialisedAllocator&) const = default;
};

using ByteBuffer = std::vector<std::uint8_t, UninitialisedAllocator<std::uint8_t>>;

} // namespace tavlo
