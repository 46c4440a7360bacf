#include "fileformat/MemoryBudget.h"

namespace tvx {
namespace {

constexpr std::uint64_t kBytesPerFileByte = 32;
constexpr std::uint64_t kAlwaysAllowed = 64ull << 20;

template <class Record>
std::uint64_t ArrayBytes(int count) {
    return count > 0 ? static_cast<std::uint64_t>(count) * sizeof(Record) : 0;
}

}  // namespace

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

bool CountsFitFile(const TVXFileCounts& counts, std::uint64_t legacyUVCoords, std::uint64_t fileBytes) {
    return DocumentArrayBytes(counts, legacyUVCoords) <= kBytesPerFileByte * fileBytes + kAlwaysAllowed;
}

}  // namespace tvx
