#include "ImportTestSupport.h"

namespace tvx::importer::test {
namespace {

// Bones 0..5; the triangle's vertices are weighted to bones 2 and 5, and a
// fourth vertex no face uses to bone 4.
TVXScene SkinnedTriangle() {
    TVXScene scene = TriangleScene();
    for (int i = 0; i < 6; ++i) {
        scene.bones.emplace_back().name = TVXString::FromUtf8("B" + std::to_string(i));
    }
    scene.vertices[0].weights = {{2, 0.25f}, {5, 0.75f}};
    scene.vertices[1].weights = {{5, 1.0f}, {-1, 0.0f}};
    scene.vertices.emplace_back().weights = {{4, 1.0f}, {77, 0.5f}};
    ComputeBoneWeightCounts(scene);
    return scene;
}

const Json& Skin(const Json& host) { return host["scene"]["modifiers"][0]; }

std::vector<std::string> NamesOf(const Json& host, const Json& ids) {
    std::vector<std::string> names;
    for (const Json& id : ids) {
        names.push_back(id.is_null() ? "null" : host["scene"]["nodes"][id.get<std::size_t>()]["name"].get<std::string>());
    }
    return names;
}

TEST(SkinBuilder, RegistersTheBonesFacesUseAndGivesEveryWeightedVertexItsWeights) {
    const Json host = Build(SkinnedTriangle());
    ASSERT_EQ(host["scene"]["modifiers"].size(), 1u);
    const Json& skin = Skin(host);
    EXPECT_EQ(NamesOf(host, skin["bones"]), (std::vector<std::string>{"B2", "B5"}));
    ASSERT_EQ(skin["weights"].size(), 3u);
    EXPECT_EQ(NamesOf(host, skin["weights"][0]["bones"]), (std::vector<std::string>{"B2", "B5"}));
    EXPECT_EQ(skin["weights"][0]["weights"], Json::parse("[0.25,0.75]"));
    EXPECT_EQ(NamesOf(host, skin["weights"][1]["bones"]), (std::vector<std::string>{"B5", "null"}));
    // Bone 4 weights only a vertex no face uses: named, never registered;
    // bone 77 does not exist and is left out.
    EXPECT_EQ(NamesOf(host, skin["weights"][2]["bones"]), (std::vector<std::string>{"B4"}));
    EXPECT_EQ(host["session"]["skinBoneUpdates"][0]["updates"], Json::parse("[false,true]"));
    const Json& derived = ObjectOf(host, Node(host, "TVXMesh"));
    EXPECT_EQ(derived["kind"], "derived");
    EXPECT_EQ(host["session"]["modifierAdditions"][0]["lockTarget"], true);
    EXPECT_TRUE(host["session"]["objectsLeftLocked"].empty());
}

TEST(SkinBuilder, NoModifierWithoutInfluencingBonesOrWithoutBones) {
    TVXScene unweighted = SkinnedTriangle();
    for (TVXBone& bone : unweighted.bones) {
        bone.weightedVertexCount = 0;
    }
    EXPECT_TRUE(Build(std::move(unweighted))["scene"]["modifiers"].empty());

    ImportOptions noBones;
    noBones.importBones = 0;
    EXPECT_TRUE(Build(SkinnedTriangle(), noBones)["scene"]["modifiers"].empty());
}

TEST(SkinBuilder, ARefusedStepEndsTheSkinKeepingWhatWasDone) {
    const Json noModifier = Build(SkinnedTriangle(), {}, [](memhost::MemHost& h) {
        h.failures().FailCreateInstance(hostapi::OSM_CLASS_ID, hostapi::SKIN_CLASSID);
    });
    EXPECT_TRUE(noModifier["scene"]["modifiers"].empty());

    const Json noDerived = Build(SkinnedTriangle(), {}, [](memhost::MemHost& h) {
        h.failures().FailCall(memhost::HostCall::CreateDerivedObject);
    });
    EXPECT_EQ(ObjectOf(noDerived, Node(noDerived, "TVXMesh"))["kind"], "mesh");

    const Json noImportData = Build(SkinnedTriangle(), {}, [](memhost::MemHost& h) {
        h.failures().FailGetInterface(hostapi::I_SKINIMPORTDATA);
    });
    ASSERT_EQ(noImportData["scene"]["modifiers"].size(), 1u) << "the modifier stays";
    EXPECT_TRUE(Skin(noImportData)["bones"].empty());
}

}  // namespace
}  // namespace tvx::importer::test
