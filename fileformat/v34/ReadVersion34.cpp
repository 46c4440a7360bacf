// The chunked layout of version 34: after the header a directory chunk, then
// section chunks in any order. Read in two passes over the same bytes: the
// count pass learns how many records of each kind there are, the arrays are
// allocated once from those counts, and the fill pass stores the values.
#include <exception>

#include "document/DerivedTables.h"
#include "fileformat/container/ByteOrder.h"
#include "fileformat/container/FileConstants.h"
#include "fileformat/container/LayoutReaders.h"
#include "fileformat/container/MemoryBudget.h"
#include "fileformat/v34/Version34Allocation.h"
#include "fileformat/v34/Version34Sections.h"

namespace tvx {
namespace {

using namespace v34;

constexpr std::uint32_t kFlagsOffset = 8;

bool ReadVertexFlags(const TVXFileReader& reader, std::uint32_t& flags) {
    if (reader.length() < kFlagsOffset + 4) {
        return false;
    }
    flags = LoadU32LE(reader.bytes().data() + kFlagsOffset);
    return true;
}

// The directory's entries say where each section starts. Sections are found
// by walking the chunks, so the entries are passed over unread, and a body
// that is not a whole number of entries cannot shift the first section.
bool SkipDirectory(TVXFileReader& reader) {
    ChunkHead head;
    if (!ReadChunkHead(reader, head) || head.id != kDirectoryId) {
        return false;
    }
    FinishChunk(reader, head.end);
    return true;
}

const char* SectionName(std::uint32_t id) {
    switch (id) {
    case kLightsId:
        return "light section";
    case kCamerasId:
        return "camera section";
    case kMaterialsId:
        return "material section";
    case kEmbeddedFilesId:
        return "embedded file section";
    case kGroupsId:
        return "group section";
    case kMeshId:
        return "mesh section";
    case kBonesId:
        return "bone section";
    case kAnimationsId:
        return "animation section";
    case kNameListId:
        return "name list";
    default:
        return "section";
    }
}

int WalkSection(Walk& walk, const ChunkHead& head) {
    switch (head.id) {
    case kLightsId:
        return WalkLights(walk);
    case kCamerasId:
        return WalkCameras(walk);
    case kMaterialsId:
        return WalkMaterials(walk);
    case kEmbeddedFilesId:
        return WalkEmbeddedFiles(walk);
    case kGroupsId:
        return WalkGroups(walk);
    case kMeshId:
        return WalkMesh(walk, head.end);
    case kBonesId:
        return WalkBones(walk);
    case kAnimationsId:
        return WalkAnimations(walk);
    case kNameListId:
        return WalkNameList(walk);
    default:  // 0xBBBB0005 and anything newer than this reader
        return 1;
    }
}

bool WalkSections(Walk& walk) {
    TVXFileReader& reader = walk.reader;
    while (reader.position() < reader.length()) {
        ChunkHead head;
        if (!ReadChunkHead(reader, head)) {
            return false;
        }
        if (!WalkSection(walk, head)) {
            reader.LocateFault(SectionName(head.id));
            return false;
        }
        FinishChunk(reader, head.end);
    }
    return true;
}

int ReadChunkedBody(TVXFileReader& reader, TVXScene& scene, const LoadOptions& options, MemoryBudget& budget) {
    std::uint32_t flags = 0;
    if (!ReadVertexFlags(reader, flags) || !SkipDirectory(reader)) {
        return kLoadFailed;
    }
    const std::uint32_t sectionsStart = reader.position();

    scene.fileCounts = {};
    Walk counting{{reader, budget, false}, scene, options, flags};
    if (!WalkSections(counting) || !SettleCounts(scene.fileCounts, counting.chunksSeen) ||
        !budget.Take(DocumentArrayBytes(scene.fileCounts, 0)) || !AllocateScene(scene)) {
        return kLoadFailed;
    }

    scene.vertexNormalsStored = (flags & kVertexNormal) != 0;
    scene.vertexColorsStored = (flags & kVertexColor) != 0;
    Walk filling{{reader, budget, true}, scene, options, flags};
    if (!reader.SetPosition(sectionsStart) || !WalkSections(filling)) {
        return kLoadFailed;
    }
    WriteEmbeddedFiles(filling);
    ComputeBoneWeightCounts(scene);
    ComputeMaterialPolygonCounts(scene);
    return kLoadOk;
}

}  // namespace

int ReadVersion34(TVXFileReader& reader, TVXScene& scene, const LoadOptions& options, MemoryBudget& budget) {
    // The document reports failed allocations itself; this catches what the
    // standard library may still throw (path and text conversions).
    try {
        return ReadChunkedBody(reader, scene, options, budget);
    } catch (const std::exception&) {
        return kLoadFailed;
    }
}

}  // namespace tvx
