#include "fileformat/container/MemoryBudget.h"

namespace tvx {
namespace {

template <class Record>
std::uint64_t ArrayBytes(int count) {
    return count > 0 ? static_cast<std::uint64_t>(count) * sizeof(Record) : 0;
}

}  // namespace

bool MemoryBudget::Take(std::uint64_t bytes) {
    if (exceeded_ || bytes > limit_ - taken_) {
        exceeded_ = true;
        return false;
    }
    taken_ += bytes;
    return true;
}

bool MemoryBudget::TakeArray(std::int64_t count, std::uint64_t recordBytes) {
    if (count <= 0) {
        return !exceeded_;
    }
    // Counts are 31-bit and records a few kilobytes, so this cannot wrap.
    return Take(static_cast<std::uint64_t>(count) * recordBytes + kBlockOverhead);
}

std::uint64_t DocumentArrayBytes(const TVXFileCounts& c, std::uint64_t legacyUVCoords) {
    // Versions 6..29 give each of the two UV sets one coordinate per corner.
    const std::uint64_t uvSets = c.uvSetCount > 2 ? static_cast<std::uint64_t>(c.uvSetCount) : 2;
    return ArrayBytes<TVXLight>(c.lightCount) + ArrayBytes<TVXCamera>(c.cameraCount) +
           ArrayBytes<TVXMaterial>(c.materialCount) + ArrayBytes<TVXGroup>(c.groupCount) +
           ArrayBytes<TVXVertex>(c.vertexCount) + ArrayBytes<TVXTriangle>(c.triangleCount) +
           ArrayBytes<TVXUVSet>(c.uvSetCount) + ArrayBytes<TVXFaceList>(c.faceListCount) +
           ArrayBytes<TVXBone>(c.boneCount) + ArrayBytes<TVXAnimation>(c.animationCount) +
           uvSets * legacyUVCoords * sizeof(TVXUVCoord);
}

std::uint64_t MapPayloadBytes(int kind) {
    return kind == kMapKindCube ? kCubeFaceCount * sizeof(TVXString) + MemoryBudget::kBlockOverhead : 0;
}

}  // namespace tvx
