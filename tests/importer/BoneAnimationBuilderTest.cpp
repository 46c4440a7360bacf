#include <algorithm>

#include "ImportTestSupport.h"
#include "importer/AnimationBuilder.h"
#include "importer/BoneBuilder.h"
#include "importer/HostConversions.h"

namespace tvx::importer::test {
namespace {

TVXScene Skeleton() {
    TVXScene scene;
    TVXBone& root = scene.bones.emplace_back();
    root.name = TVXString::FromUtf8("Root");
    root.transform.position = {0.0f, 1.0f, 0.0f};
    TVXBone& child = scene.bones.emplace_back();
    child.name = TVXString::FromUtf8("Child");
    child.parentIndex = 0;
    child.transform.position = {0.0f, 2.0f, 0.0f};
    TVXBone& early = scene.bones.emplace_back();
    early.name = TVXString::FromUtf8("Early");
    early.parentIndex = 3;  // listed before its parent
    scene.bones.emplace_back().name = TVXString::FromUtf8("Late");
    return scene;
}

TEST(BoneBuilder, BonesAreLinkedHiddenAndMeasured) {
    EXPECT_EQ(PackWireColor({1.0f, 0.5f, 0.0f}), 0x007FFFu);
    const Json host = Build(Skeleton());
    const Json& root = Node(host, "Root");
    const Json& child = Node(host, "Child");
    EXPECT_TRUE(root["parent"].is_null());
    EXPECT_EQ(child["parent"], root["id"]);
    EXPECT_TRUE(Node(host, "Early")["parent"].is_null()) << "its parent did not exist yet";
    EXPECT_EQ(ObjectOf(host, root)["length"], 1.0) << "a root is always 1 long";
    EXPECT_TRUE(Near(ObjectOf(host, child)["length"], 2.0f));
    for (const Json& node : host["scene"]["nodes"]) {
        EXPECT_EQ(node["hidden"], true);
        EXPECT_EQ(node["renderable"], false);
        EXPECT_EQ(node["boneOn"], true);
        EXPECT_EQ(node["showBone"], 1);
        EXPECT_EQ(node["wireColor"], Json::parse("[127,127,127]"));
    }
    // The child sits 2 above its parent, in the host's z-up space.
    EXPECT_TRUE(Near(child["transform"]["world"][3][2], 3.0f));
    EXPECT_TRUE(Near(child["transform"]["local"][3][1], 2.0f)) << "and 2 along its parent's own y";

    ImportOptions shown;
    shown.hideBones = 0;
    TVXScene lost = Skeleton();
    TVXBone& stray = lost.bones.emplace_back();
    stray.name = TVXString::FromUtf8("Lost");
    stray.parentIndex = 9;  // names no bone: a root, 1 long
    stray.transform.position = {5.0f, 0.0f, 0.0f};
    const Json shownHost = Build(std::move(lost), shown);
    EXPECT_EQ(Node(shownHost, "Root")["hidden"], false);
    EXPECT_EQ(ObjectOf(shownHost, Node(shownHost, "Lost"))["length"], 1.0);
    EXPECT_TRUE(Near(Node(shownHost, "Lost")["transform"]["world"][3][0], 5.0f)) << "placed where it says";
}

// The host scene writes values that are not finite as these words.
bool HoldsNonFinite(const Json& value) {
    if (value.is_string()) {
        return value == "NaN" || value == "Infinity" || value == "-Infinity";
    }
    return value.is_structured() &&
           std::any_of(value.begin(), value.end(), [](const Json& item) { return HoldsNonFinite(item); });
}

// A root scaled to nothing along an axis has no inverse: its child and
// grandchild must still land where their bind pose puts them, and nothing
// in the host may come out NaN.
TEST(BoneBuilder, ChildrenOfABoneScaledToNothingLandWhereTheirBindPosePutsThem) {
    const Vector3 scales[] = {{1.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 0.0f}, {1e-40f, 1.0f, 1.0f}};
    for (const Vector3& s : scales) {
        SCOPED_TRACE(testing::Message() << "root scale " << s.x << ", " << s.y << ", " << s.z);
        TVXScene scene = TriangleScene();
        TVXBone& root = scene.bones.emplace_back();
        root.name = TVXString::FromUtf8("Root");
        root.transform.position = {0.0f, 1.0f, 0.0f};
        root.transform.scale = s;
        TVXBone& child = scene.bones.emplace_back();
        child.name = TVXString::FromUtf8("Child");
        child.parentIndex = 0;
        child.transform.position = {0.0f, 2.0f, 0.0f};
        TVXBone& grandchild = scene.bones.emplace_back();
        grandchild.name = TVXString::FromUtf8("Grandchild");
        grandchild.parentIndex = 1;
        grandchild.transform.position = {1.0f, 0.0f, 0.0f};
        for (int v = 0; v < 3; ++v) {
            scene.vertices[static_cast<std::size_t>(v)].weights = {{v, 1.0f}};
        }
        ComputeBoneWeightCounts(scene);
        const Json host = Build(std::move(scene));
        EXPECT_FALSE(HoldsNonFinite(host["scene"])) << host["scene"].dump();
        // The file's (x, y, z) is the host's (x, -z, y).
        const float height = 1.0f + 2.0f * s.y;
        const Json& childWorld = Node(host, "Child")["transform"]["worldAtTime0"][3];
        const Json& grandchildWorld = Node(host, "Grandchild")["transform"]["worldAtTime0"][3];
        EXPECT_TRUE(Near(childWorld[0], 0.0f) && Near(childWorld[1], 0.0f) && Near(childWorld[2], height))
            << childWorld;
        EXPECT_TRUE(Near(grandchildWorld[0], s.x) && Near(grandchildWorld[1], 0.0f) &&
                    Near(grandchildWorld[2], height))
            << grandchildWorld;
    }
}

TEST(BoneBuilder, NoBonesWhenTheyAreNotImported) {
    ImportOptions off;
    off.importBones = 0;
    TVXScene scene = Skeleton();
    scene.animations.emplace_back().tracks.resize(4);
    const Json host = Build(std::move(scene), off);
    EXPECT_TRUE(host["scene"]["nodes"].empty());
    EXPECT_EQ(host["scene"]["animation"]["range"], Json::parse("[0,16000]")) << "the host's own range stays";
}

TEST(AnimationBuilder, KeysLandOnTicksInTheBonesParentSpace) {
    EXPECT_EQ(SecondsToTicks(0.5f, 30), 2400);
    // Frame 63 at 30 fps is stored as 2.0999999 s: its key belongs on tick
    // 10080, not one before.
    EXPECT_EQ(SecondsToTicks(63.0f / 30.0f, 30), 63 * 160);
    EXPECT_EQ(SecondsToTicks(1e30f, 30), std::numeric_limits<int>::max());
    EXPECT_EQ(SecondsToTicks(std::nanf(""), 30), 0);

    TVXScene scene = Skeleton();
    TVXAnimation& animation = scene.animations.emplace_back();
    animation.start = 10.0f;
    animation.tracks.resize(2);
    animation.tracks[1].positionKeys = {{0.5f, {1.0f, 0.0f, 0.0f}}};
    animation.tracks[1].rotationKeys = {{0.0f, {}}};
    animation.tracks[1].scaleKeys = {{1.0f, {2.0f, 2.0f, 2.0f}}};
    const Json host = Build(std::move(scene));
    EXPECT_EQ(host["scene"]["animation"]["frameRate"], 30);
    EXPECT_EQ(host["scene"]["animation"]["ticksPerFrame"], 160);
    EXPECT_EQ(host["scene"]["animation"]["range"], Json::parse("[1600,17600]"));
    const Json& controllers = Node(host, "Child")["controllers"];
    ASSERT_EQ(controllers["position"]["keys"].size(), 1u);
    const Json& key = controllers["position"]["keys"][0];
    EXPECT_EQ(key[0], 2400);
    // The key's offset is added to the bone's own place in its parent.
    EXPECT_TRUE(Near(key[1], 1.0f));
    EXPECT_TRUE(Near(key[2], 2.0f));
    EXPECT_EQ(controllers["scale"]["keys"][0][0], 4800);
    EXPECT_TRUE(Node(host, "Root")["controllers"]["position"].is_null()) << "a track without keys";

    ImportOptions noAnimation;
    noAnimation.importAnimation = 0;
    TVXScene still = Skeleton();
    still.animations.emplace_back().tracks.resize(2);
    const Json stillHost = Build(std::move(still), noAnimation);
    EXPECT_EQ(stillHost["scene"]["animation"]["range"], Json::parse("[0,16000]"));
    EXPECT_EQ(stillHost["scene"]["nodes"].size(), 4u);
}

TEST(AnimationBuilder, RefusedControllersSkipTheirKeysOnly) {
    TVXScene scene = Skeleton();
    TVXAnimation& animation = scene.animations.emplace_back();
    animation.tracks.resize(1);
    animation.tracks[0].positionKeys = {{0.0f, {}}};
    animation.tracks[0].scaleKeys = {{0.0f, {1.0f, 1.0f, 1.0f}}};
    const Json host = Build(std::move(scene), {}, [](memhost::MemHost& h) {
        h.failures().FailCreateInstance(hostapi::CTRL_POSITION_CLASS_ID,
                                        {hostapi::LININTERP_POSITION_CLASS_ID, 0});
    });
    const Json& controllers = Node(host, "Root")["controllers"];
    EXPECT_TRUE(controllers["position"].is_null());
    EXPECT_FALSE(controllers["scale"].is_null());
}

}  // namespace
}  // namespace tvx::importer::test
