// Every record kind the writers emit, through write → read → write in both
// written layouts: the reader must consume exactly the bytes written, and
// what it read must write the same bytes again. A field that one side walks
// and the other does not shows up here as a length or byte difference.
#include <gtest/gtest.h>

#include "document/MaterialMaps.h"
#include "document/SceneAllocation.h"
#include "fileformat/legacy/LegacyIo.h"
#include "fileformat/legacy/MaterialRecordFields.h"
#include "fileformat/legacy/MeshRecordFields.h"
#include "fileformat/legacy/PolygonRecordFields.h"
#include "fileformat/legacy/SceneRecordFields.h"
#include "tests/fileformat/legacy/Version31TestSupport.h"
#include "tests/support/MemoryOutputFile.h"

namespace tvx {
namespace {

struct Layout {
    const char* name;
    LegacyFormat format;
};

const Layout kLayouts[] = {
    {"version 31", LegacyFormatOf(31, kLegacyVertexNormal | kLegacyVertexColor)},
    {"version 9", LegacyFormatOf(9, kLegacyVertexNormal | kLegacyVertexColor)},
};

template <class Record, class Fields>
std::vector<std::uint8_t> Written(const LegacyFormat& format, const Record& record, Fields fields) {
    test::MemoryOutputFile file;
    FileWriter writer(file);
    LegacyWriteIo io(writer, format);
    EXPECT_TRUE(fields(io, record));
    EXPECT_TRUE(writer.Flush());
    return file.bytes();
}

// Writes `record`, reads it back in the fill pass of a scene with `bones`
// bones, and writes what was read.
template <class Record, class Fields>
void ExpectSymmetric(const Record& record, Fields fields, int bones = 0) {
    for (const Layout& layout : kLayouts) {
        SCOPED_TRACE(layout.name);
        const std::vector<std::uint8_t> first = Written(layout.format, record, fields);
        TVXScene scene;
        if (bones > 0) {
            ASSERT_TRUE(AllocBones(scene, bones));
        }
        TVXFileReader reader(ByteBuffer::CopyOf(first));
        MemoryBudget budget(first.size());
        LegacyPass pass(reader, scene, layout.format, true, budget);
        LegacyReadIo io(pass);
        Record read;
        ASSERT_TRUE(fields(io, read));
        EXPECT_EQ(reader.position(), first.size());
        EXPECT_EQ(Written(layout.format, read, fields), first);
    }
}

TEST(RecordSymmetry, PlacedThings) {
    TVXLight light;
    light.name.SetNarrow("Key light");
    light.lightCode = 7;
    light.lightType = 2;
    light.transform = test::DistinctTransform(1.5f);
    light.hotspot = 30.0f;
    light.falloff = 45.0f;
    light.value3 = 9.0f;
    light.intensity = 1.25f;
    light.color = {0.5f, 0.25f, 1.0f, 1.0f};
    light.attenuationStart = 2.0f;
    light.attenuationEnd = 20.0f;
    ExpectSymmetric(light, kLightFields);

    TVXCamera camera;
    camera.name.SetNarrow("Shot");
    camera.cameraInt1 = 3;
    camera.cameraInt2 = 4;
    camera.transform = test::DistinctTransform(2.5f);
    camera.fieldOfView = 0.75f;
    camera.nearDistance = 0.5f;
    camera.farDistance = 900.0f;
    ExpectSymmetric(camera, kCameraFields);

    TVXGroup group;
    group.name.SetNarrow("Body");
    group.transform = test::DistinctTransform(3.5f);
    ExpectSymmetric(group, kGroupFields);

    TVXBone bone;
    bone.name.SetNarrow("Spine");
    bone.parentIndex = 2;
    bone.transform = test::DistinctTransform(4.5f);
    bone.color = {1.0f, 0.0f, 0.5f, 1.0f};
    ExpectSymmetric(bone, kBoneFields);
}

TEST(RecordSymmetry, AnimationWithEveryKeyKind) {
    TVXAnimation animation;
    animation.name.SetNarrow("Walk");
    animation.reserved = 5;
    animation.start = 0.0f;
    animation.end = 2.0f;
    animation.frameRate = 30.0f;
    ASSERT_TRUE(AllocTracks(animation, 2));
    TVXBoneTrack& track = animation.tracks[1];
    ASSERT_TRUE(AllocPositionKeys(track, 2));
    ASSERT_TRUE(AllocRotationKeys(track, 1));
    ASSERT_TRUE(AllocScaleKeys(track, 1));
    track.positionKeys[0] = {0.0f, {1.0f, 2.0f, 3.0f}};
    track.positionKeys[1] = {1.0f, {4.0f, 5.0f, 6.0f}};
    track.rotationKeys[0] = {0.5f, {0.0f, 0.6f, 0.0f, 0.8f}};
    track.scaleKeys[0] = {2.0f, {1.0f, 1.5f, 2.0f}};
    ExpectSymmetric(animation, kAnimationFields, 2);
}

TEST(RecordSymmetry, MeshRecords) {
    TVXVertex vertex;
    vertex.position = {1.0f, 2.0f, 3.0f};
    vertex.normal = {0.0f, 0.0f, 1.0f};
    vertex.color = {0.25f, 0.5f, 0.75f, 1.0f};
    ASSERT_TRUE(AllocWeights(vertex, 2));
    vertex.weights[0] = {1, 0.75f};
    vertex.weights[1] = {3, 0.25f};
    ExpectSymmetric(vertex, [](auto& io, auto& r) { return VertexFields(io, r); });

    TVXUVSet uvSet;
    uvSet.name.SetNarrow("Detail");
    ASSERT_TRUE(AllocUVCoords(uvSet, 2));
    uvSet.coords[1] = {0, 0.5f, 0.25f};
    ASSERT_TRUE(AllocUVTriangles(uvSet, 1));
    uvSet.triangles[0].ints = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    uvSet.triangles[0].value = 1.5f;
    ExpectSymmetric(uvSet, kUVSetFields);
}

// Version 9 stores inline coordinates, which a reader numbers from 0 across
// the file, so the polygons here use coordinates 0.. of their UV sets.
TEST(RecordSymmetry, FaceListOfPolygons) {
    std::vector<TVXUVSet> uvSets(1);
    ASSERT_TRUE(AllocUVCoords(uvSets[0], 5));
    for (int i = 0; i < 5; ++i) {
        uvSets[0].coords[static_cast<std::size_t>(i)] = {0, 0.1f * static_cast<float>(i), 1.0f};
    }
    TVXFaceList list;
    ASSERT_TRUE(AllocPolygons(list, 2));
    ASSERT_TRUE(list.polygons[0].AllocArrays(3, 1, 0));
    ASSERT_TRUE(list.polygons[1].AllocArrays(2, 1, 0));
    int next = 0;
    for (TVXPolygon& polygon : list.polygons) {
        polygon.materialIndex = 1;
        polygon.smoothing = 4;
        for (std::size_t c = 0; c < polygon.vertexIndices().size(); ++c) {
            polygon.vertexIndices()[c] = 10 + next;
            polygon.uvIndices(0)[c] = next++;
        }
    }
    ExpectSymmetric(list, [&uvSets](auto& io, auto& faceList) {
        if constexpr (std::decay_t<decltype(io)>::kWrites) {
            const WrittenFaceList written{faceList.polygons, &uvSets};
            return FaceListFields(io, written, 2);
        } else {
            return FaceListFields(io, faceList, -1);
        }
    });
}

// Every map kind's payload in both entry forms. The older form keeps no flags
// of its own (its payload lead replaces them, except in kind 2, where the
// bits every map starts with are added), so the flags chosen here are the
// ones it reads back. The empty slot and the second map of key 1 are left
// out by the first write and so never reach the comparison.
TEST(RecordSymmetry, MaterialWithEveryMapKind) {
    TVXMaterial material;
    material.name.SetNarrow("Brick");
    material.flags = 0x11;
    material.colors[kColorSlot5] = {0.1f, 0.2f, 0.3f, 0.4f};
    material.shininess = 0.5f;
    material.opacity = 0.75f;
    ASSERT_TRUE(AllocMapSlots(material, 8));
    const auto map = [&material](int slot, int key, int kind) -> TVXMap& {
        TVXMap* created = CreateMap(material, slot, key, kind);
        EXPECT_NE(created, nullptr);
        return *created;
    };
    TVXMap& bitmap = map(0, 1, kMapKindBitmap);
    bitmap.fileName.SetNarrow("maps/brick.png");
    bitmap.int1 = 3;
    bitmap.float2 = 0.25f;
    TVXMap& kind2 = map(1, 2, 2);
    kind2.flags |= 0x40;
    kind2.offset = {0.5f, 0.0f, 0.0f};
    kind2.float4 = 4.0f;
    kind2.int3 = 7;
    map(2, 3, 3).int2 = 9;
    TVXMap& layered = map(4, 4, kMapKindLayered);
    ASSERT_TRUE(AllocMapEntries(layered, 3));
    layered.entries[1].fileName.SetNarrow("dirt.tga");
    layered.entries[2].int2 = 5;
    layered.entries[2].weight = 0.5f;
    TVXMap& cube = map(5, 5, kMapKindCube);
    cube.faceNames[0].SetNarrow("sky/front.jpg");
    cube.faceNames[3].SetNarrow("back.jpg");
    map(6, 9, 9);
    map(7, 6, 7).int1 = 2;
    material.mapSlots[3] = bitmap;
    material.mapSlots[3]->int1 = 99;
    for (std::optional<TVXMap>& slot : material.mapSlots) {
        if (slot.has_value() && slot->kind != 2 && StoredPayloadOfKind(slot->kind) != TVXMapPayload::None) {
            slot->flags = OldPayloadLead(*slot);
        }
    }
    ExpectSymmetric(material, kMaterialFields);
}

}  // namespace
}  // namespace tvx
