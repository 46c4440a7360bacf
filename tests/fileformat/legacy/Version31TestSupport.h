// Shared by the version-31 writer tests: writing into memory, reading the
// result back, walking its bytes, and a scene with something in every
// section and a map of every kind.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "document/MaterialMaps.h"
#include "document/MeshAllocation.h"
#include "document/SceneAllocation.h"
#include "fileformat/container/ByteBuffer.h"
#include "fileformat/container/FileConstants.h"
#include "fileformat/legacy/LayoutWriters.h"
#include "fileformat/container/LoadScene.h"
#include "tests/support/CraftedFiles.h"
#include "tests/support/MemoryOutputFile.h"

namespace tvx::test {

struct Written {
    int result = 0;
    Bytes bytes;
    std::array<std::uint32_t, kVersion31HeaderWords> header{};
};

inline Written Write31(TVXExporterData& data, std::uint64_t failAfter = std::numeric_limits<std::uint64_t>::max()) {
    MemoryOutputFile file(failAfter);
    Written written;
    written.result = WriteVersion31(data, file, written.header);
    written.bytes = file.bytes();
    return written;
}

inline std::uint32_t WordAt(const Bytes& file, std::size_t byteOffset) {
    std::uint32_t word = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        word |= static_cast<std::uint32_t>(file.at(byteOffset + i)) << (8 * i);
    }
    return word;
}

inline int ReadBack(const Bytes& file, TVXScene& scene) {
    TVXFileReader reader(ByteBuffer::CopyOf(file));
    return ParseScene(reader, scene);
}

// Reads written bytes in order, to check the layout itself.
class Cursor {
public:
    Cursor(const Bytes& file, std::size_t at) : file_(file), at_(at) {}

