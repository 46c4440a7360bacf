// Test control over the global operator new (linked into chosen test
// programs only).
//
// While an AllocationLimit is alive, any single request larger than its
// limit throws std::bad_alloc, and, when failAfter is set, the request after
// that many successful ones fails too. The largest request seen is recorded,
// so a test can prove that hostile input never asked for much memory.
#pragma once

#include <cstddef>
#include <limits>

namespace tvx::test {

class AllocationLimit {
public:
    explicit AllocationLimit(std::size_t maxBytes = std::numeric_limits<std::size_t>::max(), long failAfter = -1);
    ~AllocationLimit();
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;

    std::size_t largestRequest() const;
    bool anyFailed() const;
};

}  // namespace tvx::test
