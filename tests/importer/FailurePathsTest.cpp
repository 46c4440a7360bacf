// Every creation the host may refuse skips just its item: the build goes on
// and the rest of the scene is there.
#include "ImportTestSupport.h"

namespace tvx::importer::test {
namespace {

// Two bones with a key each, a skinned triangle with a layered and a plain
// bitmap material, a light and a camera.
TVXScene FullScene() {
    TVXScene scene = TriangleScene();
    for (const char* name : {"Root", "Tip"}) {
        scene.bones.emplace_back().name = TVXString::FromUtf8(name);
    }
    scene.bones[1].parentIndex = 0;
    TVXAnimation& animation = scene.animations.emplace_back();
    animation.tracks.resize(2);
    animation.tracks[1].rotationKeys = {{0.0f, {}}};
    for (TVXVertex& v : scene.vertices) {
        v.weights = {{1, 1.0f}};
    }
    ComputeBoneWeightCounts(scene);
    TVXMaterial& material = scene.materials.emplace_back();
    material.mapSlots.resize(2);
    TVXMap* layered = CreateMap(material, 0, 0, kMapKindLayered);
    EXPECT_EQ(AllocMapEntries(*layered, 2), 1);
    layered->entries[0].fileName = TVXString::FromUtf8("a.png");
    layered->entries[1].fileName = TVXString::FromUtf8("b.png");
    CreateMap(material, 1, 1, kMapKindBitmap)->fileName = TVXString::FromUtf8("c.png");
    scene.lights.emplace_back().name = TVXString::FromUtf8("Sun");
    scene.cameras.emplace_back().name = TVXString::FromUtf8("Cam");
    return scene;
}

std::size_t CountOf(const Json& host, const char* list, const char* kind) {
    std::size_t n = 0;
    for (const Json& item : host["scene"][list]) {
        n += item["kind"] == kind ? 1 : 0;
    }
    return n;
}

struct FailureCase {
    const char* what;
    std::function<void(memhost::FailureInjector&)> inject;
    std::function<void(const Json&)> check;
};

TEST(FailurePaths, EachRefusalSkipsOnlyItsItem) {
    const Json whole = Build(FullScene());
    ASSERT_EQ(whole["scene"]["nodes"].size(), 5u);
    ASSERT_EQ(CountOf(whole, "objects", "bone"), 2u);
    ASSERT_EQ(CountOf(whole, "texmaps", "bitmap"), 3u);

    const FailureCase cases[] = {
        {"bone object", [](auto& f) { f.FailCreateInstance(hostapi::GEOMOBJECT_CLASS_ID, hostapi::BONE_OBJ_CLASSID); },
         [](const Json& h) {
             EXPECT_TRUE(Node(h, "Root")["object"].is_null());
             EXPECT_TRUE(Node(h, "Tip")["parent"].is_null()) << "its parent has no scene node to link to";
         }},
        {"transform controller", [](auto& f) { f.FailCall(memhost::HostCall::GetTMController); },
         [](const Json& h) { EXPECT_TRUE(Node(h, "Tip")["controllers"]["rotation"].is_null()); }},
        {"key control", [](auto& f) { f.FailGetInterface(hostapi::I_KEYCONTROL); },
         [](const Json& h) { EXPECT_TRUE(Node(h, "Tip")["controllers"]["rotation"]["keys"].empty()); }},
        {"RGB multiply",
         [](auto& f) { f.FailCreateInstance(hostapi::TEXMAP_CLASS_ID, {hostapi::RGBMULT_CLASS_ID, 0}); },
         [](const Json& h) {
             EXPECT_EQ(CountOf(h, "texmaps", "rgbMultiply"), 0u);
             EXPECT_EQ(CountOf(h, "texmaps", "bitmap"), 1u) << "the opacity bitmap stays";
         }},
        {"UV generator", [](auto& f) { f.FailCall(memhost::HostCall::GetUVGen); },
         [](const Json& h) { EXPECT_EQ(CountOf(h, "texmaps", "bitmap"), 3u); }},
        {"camera object", [](auto& f) { f.FailCall(memhost::HostCall::CreateCameraObject); },
         [](const Json& h) { EXPECT_TRUE(Node(h, "Cam")["object"].is_null()); }},
        {"skin interface", [](auto& f) { f.FailGetInterface(hostapi::I_SKIN); },
         [](const Json& h) { EXPECT_TRUE(h["scene"]["modifiers"][0]["bones"].empty()); }},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Json host = Build(FullScene(), {}, [&](memhost::MemHost& h) { c.inject(h.failures()); });
        ASSERT_EQ(host["session"]["failures"]["injected"].size(), 1u);
        EXPECT_EQ(host["scene"]["nodes"].size(), 5u);
        c.check(host);
    }
}

}  // namespace
}  // namespace tvx::importer::test
