// The vertices a reweld pass has kept so far, found by position.
//
// A pass asks, for each vertex in turn, for the newest kept vertex within
// weld distance. The kept vertices it inserts are pairwise beyond that
// distance (a nearer one would have merged instead of being kept), so every
// cell of this grid holds only a handful of them and a query costs a few
// distance tests, where a walk over all kept vertices would cost the whole
// list.
#pragma once

#include <cstdint>
#include <vector>

#include "document/MathTypes.h"

namespace tvx::exporter {

// Whether two positions weld: their squared distance, summed in single
// precision, is at most 0.000001 (0.001 apart). Never for a NaN or infinite
// coordinate, whose distance compares false.
[[nodiscard]] bool WithinWeldDistance(const Vector3& a, const Vector3& b);

class WeldGrid {
public:
    // Forgets every point. Room is made for expectedPoints insertions; more
    // only cost a regrowth.
    void Reset(int expectedPoints);

    // Adds the point with this index at position. Indices must increase from
    // one call to the next. A cell holds a handful of points only while no
    // two inserted points lie within weld distance of each other. A position
    // with a non-finite coordinate welds with nothing and is not stored, so
    // any number of them cost nothing.
    void Insert(int index, const Vector3& position);

    // The highest index inserted whose position lies within weld distance of
    // position, -1 when there is none.
    [[nodiscard]] int NewestWithin(const Vector3& position) const;

private:
    struct Cell {
        std::int32_t x = 0;
        std::int32_t y = 0;
        std::int32_t z = 0;

        bool operator==(const Cell&) const = default;
    };
    struct Slot {
        Cell cell;
        int newest = -1;  // the cell's newest entry, -1 for an empty slot
    };
    struct Entry {
        Vector3 position;
        int index = 0;
        int older = -1;  // the next entry of the same cell
    };

    void Allocate(std::size_t points);
    void Grow();
    // The slot holding cell, or the empty one where it would go.
    [[nodiscard]] std::size_t SlotOf(const Cell& cell) const;
    [[nodiscard]] int NewestWithinCell(const Cell& cell, const Vector3& position) const;

    std::vector<Slot> slots_;
    std::vector<Entry> entries_;
    std::size_t usedSlots_ = 0;
    int slotBits_ = 0;
};

}  // namespace tvx::exporter
