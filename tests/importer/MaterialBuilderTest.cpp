#include "ImportTestSupport.h"
#include "importer/MaterialBuilder.h"

namespace tvx::importer::test {
namespace {

const Json& MeshMaterial(const Json& host) {
    return host["scene"]["materials"][Node(host, "TVXMesh")["material"].get<std::size_t>()];
}

const Json& Sub(const Json& host, std::size_t i) {
    return host["scene"]["materials"][MeshMaterial(host)["subMaterials"][i].get<std::size_t>()];
}

const Json& Texmap(const Json& host, const Json& id) { return host["scene"]["texmaps"][id.get<std::size_t>()]; }

const Json& MapIn(const Json& material, int slot) {
    for (const Json& map : material["maps"]) {
        if (map["slot"] == slot) {
            return map;
        }
    }
    ADD_FAILURE() << "no map in slot " << slot;
    static const Json none = Json::object();
    return none;
}

TVXMaterial& AddMaterial(TVXScene& scene, float shininess = 0.0f) {
    TVXMaterial& m = scene.materials.emplace_back();
    m.name = TVXString::FromUtf8("Wood");
    m.shininess = shininess;
    m.opacity = 0.5f;
    m.colors[0] = {1.0f, 0.5f, 0.25f, 1.0f};
    m.mapSlots.resize(4);
    return m;
}

TVXMap& AddMap(TVXMaterial& material, int slot, int key, int kind, const char* file = "") {
    TVXMap* map = CreateMap(material, slot, key, kind);
    EXPECT_NE(map, nullptr);
    map->fileName = TVXString::FromUtf8(file);
    return *map;
}

TEST(MaterialBuilder, StandardValuesFromTheStoredMaterial) {
    EXPECT_EQ(HostShininess(128.0f), 0.0f);
    EXPECT_EQ(HostShininess(0.0f), 1.0f);
    EXPECT_EQ(HostShininess(32.0f), 0.75f);

    TVXScene scene = TriangleScene();
    AddMaterial(scene, 32.0f).flags = kMaterialFlagTwoSided;
    const Json host = Build(std::move(scene));
    const Json& m = Sub(host, 0);
    EXPECT_EQ(m["kind"], "standard");
    EXPECT_EQ(m["name"], "Wood");
    EXPECT_EQ(m["diffuse"], Json::parse("[1.0,0.5,0.25]"));
    EXPECT_EQ(m["shininess"], 0.75);
    EXPECT_EQ(m["opacity"], 0.5);
    EXPECT_EQ(m["twoSided"], true);
    EXPECT_EQ(host["scene"]["materialEditor"][0]["slot"], 0);
    EXPECT_EQ(host["session"]["currentDirectory"], "/scenes/");
}

TEST(MaterialBuilder, BitmapsAreLookedForInTheScenesFolderWithTheirUVLayout) {
    TVXScene scene = TriangleScene();
    TVXMap& diffuse = AddMap(AddMaterial(scene), 0, 0, kMapKindBitmap, "D:\\art\\wood.png");
    diffuse.flags = 0x300000;
    diffuse.offset = {0.25f, 0.5f, 0.0f};
    diffuse.tiling = {2.0f, 3.0f, 1.0f};
    diffuse.angle = {0.0f, 0.0f, 90.0f};
    AddMap(scene.materials[0], 2, 2, kMapKindBitmap, "bump.png").flags = 0;
    const Json host = Build(std::move(scene));
    const Json& m = Sub(host, 0);
    const Json& bitmap = Texmap(host, MapIn(m, 1)["texmap"]);
    EXPECT_EQ(bitmap["fileName"], "/scenes/wood.png");
    EXPECT_EQ(bitmap["uvGen"]["tiling"], 3);
    EXPECT_EQ(bitmap["uvGen"]["uOffset"], 0.25);
    EXPECT_EQ(bitmap["uvGen"]["vScale"], 3.0);
    EXPECT_TRUE(Near(bitmap["uvGen"]["wAngle"], 1.5707963f));
    EXPECT_EQ(m["activeTexmap"], MapIn(m, 1)["texmap"]);
    EXPECT_EQ(Texmap(host, MapIn(m, 8)["texmap"])["uvGen"]["tiling"], 0);
    EXPECT_EQ(MapIn(m, 8)["enabled"], true);
}

TEST(MaterialBuilder, ALayeredDiffuseMultipliesTwoBitmapsAndLetsTheOpacityMapShow) {
    TVXScene scene = TriangleScene();
    TVXMaterial& material = AddMaterial(scene);
    TVXMap& layered = AddMap(material, 0, 0, kMapKindLayered);
    ASSERT_EQ(AllocMapEntries(layered, 1), 1);
    layered.entries[0].fileName = TVXString::FromUtf8("base.png");
    AddMap(material, 1, 1, kMapKindBitmap, "alpha.png");
    const Json one = Build(scene);
    const Json& m = Sub(one, 0);
    const Json& multiply = Texmap(one, MapIn(m, 1)["texmap"]);
    EXPECT_EQ(multiply["kind"], "rgbMultiply");
    EXPECT_EQ(Texmap(one, multiply["subTexmaps"][0])["fileName"], "/scenes/base.png");
    EXPECT_TRUE(multiply["subTexmaps"][1].is_null()) << "one entry, one bitmap";
    EXPECT_EQ(m["activeTexmap"], MapIn(m, 6)["texmap"]) << "the opacity bitmap is shown";

    ASSERT_EQ(AllocMapEntries(*FindMap(scene.materials[0], 0), 2), 1);
    scene.materials[0].mapSlots[0]->entries[1].fileName = TVXString::FromUtf8("light.png");
    const Json two = Build(scene);
    const Json& both = Texmap(two, MapIn(Sub(two, 0), 1)["texmap"]);
    EXPECT_EQ(Texmap(two, both["subTexmaps"][1])["uvGen"]["mapChannel"], 2);
}

TEST(MaterialBuilder, NoMaterialsLeaveTheNodeAndTheDirectoryAlone) {
    const Json host = Build(TriangleScene());
    EXPECT_TRUE(Node(host, "TVXMesh")["material"].is_null());
    EXPECT_TRUE(host["session"]["currentDirectory"].is_null());
}

TEST(MaterialBuilder, RefusedCreationsSkipOnlyTheirItem) {
    TVXScene scene = TriangleScene();
    AddMap(AddMaterial(scene), 0, 0, kMapKindBitmap, "a.png");
    AddMaterial(scene);
    const Json noStandard = Build(scene, {}, [](memhost::MemHost& h) {
        h.failures().FailCall(memhost::HostCall::NewDefaultStdMat);
    });
    EXPECT_TRUE(MeshMaterial(noStandard)["subMaterials"][0].is_null());
    EXPECT_FALSE(MeshMaterial(noStandard)["subMaterials"][1].is_null());

    const Json noBitmap = Build(scene, {}, [](memhost::MemHost& h) {
        h.failures().FailCall(memhost::HostCall::NewDefaultBitmapTex);
    });
    EXPECT_TRUE(Sub(noBitmap, 0)["maps"].empty());

    const Json noMulti = Build(scene, {}, [](memhost::MemHost& h) {
        h.failures().FailCall(memhost::HostCall::NewDefaultMultiMtl);
    });
    EXPECT_TRUE(Node(noMulti, "TVXMesh")["material"].is_null());
    const Json noEditor = Build(scene, {}, [](memhost::MemHost& h) {
        h.failures().FailCall(memhost::HostCall::GetCOREInterface);
    });
    EXPECT_TRUE(noEditor["scene"]["materialEditor"].empty());
}

}  // namespace
}  // namespace tvx::importer::test
