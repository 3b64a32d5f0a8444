// Counts every call of the global operator new, for tests that prove a piece of work takes
// nothing from the heap. It replaces the allocator of the whole program: include it in exactly
// one file of a test program of its own.
#pragma once

#include <atomic>
#include <cstdlib>
#include <new>

// The replacements below pair malloc with free throughout; GCC cannot see that across inlined
// library code and would call it a mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

namespace zarvo::testing {

// Calls of operator new (all forms) since the program started.
inline std::atomic<long> allocation_count{0};

}  // namespace zarvo::testing

void* operator new(std::size_t size) {
    zarvo::testing::allocation_count.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
