#include "tests/support/AllocationLimit.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> g_active{false};
std::atomic<std::size_t> g_maxBytes{0};
std::atomic<long> g_remaining{-1};
std::atomic<std::size_t> g_largest{0};
std::atomic<bool> g_failed{false};

bool ShouldFail(std::size_t size) {
    if (!g_active.load(std::memory_order_relaxed)) {
        return false;
    }
    if (size > g_largest.load(std::memory_order_relaxed)) {
        g_largest.store(size, std::memory_order_relaxed);
    }
    bool fail = size > g_maxBytes.load(std::memory_order_relaxed);
    const long remaining = g_remaining.load(std::memory_order_relaxed);
    if (remaining == 0) {
        fail = true;
    } else if (remaining > 0) {
        g_remaining.store(remaining - 1, std::memory_order_relaxed);
    }
    if (fail) {
        g_failed.store(true, std::memory_order_relaxed);
    }
    return fail;
}

void* Allocate(std::size_t size) {
    if (ShouldFail(size)) {
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

void* AllocateNoThrow(std::size_t size) noexcept {
    if (ShouldFail(size)) {
        return nullptr;
    }
    return std::malloc(size == 0 ? 1 : size);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return AllocateNoThrow(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return AllocateNoThrow(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace tvx::test {

AllocationLimit::AllocationLimit(std::size_t maxBytes, long failAfter) {
    g_maxBytes = maxBytes;
    g_remaining = failAfter;
    g_largest = 0;
    g_failed = false;
    g_active = true;
}

AllocationLimit::~AllocationLimit() { g_active = false; }

std::size_t AllocationLimit::largestRequest() const { return g_largest; }

bool AllocationLimit::anyFailed() const { return g_failed; }

}  // namespace tvx::test
