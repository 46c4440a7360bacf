#include "exporter/WeldGrid.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace tvx::exporter {
namespace {

// From this magnitude on, neighbouring floats lie 2^-9 or more apart, wider
// than the weld distance, and so do the floats just below it: two such
// coordinates weld only when they are equal. The coordinate itself then
// names its cell, where a division would overflow any integer near FLT_MAX.
constexpr float kExactFrom = 32768.0f;

// Twice the weld distance, and 1% more: a point searches its own cell and
// the neighbour beside the half it lies in. The margin keeps every partner
// inside those two cells although the squared distance is rounded before it
// is compared, and although the division placing a point is rounded too.
constexpr double kCellSize = 2.0 * 0.001 * 1.01;

struct AxisCells {
    std::int32_t first = 0;
    std::int32_t count = 1;
};

bool IsFinite(const Vector3& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

bool IsExact(float x) { return std::fabs(x) >= kExactFrom; }

double InCells(float x) { return static_cast<double>(x) / kCellSize; }

// The bits of the magnitude, signed: at least 0x47000000 in size, where the
// divided cells stay below 2^24, so the two kinds never share a cell.
std::int32_t ExactCell(float x) {
    const auto magnitude = static_cast<std::int32_t>(std::bit_cast<std::uint32_t>(x) & 0x7FFFFFFFu);
    return x < 0.0f ? -magnitude : magnitude;
}

std::int32_t CellAlong(float x) {
    if (IsExact(x)) {
        return ExactCell(x);
    }
    return static_cast<std::int32_t>(std::floor(InCells(x)));
}

AxisCells SearchAlong(float x) {
    if (IsExact(x)) {
        return {ExactCell(x), 1};
    }
    const double scaled = InCells(x);
    const double cell = std::floor(scaled);
    const auto first = static_cast<std::int32_t>(cell);
    return scaled - cell < 0.5 ? AxisCells{first - 1, 2} : AxisCells{first, 2};
}

}  // namespace

bool WithinWeldDistance(const Vector3& a, const Vector3& b) {
    const float dx = a.x - b.x;
    const float dy = a.y - b.y;
    const float dz = a.z - b.z;
    return dx * dx + dy * dy + dz * dz <= 0.000001f;
}

void WeldGrid::Reset(int expectedPoints) {
    entries_.clear();
    entries_.reserve(static_cast<std::size_t>(std::max(expectedPoints, 0)));
    Allocate(static_cast<std::size_t>(std::max(expectedPoints, 0)));
}

// At most half the slots are ever used, so a probe soon meets an empty one.
void WeldGrid::Allocate(std::size_t points) {
    slotBits_ = 4;
    while ((std::size_t{1} << slotBits_) < 2 * points) {
        ++slotBits_;
    }
    slots_.assign(std::size_t{1} << slotBits_, Slot{});
    usedSlots_ = 0;
}

// The cells keep their entries; only the slots move.
void WeldGrid::Grow() {
    const std::vector<Slot> old = std::move(slots_);
    Allocate(std::max<std::size_t>(2 * usedSlots_, 8));
    for (const Slot& slot : old) {
        if (slot.newest >= 0) {
            slots_[SlotOf(slot.cell)] = slot;
            ++usedSlots_;
        }
    }
}

std::size_t WeldGrid::SlotOf(const Cell& cell) const {
    std::uint64_t h = static_cast<std::uint32_t>(cell.x) * 0x9E3779B97F4A7C15ull;
    h ^= static_cast<std::uint32_t>(cell.y) * 0xC2B2AE3D27D4EB4Full;
    h ^= static_cast<std::uint32_t>(cell.z) * 0x165667B19E3779F9ull;
    h ^= h >> 32;
    h *= 0xD6E8FEB86659FD93ull;
    const std::size_t mask = slots_.size() - 1;
    auto i = static_cast<std::size_t>(h >> (64 - slotBits_));
    while (slots_[i].newest >= 0 && !(slots_[i].cell == cell)) {
        i = (i + 1) & mask;
    }
    return i;
}

void WeldGrid::Insert(int index, const Vector3& position) {
    if (!IsFinite(position)) {
        return;
    }
    if (2 * (usedSlots_ + 1) > slots_.size()) {
        Grow();
    }
    const Cell cell{CellAlong(position.x), CellAlong(position.y), CellAlong(position.z)};
    Slot& slot = slots_[SlotOf(cell)];
    if (slot.newest < 0) {
        slot.cell = cell;
        ++usedSlots_;
    }
    entries_.push_back({position, index, slot.newest});
    slot.newest = static_cast<int>(entries_.size() - 1);
}

int WeldGrid::NewestWithin(const Vector3& position) const {
    if (!IsFinite(position) || slots_.empty()) {
        return -1;
    }
    const AxisCells xs = SearchAlong(position.x);
    const AxisCells ys = SearchAlong(position.y);
    const AxisCells zs = SearchAlong(position.z);
    int newest = -1;
    for (std::int32_t x = 0; x < xs.count; ++x) {
        for (std::int32_t y = 0; y < ys.count; ++y) {
            for (std::int32_t z = 0; z < zs.count; ++z) {
                const Cell cell{xs.first + x, ys.first + y, zs.first + z};
                newest = std::max(newest, NewestWithinCell(cell, position));
            }
        }
    }
    return newest;
}

// A cell's entries run newest first, so the first one within distance is
// its newest.
int WeldGrid::NewestWithinCell(const Cell& cell, const Vector3& position) const {
    for (int e = slots_[SlotOf(cell)].newest; e >= 0; e = entries_[static_cast<std::size_t>(e)].older) {
        const Entry& entry = entries_[static_cast<std::size_t>(e)];
        if (WithinWeldDistance(entry.position, position)) {
            return entry.index;
        }
    }
    return -1;
}

}  // namespace tvx::exporter
