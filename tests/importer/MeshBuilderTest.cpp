#include "ImportTestSupport.h"

#include <cmath>
#include <limits>
#include <vector>

namespace tvx::importer::test {
namespace {

const Json& Mesh(const Json& host) { return ObjectOf(host, Node(host, "TVXMesh")); }

const Json& Channel(const Json& mesh, int channel) {
    for (const Json& c : mesh["mapChannels"]) {
        if (c["channel"] == channel) {
            return c;
        }
    }
    ADD_FAILURE() << "no map channel " << channel;
    static const Json none = Json::object();
    return none;
}

TEST(MeshBuilder, FaceListsWithoutPolygonsGiveANamedEmptyMesh) {
    TVXScene scene;
    scene.vertices.resize(3);
    scene.faceLists.resize(2);
    const Json host = Build(std::move(scene));
    const Json& node = Node(host, "TVXMesh");
    EXPECT_TRUE(node["inScene"].get<bool>());
    EXPECT_TRUE(Mesh(host)["vertices"].empty());
    EXPECT_TRUE(Mesh(host)["faces"].empty());

    EXPECT_TRUE(Build(TVXScene())["scene"]["nodes"].empty()) << "no face lists, no mesh node";
}

TEST(MeshBuilder, CornersGetTheirOwnTextureVerticesWithVFlipped) {
    TVXScene scene = TriangleScene(2);
    AddUVSet(scene, {{0, 0.25f, 0.75f}, {0, 1.0f, 0.0f}, {0, 0.0f, 1.0f}});
    scene.faceLists[0].polygons[1].materialIndex = -1;
    const Json host = Build(std::move(scene));
    const Json& mesh = Mesh(host);

    EXPECT_EQ(mesh["faces"], Json::parse("[[0,1,2],[0,1,2]]"));
    EXPECT_EQ(mesh["faceMaterialIds"], Json::parse("[0,65535]"));
    EXPECT_EQ(mesh["faceSmoothingGroups"], Json::parse("[0,0]"));
    EXPECT_EQ(mesh["faceEdgeVisibility"], Json::parse("[7,7]"));
    const Json& first = Channel(mesh, 1);
    ASSERT_EQ(first["vertices"].size(), 6u);
    EXPECT_EQ(first["vertices"][0], Json::parse("[0.25,0.25,0.0]"));
    EXPECT_EQ(first["faces"], Json::parse("[[0,1,2],[3,4,5]]"));
    // One UV set: the second channel exists and holds zeros.
    const Json& second = Channel(mesh, 2);
    ASSERT_EQ(second["vertices"].size(), 6u);
    for (const Json& uv : second["vertices"]) {
        EXPECT_EQ(uv, Json::parse("[0.0,0.0,0.0]"));
    }
    EXPECT_EQ(second["faces"], first["faces"]);
}

TEST(MeshBuilder, TheSecondUVSetFillsChannelTwo) {
    TVXScene scene = TriangleScene();
    AddUVSet(scene, {{0, 0.0f, 0.0f}, {0, 0.0f, 0.0f}, {0, 0.0f, 0.0f}});
    AddUVSet(scene, {{0, 0.5f, 0.25f}, {0, 1.0f, 1.0f}, {0, 0.0f, 0.5f}});
    const Json host = Build(std::move(scene));
    EXPECT_EQ(Channel(Mesh(host), 2)["vertices"], Json::parse("[[0.5,0.75,0.0],[1.0,0.0,0.0],[0.0,0.5,0.0]]"));
}

TEST(MeshBuilder, PositionsArePosedWithBonesAndStoredWithout) {
    TVXScene scene = TriangleScene();
    TVXBone& bone = scene.bones.emplace_back();
    bone.transform.position = {0.0f, 0.0f, 0.0f};
    scene.animations.emplace_back().tracks.emplace_back().positionKeys = {{0.0f, {0.0f, 0.0f, 3.0f}}};
    for (TVXVertex& v : scene.vertices) {
        v.weights = {{0, 1.0f}};
    }
    // The file's z is the host's -y, so the time-0 key moves the skin to y = -3.
    const Json posed = Build(scene);
    const Json& moved = Mesh(posed)["vertices"][1];
    EXPECT_TRUE(Near(moved[0], 1.0f) && Near(moved[1], -3.0f) && Near(moved[2], 0.0f)) << moved;
    ImportOptions noBones;
    noBones.importBones = 0;
    const Json stored = Build(scene, noBones);
    EXPECT_EQ(Mesh(stored)["vertices"][1], Json::parse("[1.0,0.0,0.0]"));
}

TEST(MeshBuilder, IndicesAFileGetsWrongStayInsideTheMesh) {
    TVXScene scene = TriangleScene();
    TVXPolygon& p = scene.faceLists[0].polygons[0];
    p.vertexIndices()[1] = 99;
    p.uvIndices(0)[2] = -4;
    AddUVSet(scene, {{0, 0.5f, 0.5f}});
    TVXPolygon& stray = scene.faceLists[0].polygons.emplace_back();
    ASSERT_EQ(stray.AllocArrays(2, 2, 0), 1);  // two corners: no face
    const Json host = Build(std::move(scene), {}, {}, true);
    const Json& mesh = Mesh(host);
    EXPECT_EQ(mesh["faces"], Json::parse("[[0,0,2]]"));
    EXPECT_EQ(Channel(mesh, 1)["vertices"][2], Json::parse("[0.0,0.0,0.0]"));
}

// The number is the bit length of the exported mask: its highest group.
TEST(MeshBuilder, EachSmoothingNumberNamesItsGroup) {
    TVXScene scene = TriangleScene(6);
    const int numbers[] = {0, 1, 5, 32, 33, -1};
    for (std::size_t p = 0; p < std::size(numbers); ++p) {
        scene.faceLists[0].polygons[p].smoothing = numbers[p];
    }
    const Json host = Build(std::move(scene));
    EXPECT_EQ(Mesh(host)["faceSmoothingGroups"], Json::parse("[0, 1, 16, 2147483648, 0, 0]"));
}

// Two triangles sharing an edge, vertices 0..3, with colours stored or not.
TVXScene ColouredScene(std::initializer_list<RGBA> colours, bool stored) {
    TVXScene scene = TriangleScene(2);
    scene.vertices.resize(4);
    scene.vertices[3].position = {1.0f, 1.0f, 0.0f};
    scene.faceLists[0].polygons[1].vertexIndices()[0] = 3;
    std::size_t v = 0;
    for (const RGBA& c : colours) {
        scene.vertices[v++].color = c;
    }
    scene.vertexColorsStored = stored;
    return scene;
}

TEST(MeshBuilder, StoredColoursFillTheColourAndAlphaChannelsOnTheFaceCorners) {
    const Json host = Build(ColouredScene({{1, 0, 0, 1}, {0, 1, 0, 0.5f}, {0, 0, 1, 1}, {1, 1, 1, 0}}, true));
    const Json& mesh = Mesh(host);
    const Json& colours = Channel(mesh, 0);
    EXPECT_EQ(colours["vertices"], Json::parse("[[1.0, 0.0, 0.0], [0.0, 1.0, 0.0], [0.0, 0.0, 1.0], [1.0, 1.0, 1.0]]"));
    EXPECT_EQ(colours["faces"], mesh["faces"]);
    const Json& alpha = Channel(mesh, -2);
    EXPECT_EQ(alpha["vertices"], Json::parse("[[1.0, 1.0, 1.0], [0.5, 0.5, 0.5], [1.0, 1.0, 1.0], [0.0, 0.0, 0.0]]"));
    EXPECT_EQ(alpha["faces"], Json::parse("[[0, 1, 2], [3, 1, 2]]"));
}

// Only what differs from opaque white, which a mesh without colours shows.
TEST(MeshBuilder, ColourChannelsOnlyCarryWhatTheFileStores) {
    const auto channels = [](const Json& host) {
        std::vector<int> numbers;
        for (const Json& c : Mesh(host)["mapChannels"]) {
            numbers.push_back(c["channel"].get<int>());
        }
        return numbers;
    };
    const RGBA white{1, 1, 1, 1};
    const RGBA grey{0.5f, 0.5f, 0.5f, 1};
    EXPECT_EQ(channels(Build(ColouredScene({grey, grey, grey, grey}, false))), (std::vector<int>{1, 2}))
        << "without the flag, as before: the colours are only a default";
    EXPECT_EQ(channels(Build(ColouredScene({white, white, white, white}, true))), (std::vector<int>{1, 2}));
    EXPECT_EQ(channels(Build(ColouredScene({grey, white, white, white}, true))), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(channels(Build(ColouredScene({white, white, white, {1, 1, 1, 0.5f}}, true))), (std::vector<int>{-2, 1, 2}));
}

// In the file's Y-up space the normals point up (+y) and back (+z); the
// host's Z-up turns them to +z and -y.
TEST(MeshBuilder, StoredNormalsBecomeTheMeshsSpecifiedNormals) {
    TVXScene scene = ColouredScene({}, false);
    scene.vertexNormalsStored = true;
    scene.vertices[0].normal = {0.0f, 2.0f, 0.0f};
    scene.vertices[1].normal = {0.0f, 0.0f, 1.0f};
    scene.vertices[2].normal = {0.0f, 0.0f, 0.0f};
    scene.vertices[3].normal = {std::numeric_limits<float>::quiet_NaN(), 0.0f, 1.0f};
    const Json host = Build(std::move(scene));
    const Json& userNormals = Mesh(host)["specifiedNormals"];
    ASSERT_TRUE(userNormals.is_object()) << Mesh(host);
    EXPECT_EQ(userNormals["normals"][0], Json::parse("[0.0, 0.0, 1.0]")) << "made unit";
    EXPECT_EQ(userNormals["normals"][1], Json::parse("[0.0, -1.0, 0.0]"));
    EXPECT_EQ(userNormals["explicit"], Json::parse("[true, true, false, false]")) << "no direction, no normal";
    EXPECT_EQ(userNormals["faces"], Mesh(host)["faces"]);
    EXPECT_EQ(userNormals["specified"], Json::parse("[3, 2]")) << "corners on vertices 2 and 3 keep the host's";

    EXPECT_FALSE(Mesh(Build(ColouredScene({}, false))).contains("specifiedNormals")) << "without the flag, none";
}

TEST(MeshBuilder, WithBonesTheNormalsArePosedAsThePositionsAre) {
    TVXScene scene = TriangleScene();
    scene.vertexNormalsStored = true;
    scene.bones.emplace_back();
    // A quarter turn about the file's y at time 0.
    const float h = std::sqrt(0.5f);
    scene.animations.emplace_back().tracks.emplace_back().rotationKeys = {{0.0f, {0.0f, h, 0.0f, h}}};
    for (TVXVertex& v : scene.vertices) {
        v.weights = {{0, 1.0f}};
        v.normal = {0.0f, 0.0f, 1.0f};
    }
    const Json posed = Build(scene);
    const Json& normal = Mesh(posed)["specifiedNormals"]["normals"][0];
    // The file's +z turned about its y is its +x, the host's +x.
    EXPECT_TRUE(Near(normal[0], 1.0f) && Near(normal[1], 0.0f) && Near(normal[2], 0.0f)) << normal;
    ImportOptions noBones;
    noBones.importBones = 0;
    const Json stored = Build(scene, noBones);
    const Json& still = Mesh(stored)["specifiedNormals"]["normals"][0];
    EXPECT_TRUE(Near(still[0], 0.0f) && Near(still[1], -1.0f) && Near(still[2], 0.0f)) << still;
}

TEST(MeshBuilder, ARefusedMeshObjectStillLeavesThePlacedNamedNode) {
    const Json host = Build(TriangleScene(), {}, [](memhost::MemHost& h) {
        h.failures().FailCall(memhost::HostCall::CreateNewTriObject);
    });
    const Json& node = Node(host, "TVXMesh");
    EXPECT_TRUE(node["object"].is_null());
    EXPECT_TRUE(node["inScene"].get<bool>());

    const Json none = Build(TriangleScene(), {}, [](memhost::MemHost& h) {
        h.failures().FailCall(memhost::HostCall::CreateNode);
    });
    EXPECT_TRUE(none["scene"]["nodes"].empty());
}

}  // namespace
}  // namespace tvx::importer::test
