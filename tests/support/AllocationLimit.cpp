#include "tests/support/AllocationLimit.h"

#include <dlfcn.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

std::atomic<bool> g_active{false};
std::atomic<std::size_t> g_maxBytes{0};
std::atomic<long> g_remaining{-1};
std::atomic<std::size_t> g_largest{0};
std::atomic<long> g_requests{0};
std::atomic<bool> g_once{false};
std::atomic<const char*> g_sparedLibrary{nullptr};

bool FromSparedLibrary(void* caller) {
    const char* spared = g_sparedLibrary.load(std::memory_order_relaxed);
    Dl_info info{};
    return spared != nullptr && caller != nullptr && dladdr(caller, &info) != 0 && info.dli_fname != nullptr &&
           std::strstr(info.dli_fname, spared) != nullptr;
}
std::atomic<bool> g_failed{false};

bool ShouldFail(std::size_t size, void* caller) {
    if (!g_active.load(std::memory_order_relaxed)) {
        return false;
    }
    g_requests.fetch_add(1, std::memory_order_relaxed);
    if (size > g_largest.load(std::memory_order_relaxed)) {
        g_largest.store(size, std::memory_order_relaxed);
    }
    bool fail = size > g_maxBytes.load(std::memory_order_relaxed);
    const long remaining = g_remaining.load(std::memory_order_relaxed);
    if (remaining == 0 && FromSparedLibrary(caller)) {
        return false;  // the next request takes the failure
    }
    if (remaining == 0) {
        fail = true;
        if (g_once.load(std::memory_order_relaxed)) {
            g_remaining.store(-1, std::memory_order_relaxed);
        }
    } else if (remaining > 0) {
        g_remaining.store(remaining - 1, std::memory_order_relaxed);
    }
    if (fail) {
        g_failed.store(true, std::memory_order_relaxed);
    }
    return fail;
}

void* Allocate(std::size_t size, void* caller) {
    if (ShouldFail(size, caller)) {
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

void* AllocateNoThrow(std::size_t size, void* caller) noexcept {
    if (ShouldFail(size, caller)) {
        return nullptr;
    }
    return std::malloc(size == 0 ? 1 : size);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size, __builtin_return_address(0)); }
void* operator new[](std::size_t size) { return Allocate(size, __builtin_return_address(0)); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return AllocateNoThrow(size, __builtin_return_address(0));
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return AllocateNoThrow(size, __builtin_return_address(0));
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace tvx::test {

AllocationLimit::AllocationLimit(std::size_t maxBytes, long failAfter, bool once) {
    g_maxBytes = maxBytes;
    g_remaining = failAfter;
    g_once = once;
    g_largest = 0;
    g_requests = 0;
    g_failed = false;
    g_active = true;
}

AllocationLimit::~AllocationLimit() {
    g_active = false;
    g_sparedLibrary = nullptr;
}

void AllocationLimit::SpareLibrary(const char* name) { g_sparedLibrary = name; }

std::size_t AllocationLimit::largestRequest() const { return g_largest; }

long AllocationLimit::requests() const { return g_requests; }

bool AllocationLimit::anyFailed() const { return g_failed; }

}  // namespace tvx::test