    std::int32_t Int() { return static_cast<std::int32_t>(Word()); }
    float Float() {
        const std::uint32_t bits = Word();
        float value = 0.0f;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    // The text without its terminating zero, which must be there.
    std::string String() {
        const std::size_t length = file_.at(at_) | static_cast<std::size_t>(file_.at(at_ + 1)) << 8;
        std::string text(file_.begin() + static_cast<std::ptrdiff_t>(at_ + 2),
                         file_.begin() + static_cast<std::ptrdiff_t>(at_ + 1 + length));
        terminated_ = terminated_ && file_.at(at_ + 1 + length) == 0;
        at_ += 2 + length;
        return text;
    }
    void Skip(std::size_t bytes) { at_ += bytes; }
    std::size_t at() const { return at_; }
    bool terminated() const { return terminated_; }

private:
    std::uint32_t Word() {
        const std::uint32_t word = WordAt(file_, at_);
        at_ += 4;
        return word;
    }

    const Bytes& file_;
    std::size_t at_;
    bool terminated_ = true;
};

// A transform whose 38 floats all differ, so a misplaced field shows.
inline TVXTransform DistinctTransform(float base) {
    TVXTransform t;
    float next = base;
    const auto fill = [&next](float& value) {
        value = next;
        next += 0.25f;
    };
    for (Vector3* v : {&t.xAxis, &t.yAxis, &t.zAxis, &t.position, &t.scale, &t.finalVector}) {
        fill(v->x);
        fill(v->y);
        fill(v->z);
    }
    for (float& element : t.matrix.m) {
        fill(element);
    }
    fill(t.rotation.x);
    fill(t.rotation.y);
    fill(t.rotation.z);
    fill(t.rotation.w);
    return t;
}

// Material 1 holds maps of kinds 1..7 and 9 under keys 0..7 in slots 0..8,
// with slot 2 left empty; every file name carries a folder.
inline void AddMaps(TVXMaterial& material) {
    if (AllocMapSlots(material, 9) != 1) {
        return;
    }
    const int kinds[] = {1, 2, 3, 4, 5, 6, 7, 9};
    for (int i = 0; i < 8; ++i) {
        TVXMap* map = CreateMap(material, i < 2 ? i : i + 1, i, kinds[i]);
        map->flags = 0x1000 + i;
        map->offset = {0.1f * static_cast<float>(i), 0.5f, 0.0f};
        map->tiling = {2.0f, 3.0f, static_cast<float>(i)};
        map->angle = {0.0f, 0.0f, 15.0f * static_cast<float>(i)};
        map->fileName = TVXString::FromNarrow("C:\\art\\kind" + std::to_string(kinds[i]) + ".bmp");
        map->int1 = 10 + i;
        map->int2 = 20 + i;
        map->int3 = 30 + i;
        map->float1 = 1.5f;
        map->float2 = 2.5f;
        map->float3 = 3.5f;
        map->float4 = 4.5f;
    }
    TVXMap& layered = *material.mapSlots[4];
    if (AllocMapEntries(layered, 2) == 1) {
        layered.entries[0] = {TVXString::FromNarrow("D:/layers/l0.tga"), 1, 2, 0.75f};
        layered.entries[1] = {TVXString::FromNarrow("l1.tga"), 3, 4, 0.25f};
    }
    TVXMap& cube = *material.mapSlots[5];
    for (std::size_t face = 0; face < cube.faceNames.size(); ++face) {
        cube.faceNames[face] = TVXString::FromNarrow("\\\\server\\sky\\face" + std::to_string(face) + ".png");
    }
}

inline void AddMesh(TVXScene& s) {
    if (AllocVertices(s, 3) != 1 || AllocUVSets(s, 2) != 1 || AllocFaceLists(s, 2) != 1 ||
        AllocTriangles(s, 1) != 1) {
        return;
    }
    for (int i = 0; i < 3; ++i) {
        TVXVertex& v = s.vertices[static_cast<std::size_t>(i)];
        const float f = static_cast<float>(i);
        v.position = {f, f + 0.5f, -f};
        v.normal = {0.0f, 1.0f, 0.0f};
        v.color = {0.1f * f, 0.2f, 0.3f, 1.0f};
        if (AllocWeights(v, 2) == 1) {
            v.weights[0] = {0, 0.75f};
            v.weights[1] = {1, 0.25f};
        }
    }
    for (TVXUVSet& set : s.uvSets) {
        set.name = TVXString::FromNarrow("Custom");
        if (AllocUVCoords(set, 3) == 1) {
            set.coords = {{7, 0.0f, 0.0f}, {8, 1.0f, 0.0f}, {9, 0.5f, 1.0f}};
        }
        (void)AllocUVTriangles(set, 1);
    }
    for (int f = 0; f < 2; ++f) {
        TVXFaceList& list = s.faceLists[static_cast<std::size_t>(f)];
        if (AllocThreeCornerPolygons(list, 1) != 1) {
            return;
        }
        TVXPolygon& p = list.polygons[0];
        p.groupIndex = 9;
        p.materialIndex = f == 0 ? 1 : -7;
        p.smoothing = 3 + f;
        for (int l = 0; l < 3; ++l) {
            const auto at = static_cast<std::size_t>(l);
            p.vertexIndices()[at] = (l + f) % 3;
            p.secondIndices()[at] = 4;
            p.uvIndices(0)[at] = l;
            p.uvIndices(1)[at] = 2 - l;
            p.uvSecondIndices(0)[at] = 5;
        }
    }
}

inline void AddSkeleton(TVXScene& s) {
    if (AllocBones(s, 2) != 1 || AllocAnimations(s, 1) != 1) {
        return;
    }
    for (int b = 0; b < 2; ++b) {
        TVXBone& bone = s.bones[static_cast<std::size_t>(b)];
        bone.name = TVXString::FromNarrow(b == 0 ? "Root" : "Tip");
        bone.parentIndex = b - 1;
        bone.transform = DistinctTransform(100.0f + 50.0f * static_cast<float>(b));
        bone.color = {0.5f, 0.25f, 0.125f, 1.0f};
    }
    TVXAnimation& a = s.animations[0];
    a.name = TVXString::FromNarrow("Walk");
    a.reserved = 6;
    a.start = 1.0f;
    a.end = 30.0f;
    a.frameRate = 25.0f;
    if (AllocTracks(a, 2) != 1 || AllocPositionKeys(a.tracks[0], 2) != 1 || AllocRotationKeys(a.tracks[0], 1) != 1 ||
        AllocScaleKeys(a.tracks[1], 1) != 1) {
        return;
    }
    a.tracks[0].positionKeys = {{0.0f, {1.0f, 2.0f, 3.0f}}, {0.5f, {4.0f, 5.0f, 6.0f}}};
    a.tracks[0].rotationKeys = {{0.25f, {0.0f, 0.6f, 0.0f, 0.8f}}};
    a.tracks[1].scaleKeys = {{1.0f, {2.0f, 2.0f, 2.0f}}};
}

// Every record kind, with values the writer must carry and values it
// replaces on purpose (light code and values 3 and 4, camera int 1, group
// ints and placement, UV set names and tags, second indices).
inline void FillRichScene(TVXExporterData& data) {
    TVXScene& s = data.scene;
    if (AllocLights(s, 2) != 1 || AllocCameras(s, 1) != 1 || AllocMaterials(s, 2) != 1 || AllocGroups(s, 2) != 1) {
        return;
    }
    for (int i = 0; i < 2; ++i) {
        TVXLight& light = s.lights[static_cast<std::size_t>(i)];
        light.lightCode = 77;
        light.lightType = 2 + i;
        light.transform = DistinctTransform(static_cast<float>(i));
        light.hotspot = 11.0f;
        light.falloff = 22.0f;
        light.value3 = 5.0f;
        light.value4 = 9.0f;
        light.intensity = 0.5f;
        light.color = {0.2f, 0.4f, 0.6f, 0.8f};
        light.attenuationStart = 3.0f;
        light.attenuationEnd = 12.0f;
    }
    TVXCamera& camera = s.cameras[0];
    camera.cameraInt1 = 42;
    camera.cameraInt2 = 5;
    camera.transform = DistinctTransform(20.0f);
    camera.fieldOfView = 60.0f;
    camera.nearDistance = 0.5f;
    camera.farDistance = 500.0f;
    for (int m = 0; m < 2; ++m) {
        TVXMaterial& material = s.materials[static_cast<std::size_t>(m)];
        material.name = TVXString::FromNarrow(m == 0 ? "Plain" : "Mapped");
        material.flags = 0x2 | m;
        material.colors[static_cast<std::size_t>(m)] = {0.1f, 0.2f, 0.3f, 0.4f};
        material.colors[4] = {0.9f, 0.8f, 0.7f, 0.6f};
        material.shininess = 64.0f;
        material.opacity = 0.5f;
    }
    AddMaps(s.materials[1]);
    for (TVXGroup& group : s.groups) {
        group.groupInt1 = 7;
        group.groupInt2 = 8;
        group.transform = DistinctTransform(40.0f);
    }
    s.groups[1].name = TVXString::FromNarrow("Body");
    AddMesh(s);
    AddSkeleton(s);
}

}  // namespace tvx::test
