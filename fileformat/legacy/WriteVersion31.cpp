// The exporter's default layout: a 128-byte header whose table holds eleven
// sections, then the sections back to back.
#include <new>

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
    return w.Start() &&
           w.Section(kLights, s.lights, [](auto& io, auto& light) { return LightFields(io, light); }) &&
           w.Section(kCameras, s.cameras, [](auto& io, auto& camera) { return CameraFields(io, camera); }) &&
           w.Section(kMaterials, s.materials, [](auto& io, auto& material) { return MaterialFields(io, material); }) &&
           w.Section(kGroups, s.groups, [](auto& io, auto& group) { return GroupFields(io, group); }) &&
           w.Section(kVertices, s.vertices,
                     [&contents](auto& io, auto& vertex) { return VertexFields(io, vertex, contents.bones); }) &&
           // The polygons carry the mesh; the triangle section stays empty.
           w.EmptySection(kTriangles) &&
           w.Section(kUVSets, kUVSetsWritten,
                     [&s](LegacyWriteIo& io, int k) {
                         const WrittenUVSet uvSet = WrittenUVSetAt(s, k);
                         return UVSetFields(io, uvSet);
                     }) &&
           w.Section(kFaceLists, Count(s.faceLists),
                     [&s](LegacyWriteIo& io, int i) {
                         const WrittenFaceList list = WrittenFaceListAt(s, i, false);
                         return FaceListFields(io, list, i);
                     }) &&
           w.Section(kBones, OnlyIf(contents.bones, s.bones),
                     [](auto& io, auto& bone) { return BoneFields(io, bone); }) &&
           w.Section(kAnimations, OnlyIf(contents.animations, s.animations),
                     [](auto& io, auto& animation) { return AnimationFields(io, animation); }) &&
           w.Trailer(kTrailer, data) && w.Finish();
}

}  // namespace

int WriteVersion31(TVXExporterData& data, OutputFile& file, std::span<std::uint32_t, kVersion31HeaderWords> header) {
    try {
        return WriteFile(data, file, header) ? 1 : 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

}  // namespace tvx
