// The sequential body of versions 6 to 33: ten sections in a fixed order,
// each a count and its records, with no sizes or markers to skip by. So the
// body is walked twice: a count pass that learns every count (and proves the
// bytes behind it are present), then one allocation of every array, then a
// fill pass over the same bytes.
#include <climits>
#include <exception>

#include "document/DerivedTables.h"
#include "document/MaterialMaps.h"
#include "document/MeshAllocation.h"
#include "document/SceneAllocation.h"
#include "fileformat/container/ByteOrder.h"
#include "fileformat/container/FileConstants.h"
#include "fileformat/container/LayoutReaders.h"
#include "fileformat/legacy/LegacyMaterials.h"
#include "fileformat/legacy/LegacyMesh.h"
#include "fileformat/legacy/LegacySceneRecords.h"
#include "fileformat/container/MemoryBudget.h"

namespace tvx {
namespace {

constexpr std::size_t kFlagsOffset = 8;
// Without a UV-set section (6..29) or with an empty one, a scene still gets
// the two sets that polygon UV channels 0 and 1 refer to.
constexpr int kDefaultUVSets = 2;

// The flags of the header just accepted: of the decompressed file when the
// body was compressed, since that is the buffer being read.
std::uint32_t HeaderFlags(const TVXFileReader& reader) {
    const auto bytes = reader.bytes();
    return bytes.size() >= kFlagsOffset + 4 ? LoadU32LE(bytes.data() + kFlagsOffset) : 0;
}

bool ReadSections(LegacyPass& pass) {
    return ReadLegacyLights(pass) && ReadLegacyCameras(pass) && ReadLegacyMaterials(pass) &&
           ReadLegacyGroups(pass) && ReadLegacyVertices(pass) &&
           (!pass.format.fullRecords || (ReadLegacyTriangles(pass) && ReadLegacyUVSets(pass))) &&
           ReadLegacyFaceLists(pass) && ReadLegacyBones(pass) && ReadLegacyAnimations(pass);
}

// Triangles and UV sets alone make no scene: nothing refers to them.
bool HasContent(const TVXFileCounts& c) {
    return c.lightCount > 0 || c.cameraCount > 0 || c.materialCount > 0 || c.groupCount > 0 || c.vertexCount > 0 ||
           c.faceListCount > 0 || c.boneCount > 0 || c.animationCount > 0;
}

// Each array once, at its final size, from the counts the count pass learned.
bool AllocateOptional(int (*alloc)(TVXScene&, int), TVXScene& scene, int n) { return n <= 0 || alloc(scene, n); }

bool AllocateUVSets(TVXScene& scene) {
    const int sets = scene.fileCounts.uvSetCount > 0 ? scene.fileCounts.uvSetCount : kDefaultUVSets;
    if (!AllocUVSets(scene, sets)) {
        return false;
    }
    if (scene.legacyUVCoordCount > 0) {
        for (TVXUVSet& uvSet : scene.uvSets) {
            if (!AllocUVCoords(uvSet, scene.legacyUVCoordCount)) {
                return false;
            }
        }
    }
    return true;
}

bool AllocateScene(TVXScene& scene) {
    const TVXFileCounts& c = scene.fileCounts;
    // Face list i belongs to group i; a scene without groups gets one default
    // group for its first face list.
    const int groups = c.groupCount > 0 ? c.groupCount : 1;
    return AllocateOptional(AllocLights, scene, c.lightCount) &&
           AllocateOptional(AllocCameras, scene, c.cameraCount) &&
           AllocateOptional(AllocMaterials, scene, c.materialCount) && AllocGroups(scene, groups) &&
           AllocateOptional(AllocVertices, scene, c.vertexCount) &&
           AllocateOptional(AllocTriangles, scene, c.triangleCount) && AllocateUVSets(scene) &&
           AllocateOptional(AllocFaceLists, scene, c.faceListCount) &&
           AllocateOptional(AllocBones, scene, c.boneCount) && AllocateOptional(AllocAnimations, scene, c.animationCount);
}

bool CountPass(TVXFileReader& reader, TVXScene& scene, const LegacyFormat& format, MemoryBudget& budget) {
    scene.fileCounts = {};
    LegacyPass pass(reader, scene, format, false, budget);
    if (!ReadSections(pass) || !HasContent(scene.fileCounts)) {
        return false;
    }
    // Every corner takes at least four bytes of a buffer whose size is 32-bit,
    // so the total fits an int; the test keeps that from being an assumption.
    if (pass.cornerTotal > INT_MAX) {
        return false;
    }
    scene.legacyUVCoordCount = format.fullRecords ? 0 : static_cast<int>(pass.cornerTotal);
    return budget.Take(DocumentArrayBytes(scene.fileCounts, static_cast<std::uint64_t>(scene.legacyUVCoordCount)));
}

int ReadBody(TVXFileReader& reader, TVXScene& scene, MemoryBudget& budget) {
    const std::uint32_t start = reader.position();
    const LegacyFormat format = LegacyFormatOf(scene.version, HeaderFlags(reader));
    if (!CountPass(reader, scene, format, budget) || !AllocateScene(scene) || !reader.SetPosition(start)) {
        return kLoadFailed;
    }
    scene.vertexNormalsStored = format.vertexNormal;
    scene.vertexColorsStored = format.vertexColor;
    LegacyPass fill(reader, scene, format, true, budget);
    if (!ReadSections(fill)) {
        return kLoadFailed;
    }
    ComputeBoneWeightCounts(scene);
    ComputeMaterialPolygonCounts(scene);
    return kLoadOk;
}

}  // namespace

int ReadLegacyBody(TVXFileReader& reader, TVXScene& scene, MemoryBudget& budget) {
    // Allocations report failure themselves; what can still throw is the odd
    // string or path built on the way (bad_alloc in practice).
    try {
        return ReadBody(reader, scene, budget);
    } catch (const std::exception&) {
        return kLoadFailed;
    }
}

}  // namespace tvx
