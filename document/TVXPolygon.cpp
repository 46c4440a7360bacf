#include <cassert>
#include <cstddef>
#include <new>

#include "document/MeshRecords.h"

namespace tvx {

int TVXPolygon::AllocArrays(int corners, int channels, int fill) {
    if (corners < 0 || channels < 0) {
        return 0;
    }
    DropArrays();
    const std::size_t n = static_cast<std::size_t>(corners);
    const std::size_t slices = 2 + 2 * static_cast<std::size_t>(channels);
    try {
        indices_.assign(n * slices, fill);
    } catch (const std::bad_alloc&) {
        DropArrays();
        return 0;
    }
    cornerCount_ = corners;
    uvChannelCount_ = channels;
    hasArrays_ = true;
    return 1;
}

void TVXPolygon::Release() {
    DropArrays();
    groupIndex = -1;
    materialIndex = -1;
    smoothing = -1;
}

void TVXPolygon::DropArrays() {
    std::vector<int>().swap(indices_);
    cornerCount_ = 0;
    uvChannelCount_ = 0;
    hasArrays_ = false;
}

std::span<int> TVXPolygon::Slice(int index) {
    assert(index >= 0 && index < 2 + 2 * uvChannelCount_);
    const auto n = static_cast<std::size_t>(cornerCount_);
    return std::span<int>(indices_).subspan(static_cast<std::size_t>(index) * n, n);
}

std::span<const int> TVXPolygon::Slice(int index) const {
    assert(index >= 0 && index < 2 + 2 * uvChannelCount_);
    const auto n = static_cast<std::size_t>(cornerCount_);
    return std::span<const int>(indices_).subspan(static_cast<std::size_t>(index) * n, n);
}

}  // namespace tvx
