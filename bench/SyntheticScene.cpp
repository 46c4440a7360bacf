#include "bench/SyntheticScene.h"

#include <zlib.h>

#include <array>
#include <cmath>
#include <cstring>
#include <utility>

#include "document/MaterialMaps.h"
#include "document/MeshAllocation.h"
#include "document/SceneAllocation.h"
#include "fileformat/container/ByteOrder.h"
#include "fileformat/container/FileConstants.h"
#include "fileformat/container/MemoryOutputFile.h"
#include "fileformat/legacy/LayoutWriters.h"

namespace tvx::bench {
namespace {

bool FillVertices(TVXScene& scene, int count, int bones) {
    if (!AllocVertices(scene, count)) {
        return false;
    }
    const int side = static_cast<int>(std::sqrt(static_cast<double>(count))) + 1;
    for (int i = 0; i < count; ++i) {
        TVXVertex& v = scene.vertices[static_cast<std::size_t>(i)];
        v.position = {static_cast<float>(i % side) * 0.01f, static_cast<float>(i / side) * 0.01f,
                      static_cast<float>(i % 7) * 0.001f};
        v.color = {0.5f, static_cast<float>(i % 256) / 255.0f, 0.25f, 1.0f};
        if (!AllocWeights(v, 2)) {
            return false;
        }
        v.weights[0] = {i % bones, 0.75f};
        v.weights[1] = {(i + 1) % bones, 0.25f};
    }
    return true;
}

bool FillUVSets(TVXScene& scene, int coords) {
    if (!AllocUVSets(scene, 2)) {
        return false;
    }
    for (TVXUVSet& set : scene.uvSets) {
        if (!AllocUVCoords(set, coords)) {
            return false;
        }
        for (int i = 0; i < coords; ++i) {
            set.coords[static_cast<std::size_t>(i)] = {0, static_cast<float>(i % 1000) / 1000.0f,
                                                       static_cast<float>(i / 1000 % 1000) / 1000.0f};
        }
    }
    return true;
}

bool FillTriangles(TVXScene& scene, int triangles, int vertices, int materials) {
    if (!AllocGroups(scene, 1) || !AllocFaceLists(scene, 1) ||
        !AllocThreeCornerPolygons(scene.faceLists[0], triangles)) {
        return false;
    }
    for (int t = 0; t < triangles; ++t) {
        TVXPolygon& p = scene.faceLists[0].polygons[static_cast<std::size_t>(t)];
        p.groupIndex = 0;
        p.materialIndex = t % materials;
        p.smoothing = 1;
        for (int c = 0; c < 3; ++c) {
            const int vertex = (t / 2 + c) % vertices;
            p.vertexIndices()[static_cast<std::size_t>(c)] = vertex;
            p.uvIndices(0)[static_cast<std::size_t>(c)] = vertex;
            p.uvIndices(1)[static_cast<std::size_t>(c)] = vertex;
        }
    }
    return true;
}

bool FillMaterials(TVXScene& scene, int count) {
    if (!AllocMaterials(scene, count)) {
        return false;
    }
    for (TVXMaterial& m : scene.materials) {
        m.colors[kColorDiffuse] = {0.8f, 0.7f, 0.6f, 1.0f};
        m.shininess = 32.0f;
        m.opacity = 1.0f;
        TVXMap* map = AllocMapSlots(m, 1) ? CreateMap(m, 0, kMapKeyDiffuse, kMapKindBitmap) : nullptr;
        if (map == nullptr) {
            return false;
        }
        map->fileName = TVXString::FromNarrow("C:\\textures\\skin_diffuse.png");
    }
    return true;
}

bool FillSkeleton(TVXScene& scene, int bones, int frames) {
    if (!AllocBones(scene, bones) || !AllocAnimations(scene, 1) || !AllocTracks(scene.animations[0], bones)) {
        return false;
    }
    for (int b = 0; b < bones; ++b) {
        scene.bones[static_cast<std::size_t>(b)].parentIndex = b - 1;
        scene.bones[static_cast<std::size_t>(b)].transform.position = {0.0f, 0.1f, 0.0f};
    }
    TVXAnimation& animation = scene.animations[0];
    animation.end = static_cast<float>(frames);
    animation.frameRate = 30.0f;
    for (TVXBoneTrack& track : animation.tracks) {
        if (frames == 0) {
            break;  // a skeleton without keys
        }
        if (!AllocPositionKeys(track, frames) || !AllocRotationKeys(track, frames) || !AllocScaleKeys(track, frames)) {
            return false;
        }
        for (int f = 0; f < frames; ++f) {
            const float time = static_cast<float>(f) / 30.0f;
            const float angle = 0.01f * static_cast<float>(f);
            track.positionKeys[static_cast<std::size_t>(f)] = {time, {0.0f, 0.1f, 0.0f}};
            track.rotationKeys[static_cast<std::size_t>(f)] = {time, {0.0f, std::sin(angle), 0.0f, std::cos(angle)}};
            track.scaleKeys[static_cast<std::size_t>(f)] = {time, {1.0f, 1.0f, 1.0f}};
        }
    }
    return true;
}

}  // namespace

bool MakeSyntheticScene(const SyntheticSize& size, TVXExporterData& out) {
    TVXScene& scene = out.scene;
    return FillVertices(scene, size.vertices, size.bones) && FillUVSets(scene, size.vertices) &&
           FillTriangles(scene, size.triangles, size.vertices, size.materials) &&
           FillMaterials(scene, size.materials) && FillSkeleton(scene, size.bones, size.frames);
}

bool WriteUncompressed(TVXExporterData& data, std::vector<std::uint8_t>& out) {
    std::array<std::uint32_t, kVersion31HeaderWords> header{};
    MemoryOutputFile file;
    file.Reuse(std::move(out));
    const bool written = WriteVersion31(data, file, header) == 1;
    out = file.Release();
    return written;
}

bool Compress(const std::vector<std::uint8_t>& uncompressed, std::vector<std::uint8_t>& out) {
    constexpr std::size_t kHeader = 128;
    uLongf size = compressBound(static_cast<uLong>(uncompressed.size()));
    out.assign(kHeader + size, 0);
    std::memcpy(out.data(), uncompressed.data(), kHeader);
    if (compress(out.data() + kHeader, &size, uncompressed.data(), static_cast<uLong>(uncompressed.size())) != Z_OK) {
        return false;
    }
    out.resize(kHeader + size);
    const std::uint32_t outer[] = {kTvxMagic, kExportOuterVersion, kExportOuterFlags,
                                   static_cast<std::uint32_t>(uncompressed.size())};
    for (std::size_t w = 0; w < 4; ++w) {
        StoreU32LE(out.data() + 4 * w, outer[w]);
    }
    return true;
}

}  // namespace tvx::bench
