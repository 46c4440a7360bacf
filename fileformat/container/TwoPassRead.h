// What one pass of either layout reader holds whatever the layout: the
// body's reader, the memory budget, and whether the pass stores what it
// reads.
//
// Both readers walk a body twice with the same code: a count pass that
// reads and checks every field, keeps nothing and charges the budget with
// everything the fill pass will allocate, and a fill pass that stores into
// the arrays allocated in between. One code path for both is what keeps
// the two passes on exactly the same bytes.
#pragma once

#include <cstdint>

#include "fileformat/container/MemoryBudget.h"
#include "fileformat/container/ReadFault.h"
#include "fileformat/container/TVXFileReader.h"

namespace tvx {

struct TwoPassRead {
    TVXFileReader& reader;
    MemoryBudget& budget;
    bool fill = false;

    bool filling() const { return fill; }

    // An array of `count` records that the fill pass will allocate: the
    // count pass charges it, so an over-budget file fails before anything
    // is allocated.
    template <class Record>
    [[nodiscard]] bool Reserve(std::int64_t count) {
        return fill || Charged(budget.TakeArrayOf<Record>(count));
    }
    [[nodiscard]] bool ReserveBytes(std::uint64_t bytes) { return fill || Charged(budget.Take(bytes)); }

private:
    bool Charged(bool taken) {
        if (!taken) {
            reader.NoteFault(FaultKind::OverBudget);
        }
        return taken;
    }
};

}  // namespace tvx
