// The exporter's default layout: a 128-byte header whose table holds eleven
// sections, then the sections back to back.
#include "fileformat/legacy/LayoutWriters.h"
#include "fileformat/legacy/LegacyFileWriter.h"
#include "fileformat/legacy/MaterialRecordFields.h"
#include "fileformat/legacy/MeshRecordFields.h"
#include "fileformat/legacy/PolygonRecordFields.h"
#include "fileformat/legacy/SceneRecordFields.h"

namespace tvx {
namespace {

constexpr int kUVSetsWritten = 2;

// In file order; the trailer follows as section 10.
enum Section : std::size_t {
    kLights,
    kCameras,
    kMaterials,
    kGroups,
    kVertices,
    kTriangles,
    kUVSets,
    kFaceLists,
    kBones,
    kAnimations,
    kTrailer,
};

// What the exporter's options let into the file.
struct Contents {
    bool bones = false;       // vertex weights, bones and animations
    bool animations = false;  // only with bones, whose tracks they hold
    bool colours = false;     // a colour in every vertex record
    // A normal in every vertex record: only for a scene read from a file
    // that stored them, so a converted file keeps them.
    bool normals = false;
};

Contents ContentsFor(const TVXExporterData& data) {
    const ExportOptions& options = data.options;
    Contents contents;
    contents.bones = IsOn(options.exportBones);
    contents.animations = contents.bones && IsOn(options.exportAnimation);
    contents.colours = IsOn(options.exportColorChannel);
    contents.normals = data.scene.vertexNormalsStored;
    return contents;
}

LegacyFormat FormatOf(const Contents& contents) {
    return LegacyFormatOf(31, (contents.normals ? kLegacyVertexNormal : 0u) |
                                  (contents.colours ? kLegacyVertexColor : 0u));
}

template <class T>
std::span<const T> OnlyIf(bool wanted, const std::vector<T>& records) {
    return wanted ? std::span<const T>(records) : std::span<const T>();
}

bool WriteFile(TVXExporterData& data, OutputFile& file, std::span<std::uint32_t> header) {
    const Contents contents = ContentsFor(data);
    const TVXScene& s = data.scene;
    LegacyFileWriter w(file, header, FormatOf(contents));
    return w.Start() && w.Section(kLights, s.lights, kLightFields) && w.Section(kCameras, s.cameras, kCameraFields) &&
           w.Section(kMaterials, s.materials, kMaterialFields) && w.Section(kGroups, s.groups, kGroupFields) &&
           w.Section(kVertices, s.vertices,
                     [&contents](auto& io, auto& vertex) { return VertexFields(io, vertex, contents.bones); }) &&
           // The polygons carry the mesh; the triangle section stays empty.
           w.EmptySection(kTriangles) && w.Section(kUVSets, kUVSetsWritten, WrittenUVSetFields(s)) &&
           w.Section(kFaceLists, Count(s.faceLists), WrittenFaceListFields(s, false)) &&
           w.Section(kBones, OnlyIf(contents.bones, s.bones), kBoneFields) &&
           w.Section(kAnimations, OnlyIf(contents.animations, s.animations), kAnimationFields) &&
           w.Trailer(kTrailer, data) && w.Finish();
}

}  // namespace

int WriteVersion31(TVXExporterData& data, OutputFile& file, std::span<std::uint32_t, kVersion31HeaderWords> header) {
    return GuardedWrite([&] { return WriteFile(data, file, header); });
}

}  // namespace tvx
