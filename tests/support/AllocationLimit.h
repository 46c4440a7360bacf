// Test control over the global operator new (linked into chosen test
// programs only).
//
// While an AllocationLimit is alive, any single request larger than its
// limit throws std::bad_alloc, and, when failAfter is set, the request after
// that many successful ones fails too, and every one after it, or with
// `once` that request alone. The largest request seen is recorded,
// so a test can prove that hostile input never asked for much memory, and
// so is the number of requests, so a test can fail each one in turn.
#pragma once

#include <cstddef>
#include <limits>

namespace tvx::test {

class AllocationLimit {
public:
    explicit AllocationLimit(std::size_t maxBytes = std::numeric_limits<std::size_t>::max(), long failAfter = -1,
                             bool once = false);
    ~AllocationLimit();
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;

    // Requests made from code in a loaded library whose file name holds
    // `name` are never failed, though they are counted: for third-party
    // code that is known not to survive a failed allocation.
    void SpareLibrary(const char* name);

    std::size_t largestRequest() const;
    long requests() const;
    bool anyFailed() const;
};

}  // namespace tvx::test
