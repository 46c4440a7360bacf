// The layout of the v2.x exporter: a 96-byte header whose table holds nine
// sections, then the sections back to back.
#include "fileformat/legacy/LayoutWriters.h"
#include "fileformat/legacy/LegacyFileWriter.h"
#include "fileformat/legacy/MaterialRecordFields.h"
#include "fileformat/legacy/MeshRecordFields.h"
#include "fileformat/legacy/PolygonRecordFields.h"
#include "fileformat/legacy/SceneRecordFields.h"

namespace tvx {
namespace {

// In file order; the trailer follows as section 8.
enum Section : std::size_t {
    kLights,
    kCameras,
    kMaterials,
    kGroups,
    kVertices,
    kFaceLists,
    kBones,
    kAnimations,
    kTrailer,
};

// What the options let into the file. Weights and animations refer to
// bones, so neither goes without them.
struct Contents {
    bool colours = false;
    bool weights = false;
    bool normals = false;  // only for a scene read from a file that stored them
    bool mapping = false;  // UV coordinates; without, every one is stored as zero
    int boneCount = 0;
    int animationCount = 0;
};

Contents ContentsFor(const TVXExporterData& data) {
    const ExportOptions& options = data.options;
    const bool bones = IsOn(options.exportBones);
    Contents contents;
    contents.colours = IsOn(options.exportColorChannel);
    contents.weights = bones;
    contents.normals = data.scene.vertexNormalsStored;
    contents.mapping = IsOn(options.exportMappingChannel);
    contents.boneCount = bones ? Count(data.scene.bones) : 0;
    contents.animationCount = bones && IsOn(options.exportAnimation) ? Count(data.scene.animations) : 0;
    return contents;
}

// Version 9 stores narrow text, short records and bones with a scale.
LegacyFormat FormatOf(const Contents& contents) {
    return LegacyFormatOf(9, (contents.normals ? kLegacyVertexNormal : 0u) |
                                 (contents.colours ? kLegacyVertexColor : 0u));
}

template <class T>
std::span<const T> First(const std::vector<T>& records, int count) {
    return std::span<const T>(records).first(static_cast<std::size_t>(count));
}

// The v2.x export carries no lights or cameras; their sections are still
// present, empty, because the reader takes the sections by position. There
// is a face list per group, and a group without a face list of its own is
// written with no polygons.
bool WriteFile(TVXExporterData& data, OutputFile& file, std::span<std::uint32_t> header) {
    const Contents contents = ContentsFor(data);
    const TVXScene& s = data.scene;
    LegacyFileWriter w(file, header, FormatOf(contents));
    return w.Start() && w.EmptySection(kLights) && w.EmptySection(kCameras) &&
           w.Section(kMaterials, s.materials, kMaterialFields) && w.Section(kGroups, s.groups, kGroupFields) &&
           w.Section(kVertices, s.vertices,
                     [&contents](auto& io, auto& vertex) { return VertexFields(io, vertex, contents.weights); }) &&
           w.Section(kFaceLists, Count(s.groups), WrittenFaceListFields(s, contents.mapping)) &&
           w.Section(kBones, First(s.bones, contents.boneCount), kBoneFields) &&
           w.Section(kAnimations, First(s.animations, contents.animationCount), kAnimationFields) &&
           w.Trailer(kTrailer, data) && w.Finish();
}

}  // namespace

int WriteVersion9File(TVXExporterData& data, OutputFile& file, std::span<std::uint32_t, kVersion9HeaderWords> header) {
    return GuardedWrite([&] { return WriteFile(data, file, header); });
}

}  // namespace tvx
