// The host materials of the exported meshes as document materials and maps,
// and the material index each face gets.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "exporter/MapConversion.h"
#include "exporter/MaterialConversion.h"
#include "exporter/SceneTables.h"
#include "importer/MaterialBuilder.h"
#include "memhost/HostSceneRead.h"
#include "memhost/MemHost.h"

namespace tvx::exporter {
namespace {

// Mesh0 and Mesh1 share Wood; Mesh2 has no material; Mesh3 a multi material
// [A, another class, B, a nested multi]; Mesh4 a material of another class.
// FOLDER becomes a folder name longer than a stored name can be.
constexpr const char* kScene = R"({"format": "tvx-host-scene", "version": 1, "scene": {
  "nodes": [{"id": 0, "name": "Mesh0", "object": 0, "material": 0},
            {"id": 1, "name": "Mesh1", "object": 0, "material": 0},
            {"id": 2, "name": "Mesh2", "object": 0},
            {"id": 3, "name": "Mesh3", "object": 0, "material": 1},
            {"id": 4, "name": "Mesh4", "object": 0, "material": 3}],
  "objects": [{"id": 0, "kind": "mesh", "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "faces": [[0, 1, 2]]}],
  "materials": [
    {"id": 0, "kind": "standard", "name": "Wood", "twoSided": true, "shininess": 0, "ambient": [0.5, 0.25, 1],
     "maps": [{"slot": 1, "texmap": 0}, {"slot": 6, "texmap": 1}, {"slot": 8, "texmap": 2}, {"slot": 9, "texmap": 1}]},
    {"id": 1, "kind": "multi", "subMaterials": [2, 3, 4, 5]},
    {"id": 2, "kind": "standard", "name": "A", "shininess": 1, "diffuse": [0.5, 0.5, 0.5],
     "maps": [{"slot": 1, "texmap": 4}, {"slot": 2, "texmap": 7}]},
    {"id": 3, "kind": "other", "classId": [77, 0], "subMaterials": [4]},
    {"id": 4, "kind": "standard", "name": "B", "shininess": "NaN", "opacity": "NaN"},
    {"id": 5, "kind": "multi", "name": "Inner", "subMaterials": [4]}
  ],
  "texmaps": [
    {"id": 0, "kind": "bitmap", "fileName": "C:\\art\\wood.png",
     "uvGen": {"tiling": 0, "uOffset": 0.25, "vOffset": 0.5, "uScale": 2, "vScale": 3, "wAngle": 1.5707963}},
    {"id": 1, "kind": "bitmap", "fileName": "/maps/alpha.png", "uvGen": {"tiling": 1}},
    {"id": 2, "kind": "normalBump", "subTexmaps": [3, 1]},
    {"id": 3, "kind": "bitmap", "fileName": "normal.png", "uvGen": {"tiling": 3}},
    {"id": 4, "kind": "rgbMultiply", "subTexmaps": [1, 5]},
    {"id": 5, "kind": "bitmap", "fileName": "/FOLDER/light.png", "uvGen": {"tiling": 2, "uScale": 4}},
    {"id": 6, "kind": "bitmap", "fileName": "unused.png"},
    {"id": 7, "kind": "normalBump", "subTexmaps": [6, null]}
  ]}})";

struct Exported {
    std::unique_ptr<memhost::MemHost> host;
    std::vector<hostapi::INode*> meshes;
    TVXScene scene{SceneRole::Export};
};

Exported Export() {
    Exported e;
    std::string text = kScene;
    text.replace(text.find("FOLDER"), 6, std::string(TVXString::kCapacity, 'f'));
    std::string error;
    e.host = memhost::ReadHostScene(text, error);
    EXPECT_NE(e.host, nullptr) << error;
    e.meshes = CollectScene(*e.host->exportInterface()->theScene, false).meshes;
    EXPECT_EQ(ConvertMaterials(e.meshes, e.scene), 1);
    return e;
}

const TVXMap& MapIn(const TVXMaterial& material, std::size_t slot) {
    EXPECT_LT(slot, material.mapSlots.size());
    static const TVXMap none;
    return slot < material.mapSlots.size() && material.mapSlots[slot] ? *material.mapSlots[slot] : none;
}

TEST(MaterialConversion, EveryMeshContributesItsOwnMaterials) {
    const Exported e = Export();
    std::vector<std::string> names;
    for (const TVXMaterial& material : e.scene.materials) {
        names.push_back(material.name.ToUtf8());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Wood", "Wood", "A", "B", "Inner"}));
    const TVXMaterial& wood = e.scene.materials[0];
    const TVXMaterial& again = e.scene.materials[1];
    EXPECT_EQ(again.colors, wood.colors);
    EXPECT_EQ(again.mapSlots.size(), wood.mapSlots.size());
    EXPECT_EQ(MapIn(again, 0).fileName, MapIn(wood, 0).fileName);

    EXPECT_EQ(wood.flags, 1 | kMaterialFlagTwoSided);
    EXPECT_EQ(wood.colors[kColorDiffuse], (RGBA{1.0f, 1.0f, 1.0f, 1.0f})) << "a diffuse bitmap is shown untinted";
    EXPECT_EQ(wood.colors[kColorAmbient], (RGBA{0.5f, 0.25f, 1.0f, 1.0f}));
    EXPECT_EQ(wood.colors[kColorSlot3], (RGBA{0.0f, 0.0f, 0.0f, 1.0f}));
    EXPECT_EQ(wood.shininess, 128.0f);
    const TVXMaterial& a = e.scene.materials[2];
    EXPECT_EQ(a.colors[kColorDiffuse], (RGBA{0.5f, 0.5f, 0.5f, 1.0f})) << "a container is no bitmap";
    EXPECT_EQ(a.shininess, 0.0f);
    const TVXMaterial& b = e.scene.materials[3];
    EXPECT_EQ(b.shininess, 128.0f) << "NaN";
    EXPECT_EQ(b.opacity, 1.0f) << "NaN";
    const TVXMaterial& inner = e.scene.materials[4];
    EXPECT_EQ(inner.opacity, 1.0f) << "a nested multi material keeps its faces visible";
    EXPECT_EQ(inner.colors, TVXMaterial{}.colors);
    EXPECT_TRUE(inner.mapSlots.empty());
}

TEST(MapConversion, BitmapsGiveTheirBareNameTilingAndLayout) {
    for (const auto& [path, name] : std::vector<std::pair<std::string, std::string>>{
             {R"(C:\art\wood.png)", "wood.png"}, {"C:name.png", "name.png"}, {R"(D:/a\b/x.jpg)", "x.jpg"},
             {"plain.bmp", "plain.bmp"}, {R"(folder\)", ""}}) {
        EXPECT_EQ(FileNameWithoutFolders(path), name) << path;
    }
    const Exported e = Export();
    const TVXMaterial& wood = e.scene.materials[0];
    ASSERT_EQ(wood.mapSlots.size(), 3u) << "reflection is not carried";
    // key, file, flags, the host tiling the importer makes of them
    const std::vector<std::tuple<int, std::string, int, int>> maps = {
        {kMapKeyDiffuse, "wood.png", 0x10001, 0},
        {kMapKeyOpacity, "alpha.png", 0x110001, hostapi::U_WRAP},
        {kMapKeyBump, "normal.png", 0x310003, hostapi::U_WRAP | hostapi::V_WRAP},
    };
    for (std::size_t slot = 0; slot < maps.size(); ++slot) {
        const auto& [key, file, flags, hostTiling] = maps[slot];
        const TVXMap& map = MapIn(wood, slot);
        EXPECT_EQ(map.key, key);
        EXPECT_EQ(map.kind, kMapKindBitmap);
        EXPECT_EQ(map.fileName.ToUtf8(), file);
        EXPECT_EQ(map.flags, flags) << file;
        EXPECT_EQ(importer::TilingFlags(map.flags), hostTiling) << file;
    }
    const TVXMap& diffuse = MapIn(wood, 0);
    EXPECT_EQ(diffuse.offset, (Vector3{0.25f, 0.5f, 0.0f}));
    EXPECT_EQ(diffuse.tiling, (Vector3{2.0f, 3.0f, 1.0f}));
    EXPECT_NEAR(diffuse.angle.z, 90.0f, 1e-4f);
}

TEST(MapConversion, ADiffuseMultiplyGivesALayeredMapOfItsTwoBitmaps) {
    const Exported e = Export();
    const TVXMaterial& a = e.scene.materials[2];
    ASSERT_EQ(a.mapSlots.size(), 1u) << "a Normal Bump only as bump";
    const TVXMap& layered = MapIn(a, 0);
    EXPECT_EQ(layered.kind, kMapKindLayered);
    ASSERT_EQ(layered.entries.size(), 2u);
    EXPECT_EQ(layered.entries[0].fileName.ToUtf8(), "alpha.png");
    EXPECT_EQ(layered.entries[1].fileName.ToUtf8(), "light.png") << "the name, though its path is too long to store";
    EXPECT_EQ(layered.flags, 0x10003 | kMapFlagTileV) << "tiling from the last bitmap";
    EXPECT_EQ(layered.tiling.x, 4.0f);
}

TEST(PolygonMaterialIndices, FacesGetTheMaterialTheirIdNames) {
    const Exported e = Export();
    std::vector<int> bases;
    int total = 0;
    for (hostapi::INode* mesh : e.meshes) {
        bases.push_back(total);
        total += CountedMaterials(mesh->GetMtl());
    }
    ASSERT_EQ(bases, (std::vector<int>{0, 1, 2, 2, 5}));
    ASSERT_EQ(total, Count(e.scene.materials));
    struct Case {
        std::size_t mesh;
        int faceMaterialId;
        int index;
    };
    for (const Case& c : std::vector<Case>{
             {0, 0, 0}, {0, 9, 0}, {1, 0, 1}, {1, 5, 1},  // a standard material: the mesh's one, whatever the id
             {2, 0, -1},                                  // no material
             {3, 0, 2}, {3, 2, 3}, {3, 3, 4},             // the other-class slot 1 is not counted
             {3, 1, 2}, {3, -1, 2},                       // ids that name nothing exported: the mesh's first
             {3, 4, 2}, {3, 6, 3}, {3, 5, 2},             // ids past the 4 slots wrap round
             {4, 0, -1}, {4, -1, -1},                     // another class exports nothing
         }) {
        const PolygonMaterialIndices indices(e.meshes[c.mesh]->GetMtl(), bases[c.mesh], total);
        EXPECT_EQ(indices.ForFace(c.faceMaterialId), c.index) << "Mesh" << c.mesh << " id " << c.faceMaterialId;
    }
    EXPECT_EQ(PolygonMaterialIndices(e.meshes[0]->GetMtl(), 5, 5).ForFace(0), -1) << "base not below the total";
    EXPECT_EQ(PolygonMaterialIndices(e.meshes[3]->GetMtl(), 2, 4).ForFace(3), -1) << "past the total";
}

}  // namespace
}  // namespace tvx::exporter
