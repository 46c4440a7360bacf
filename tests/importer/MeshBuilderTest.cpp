#include "ImportTestSupport.h"

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
