// A scene with something of everything the exporter writes: three bones
// in a chain animated over one second, four vertices skinned across them,
// a quad of one material and a triangle of another in two groups, UVs in
// both sets, a material with a tiled, offset and turned diffuse bitmap and
// a bump map, a spot light and a camera.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "document/MaterialMaps.h"
#include "document/MeshAllocation.h"
#include "document/TVXScene.h"

namespace tvx::test {

inline Quaternion Turn(Vector3 axis, float angle) {
    const float s = std::sin(0.5f * angle);
    const float n = std::sqrt(axis.x * axis.x + axis.y * axis.y + axis.z * axis.z);
    return {axis.x / n * s, axis.y / n * s, axis.z / n * s, std::cos(0.5f * angle)};
}

inline TVXString Name(const std::string& utf8) { return TVXString::FromUtf8(utf8); }

inline TVXPolygon& AddPolygon(TVXFaceList& list, int group, int material, std::initializer_list<int> corners) {
    TVXPolygon& polygon = list.polygons.emplace_back();
    EXPECT_EQ(polygon.AllocArrays(static_cast<int>(corners.size()), 2, -1), 1);
    polygon.groupIndex = group;
    polygon.materialIndex = material;
    polygon.smoothing = 1;
    int k = 0;
    for (int corner : corners) {
        const auto at = static_cast<std::size_t>(k++);
        polygon.vertexIndices()[at] = corner;
        polygon.uvIndices(0)[at] = corner;
        polygon.uvIndices(1)[at] = corner;
    }
    return polygon;
}

inline void AddMaterials(TVXScene& scene) {
    TVXMaterial& plain = scene.materials.emplace_back(MakeExportMaterial());
    plain.name = Name("Plain");
    plain.colors[kColorDiffuse] = {0.8f, 0.2f, 0.1f, 1.0f};
    plain.colors[kColorSpecular] = {0.5f, 0.5f, 0.5f, 1.0f};
    plain.shininess = 32.0f;
    plain.opacity = 0.75f;
    plain.flags = 1 | kMaterialFlagTwoSided;

    TVXMaterial& mapped = scene.materials.emplace_back(MakeExportMaterial());
    mapped.name = Name("Mapped");
    mapped.colors[kColorDiffuse] = {1.0f, 1.0f, 1.0f, 1.0f};
    mapped.colors[kColorSpecular] = {0.2f, 0.3f, 0.4f, 1.0f};
    ASSERT_EQ(AllocMapSlots(mapped, 2), 1);
    TVXMap* diffuse = CreateMap(mapped, 0, kMapKeyDiffuse, kMapKindBitmap);
    ASSERT_NE(diffuse, nullptr);
    diffuse->fileName = Name("wood.png");
    diffuse->flags = 1 | kMapFlagTileU;
    diffuse->offset = {0.25f, 0.5f, 0.0f};
    diffuse->tiling = {2.0f, 3.0f, 1.0f};
    diffuse->angle = {0.0f, 0.0f, 30.0f};
    TVXMap* bump = CreateMap(mapped, 1, kMapKeyBump, kMapKindBitmap);
    ASSERT_NE(bump, nullptr);
    bump->fileName = Name("bumps.png");
    bump->flags = 1 | kMapFlagTileU | kMapFlagTileV;
}

inline void FillSampleScene(TVXScene& scene) {
    const Vector3 offsets[] = {{1.0f, 2.0f, 0.5f}, {0.0f, 3.0f, 0.0f}, {0.5f, 2.0f, -1.0f}};
    const Quaternion turns[] = {Turn({0, 0, 1}, 0.4f), Turn({1, 0, 0}, -0.7f), Turn({1, 1, 0}, 1.1f)};
    for (int i = 0; i < 3; ++i) {
        TVXBone& bone = scene.bones.emplace_back();
        bone.name = Name("Bone" + std::to_string(i));
        bone.parentIndex = i - 1;
        bone.transform.position = offsets[i];
        bone.transform.rotation = turns[i];
    }
    TVXAnimation& animation = scene.animations.emplace_back();
    animation.name = Name("Walk");
    animation.frameRate = 30.0f;
    animation.end = 30.0f;
    animation.tracks.resize(3);
    for (int i = 0; i < 3; ++i) {
        TVXBoneTrack& track = animation.tracks[static_cast<std::size_t>(i)];
        const float f = static_cast<float>(i + 1);
        track.positionKeys = {{0.0f, {0.0f, 0.0f, 0.0f}}, {1.0f, {0.5f * f, 1.0f, -0.25f}}};
        track.rotationKeys = {{0.0f, {}}, {1.0f, Turn({0, 1, 0}, 0.3f * f)}};
        track.scaleKeys = {{0.0f, {1.0f, 1.0f, 1.0f}}};
    }
    const Vector3 corners[] = {{1.0f, 1.0f, 0.0f}, {2.0f, 5.0f, 1.0f}, {0.0f, 7.0f, -1.0f}, {-1.0f, 3.0f, 0.5f}};
    for (int i = 0; i < 4; ++i) {
        TVXVertex& v = scene.vertices.emplace_back();
        v.position = corners[i];
        v.weights = {{i % 3, 0.75f}, {(i + 1) % 3, 0.25f}};
    }
    scene.groups.emplace_back().name = Name("Body");
    scene.groups.emplace_back().name = Name("Cap");
    AddPolygon(scene.faceLists.emplace_back(), 0, 0, {0, 1, 2, 3});
    AddPolygon(scene.faceLists.emplace_back(), 1, 1, {0, 2, 3});
    ASSERT_EQ(AllocUVSets(scene, 2), 1);
    for (TVXUVSet& set : scene.uvSets) {
        set.coords = {{0, 0.0f, 0.0f}, {0, 1.0f, 0.0f}, {0, 1.0f, 0.5f}, {0, 0.25f, 1.0f}};
    }
    AddMaterials(scene);

    TVXLight& light = scene.lights.emplace_back();
    light.name = Name("Spot");
    light.lightType = 2;
    light.transform.position = {3.0f, 4.0f, 5.0f};
    light.hotspot = 20.0f;
    light.falloff = 35.0f;
    light.intensity = 1.5f;
    light.color = {1.0f, 0.9f, 0.5f, 1.0f};
    light.attenuationEnd = 40.0f;
    TVXCamera& camera = scene.cameras.emplace_back();
    camera.name = Name("Cam");
    camera.transform.position = {0.0f, 2.0f, 10.0f};
    camera.fieldOfView = 60.0f;
    camera.nearDistance = 0.5f;
    camera.farDistance = 500.0f;
}

}  // namespace tvx::test
