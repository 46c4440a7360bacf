// What an exporter reads of a host scene: the walk over the nodes, objects
// and their conversion to meshes, the modifier stack with Skin and
// Physique, the biped controllers, materials and maps, lights and cameras.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "memhost/HostSceneJson.h"
#include "memhost/HostSceneRead.h"
#include "memhost/MemHost.h"
#include "tests/memhost/ExportScene.h"

namespace memhost {
namespace {

using namespace hostapi;
using Json = nlohmann::ordered_json;

class ExportScene : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        host = ReadHostScene(test::kExportSceneJson, error);
        ASSERT_NE(host, nullptr) << error;
    }

    INode* Node(const char* name) { return host->FindNode(name); }
    Object* ObjectOf(const char* name) { return Node(name)->EvalWorldState(0, TRUE).obj; }
    std::size_t Errors() const { return host->session().hostErrors().size(); }
    Json Session() const { return HostSceneJson(*host)["session"]; }

    std::unique_ptr<MemHost> host;
};

// Records the names it is called with and answers as told.
class Walk final : public ITreeEnumProc {
public:
    int callback(INode* node) override {
        names.emplace_back(node->GetName());
        const auto it = answers.find(names.back());
        return it == answers.end() ? TREE_CONTINUE : it->second;
    }

    std::vector<std::string> names;
    std::map<std::string, int> answers;
};

TEST_F(ExportScene, TheWalkVisitsNodesInTheSceneDepthFirst) {
    IScene* scene = host->exportInterface()->theScene;
    ASSERT_NE(scene, nullptr);
    Walk all;
    EXPECT_EQ(scene->EnumTree(&all), 0);
    // Limbo is not in the scene, its child Orphan is.
    EXPECT_EQ(all.names, (std::vector<std::string>{"Root", "Hips", "Spine", "Foot", "Orphan", "Skinned", "Spot",
                                                   "Spot.Target", "Camera", "AmbientGlow", "Physiqued"}));

    Walk pruned;
    pruned.answers = {{"Root", TREE_IGNORECHILDREN}, {"Spot", TREE_ABORT}};
    EXPECT_EQ(scene->EnumTree(&pruned), 1);
    EXPECT_EQ(pruned.names, (std::vector<std::string>{"Root", "Skinned", "Spot"}));
    EXPECT_EQ(scene->EnumTree(nullptr), 0);
    EXPECT_EQ(Errors(), 1u);
}

// Makes one node the first time it is called.
class GrowingWalk final : public ITreeEnumProc {
public:
    explicit GrowingWalk(MemHost& host) : host_(host) {}
    int callback(INode*) override {
        if (++visits == 1) {
            host_.AddNodeToScene(host_.CreateNode());
        }
        return TREE_CONTINUE;
    }

    int visits = 0;

private:
    MemHost& host_;
};

TEST(SceneWalk, ADeepChainIsWalkedAndWrittenWithoutRecursionAndNewNodesWait) {
    constexpr int kDepth = 20000;
    MemHost host;
    MemNode* parent = nullptr;
    for (int i = 0; i < kDepth; ++i) {
        auto* node = dynamic_cast<MemNode*>(host.CreateNode()->GetINode());
        host.AddNodeToScene(node);
        node->SetParentKeepLocal(parent);
        Matrix3 step;
        step.SetRow(3, Point3(1, 0, 0));
        node->SetStaticLocal(step);
        parent = node;
    }
    GrowingWalk walk(host);
    EXPECT_EQ(host.exportInterface()->theScene->EnumTree(&walk), 0);
    EXPECT_EQ(walk.visits, kDepth);
    // Each node's world transform costs one product, not its depth.
    const Json nodes = HostSceneJson(host)["scene"]["nodes"];
    EXPECT_EQ(nodes[kDepth - 1]["transform"]["worldAtTime0"][3], Json::parse("[20000.0, 0.0, 0.0]"));
    EXPECT_EQ(nodes.size(), static_cast<std::size_t>(kDepth + 1));
}

TEST_F(ExportScene, NodesTellSelectionParentMaterialAndTheirNameAsNarrowText) {
    EXPECT_TRUE(Node("Skinned")->Selected());
    EXPECT_FALSE(Node("Root")->Selected());
    EXPECT_EQ(Node("Root")->GetParentNode(), nullptr);
    EXPECT_EQ(Node("Spine")->GetParentNode(), Node("Hips"));
    EXPECT_EQ(Node("Skinned")->GetMtl()->ClassID(), Class_ID(MULTI_CLASS_ID, 0));
    EXPECT_EQ(Node("Root")->GetMtl(), nullptr);

    // Narrow text is Latin-1: a character beyond it has no narrow form.
    MemNode* node = host->FindNode("Root");
    node->SetName(u"B\u00f8ne\u20ac");
    EXPECT_STREQ(node->GetName(), "B\xF8ne?");
    EXPECT_EQ(node->name(), "B\xC3\xB8ne\xE2\x82\xAC");
    // Nor has a byte that is no part of a UTF-8 character.
    node->SetNameUtf8("a\xC3\xFF\xE2\x82");
    EXPECT_STREQ(node->GetName(), "a????");
    host->SelectAll(true);
    EXPECT_TRUE(node->Selected());
}

TEST_F(ExportScene, ObjectsConvertToMeshesOnlyWhenTheyHaveGeometry) {
    // The skinned mesh evaluates to the mesh under its stack, which is its
    // own conversion.
    Object* mesh = ObjectOf("Skinned");
    EXPECT_EQ(mesh->ClassID(), triObjectClassID);
    EXPECT_TRUE(mesh->CanConvertToType(triObjectClassID));
    EXPECT_EQ(mesh->ConvertToType(0, triObjectClassID), mesh);
    EXPECT_EQ(mesh->ConvertToType(0, Class_ID(1, 2)), nullptr);

    // Other geometry gives a new mesh for the caller, with the same content.
    Object* biped = ObjectOf("Spine");
    EXPECT_EQ(biped->ClassID(), BIPED_CLASS_ID);
    auto* converted = static_cast<TriObject*>(biped->ConvertToType(0, triObjectClassID));
    ASSERT_NE(converted, nullptr);
    EXPECT_NE(static_cast<Object*>(converted), biped);
    EXPECT_EQ(converted->GetMesh().getNumFaces(), 1);
    EXPECT_EQ(converted->GetMesh().getVert(2), Point3(0, 0, 1));
    const MeshNormalSpec* copied = converted->GetMesh().GetSpecifiedNormals();
    ASSERT_NE(copied, nullptr) << "the copy keeps the specified normals";
    EXPECT_EQ(copied->GetNumNormals(), 1);

    // A bone is a box; a light with a mesh converts though it is a light.
    auto* box = static_cast<TriObject*>(ObjectOf("Hips")->ConvertToType(0, triObjectClassID));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetMesh().getNumVerts(), 8);
    EXPECT_EQ(box->GetMesh().getNumFaces(), 12);
    EXPECT_EQ(box->GetMesh().getVert(7), Point3(6, 0.5f, 1));
    Object* glow = ObjectOf("AmbientGlow");
    EXPECT_EQ(glow->SuperClassID(), LIGHT_CLASS_ID);
    EXPECT_TRUE(glow->CanConvertToType(triObjectClassID));
    EXPECT_FALSE(ObjectOf("Spot")->CanConvertToType(triObjectClassID));
    EXPECT_FALSE(ObjectOf("Root")->CanConvertToType(triObjectClassID));
    EXPECT_EQ(ObjectOf("Root")->SuperClassID(), HELPER_CLASS_ID);
    EXPECT_EQ(ObjectOf("Spot.Target")->ClassID(), TARGET_CLASS_ID);
    EXPECT_EQ(ObjectOf("Spot.Target")->ConvertToType(0, triObjectClassID), nullptr);
    EXPECT_EQ(Node("Foot")->EvalWorldState(0, TRUE).obj, nullptr);

    // Ending: only what was made for the caller, and once.
    converted->DeleteThis();
    EXPECT_EQ(converted->GetMesh().getNumVerts(), 0);
    EXPECT_EQ(Errors(), 0u);
    converted->DeleteThis();
    mesh->DeleteThis();
    EXPECT_EQ(Errors(), 2u);
    EXPECT_EQ(ObjectOf("Skinned")->ClassID(), triObjectClassID);
    EXPECT_EQ(Session()["conversions"],
              Json::parse(R"([{"object": 2, "deleted": true}, {"object": 8, "deleted": false}])"));

    host->failures().FailCall(HostCall::ConvertToType);
    EXPECT_EQ(biped->ConvertToType(0, triObjectClassID), nullptr);
}

TEST_F(ExportScene, AMeshGivesItsArraysAndChannelsWithTheirCounts) {
    Mesh& mesh = static_cast<TriObject*>(ObjectOf("Skinned"))->GetMesh();
    ASSERT_EQ(mesh.getNumVerts(), 4);
    ASSERT_EQ(mesh.getNumFaces(), 2);
    const Face& second = mesh.faces()[1];
    EXPECT_EQ(second.v[2], 3u);
    EXPECT_EQ(second.getMatID(), 3);
    EXPECT_EQ(second.getSmGroup(), 6u);
    EXPECT_EQ(second.flags & EDGE_ALL, 6u);

    // Texture channel, with a corner that points past its vertices.
    EXPECT_EQ(mesh.getNumTVerts(), 4);
    EXPECT_EQ(mesh.getNumMapFaces(1), 2);
    EXPECT_EQ(mesh.tvFace()[1].t[2], 9u);
    EXPECT_EQ(mesh.getTVert(2), UVVert(1, 1, 0));

    // Vertex colours are channel 0, alpha the hidden channel below it.
    EXPECT_EQ(mesh.getNumVertCol(), 2);
    EXPECT_EQ(mesh.getVertCol(1), VertColor(0, 0, 1));
    EXPECT_EQ(mesh.vcFace()[0].t[1], 1u);
    EXPECT_TRUE(mesh.mapSupport(MAP_ALPHA));
    EXPECT_EQ(mesh.getNumMapVerts(MAP_ALPHA), 2);
    EXPECT_EQ(mesh.mapVerts(MAP_ALPHA)[1].x, 1.5f);
    EXPECT_EQ(mesh.mapFaces(MAP_ALPHA)[1].t[2], 1u);
    EXPECT_TRUE(mesh.mapSupport(3));
    EXPECT_EQ(mesh.mapVerts(3)[0], UVVert(0.25f, 0.75f, 0));

    // A channel that is off has nothing.
    EXPECT_FALSE(mesh.mapSupport(2));
    EXPECT_EQ(mesh.getNumMapVerts(2), 0);
    EXPECT_EQ(mesh.getNumMapFaces(2), 0);
    EXPECT_EQ(Errors(), 0u);
    EXPECT_EQ(mesh.mapVerts(2), nullptr);
    EXPECT_EQ(mesh.getVert(4), Point3());
    EXPECT_EQ(Errors(), 2u);

    // Specified normals, with an id past the normals that readers check.
    MeshNormalSpec* userNormals = mesh.GetSpecifiedNormals();
    ASSERT_NE(userNormals, nullptr);
    ASSERT_EQ(userNormals->GetNumNormals(), 2);
    ASSERT_EQ(userNormals->GetNumFaces(), 2);
    EXPECT_EQ(userNormals->Normal(1), Point3(0, 0, -1));
    EXPECT_TRUE(userNormals->GetNormalExplicit(0));
    EXPECT_FALSE(userNormals->GetNormalExplicit(1));
    EXPECT_EQ(userNormals->Face(1).GetNormalID(1), 7);
    EXPECT_TRUE(userNormals->Face(1).GetSpecified(1));
    EXPECT_FALSE(userNormals->Face(1).GetSpecified(0));
    const std::size_t errors = Errors();
    userNormals->Normal(2) = Point3(5, 5, 5);
    EXPECT_EQ(Errors(), errors + 1) << "an index past the normals is the plug-in's mistake, and recorded";
    EXPECT_EQ(userNormals->Normal(1), Point3(0, 0, -1));
}

TEST_F(ExportScene, SpecifyingNormalsGivesAnEmptySpecOnceAndGrowingKeepsTheNormals) {
    auto* box = static_cast<TriObject*>(ObjectOf("Hips")->ConvertToType(0, triObjectClassID));
    ASSERT_NE(box, nullptr);
    Mesh& mesh = box->GetMesh();
    EXPECT_EQ(mesh.GetSpecifiedNormals(), nullptr);
    mesh.SpecifyNormals();
    MeshNormalSpec* userNormals = mesh.GetSpecifiedNormals();
    ASSERT_NE(userNormals, nullptr);
    EXPECT_EQ(userNormals->GetNumNormals(), 0);
    ASSERT_TRUE(userNormals->SetNumNormals(1) && userNormals->SetNumFaces(1));
    userNormals->Normal(0) = Point3(0, 1, 0);
    userNormals->SetAllExplicit();
    mesh.SpecifyNormals();
    EXPECT_EQ(mesh.GetSpecifiedNormals(), userNormals) << "a second call keeps the userNormals";
    ASSERT_TRUE(userNormals->SetNumNormals(2));
    EXPECT_EQ(userNormals->Normal(0), Point3(0, 1, 0));
    EXPECT_TRUE(userNormals->GetNormalExplicit(0));
    EXPECT_FALSE(userNormals->GetNormalExplicit(1)) << "a new normal is not explicit";
    EXPECT_FALSE(userNormals->Face(0).GetSpecified(0));
    EXPECT_FALSE(userNormals->SetNumFaces(-1));
    EXPECT_EQ(userNormals->GetNumFaces(), 1);
    box->DeleteThis();

}

TEST_F(ExportScene, TheStackLeadsFromTheNodeDownToItsModifiersAndBase) {
    Object* top = Node("Skinned")->GetObjectRef();
    ASSERT_EQ(top->SuperClassID(), GEN_DERIVOB_CLASS_ID);
    auto* derived = static_cast<IDerivedObject*>(top);
    ASSERT_EQ(derived->NumModifiers(), 2);
    EXPECT_EQ(derived->GetModifier(0)->ClassID(), Class_ID(1, 2));
    EXPECT_EQ(derived->GetModifier(1)->ClassID(), SKIN_CLASSID);
    EXPECT_EQ(derived->GetModifier(2), nullptr);
    EXPECT_EQ(derived->GetObjRef(), ObjectOf("Skinned"));
    EXPECT_EQ(derived->GetObjRef()->SuperClassID(), GEOMOBJECT_CLASS_ID);
}

TEST_F(ExportScene, SkinListsTheRegisteredInfluencesOfEachPoint) {
    auto* derived = static_cast<IDerivedObject*>(Node("Skinned")->GetObjectRef());
    auto* skin = static_cast<ISkin*>(derived->GetModifier(1)->GetInterface(I_SKIN));
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->GetBone(1), Node("Spine"));
    EXPECT_EQ(skin->GetBone(2), nullptr);
    EXPECT_EQ(skin->GetContextInterface(Node("Physiqued")), nullptr);

    ISkinContextData* data = skin->GetContextInterface(Node("Skinned"));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->GetNumPoints(), 4);
    ASSERT_EQ(data->GetNumAssignedBones(1), 2);
    EXPECT_EQ(data->GetAssignedBone(1, 1), 1);
    EXPECT_EQ(data->GetBoneWeight(1, 0), 0.5f);
    // Foot was never registered: only Spine's influence counts.
    ASSERT_EQ(data->GetNumAssignedBones(2), 1);
    EXPECT_EQ(data->GetAssignedBone(2, 0), 1);
    EXPECT_EQ(data->GetBoneWeight(2, 0), 0.7f);
    EXPECT_EQ(data->GetNumAssignedBones(3), 0);
    EXPECT_EQ(Errors(), 1u);
    EXPECT_EQ(data->GetNumAssignedBones(4), 0);
    EXPECT_EQ(data->GetAssignedBone(0, 1), -1);
    EXPECT_EQ(Errors(), 3u);

    // A skin can stand for a stack that changes the point count.
    Json scene = Json::parse(test::kExportSceneJson);
    scene["scene"]["modifiers"][0]["points"] = 7;
    std::string error;
    const std::unique_ptr<MemHost> other = ReadHostScene(scene.dump(), error);
    ASSERT_NE(other, nullptr) << error;
    auto* otherSkin = static_cast<ISkin*>(
        static_cast<IDerivedObject*>(other->FindNode("Skinned")->GetObjectRef())->GetModifier(1)->GetInterface(I_SKIN));
    EXPECT_EQ(otherSkin->GetContextInterface(other->FindNode("Skinned"))->GetNumPoints(), 7);
}

TEST_F(ExportScene, PhysiqueReportsVerticesAsItsContextIsSetAndCountsWhatIsHeld) {
    Modifier* modifier = static_cast<IDerivedObject*>(Node("Physiqued")->GetObjectRef())->GetModifier(0);
    ASSERT_EQ(modifier->ClassID(), PHYSIQUE_CLASS_ID);
    auto* physique = static_cast<IPhysiqueExport*>(modifier->GetInterface(I_PHYINTERFACE));
    ASSERT_NE(physique, nullptr);
    EXPECT_EQ(physique->GetContextInterface(Node("Skinned")), nullptr);

    // As stored: no rigid conversion, no blending.
    IPhyContextExport* plain = physique->GetContextInterface(Node("Physiqued"));
    ASSERT_NE(plain, nullptr);
    ASSERT_EQ(plain->GetNumberVertices(), 3);
    std::vector<IPhyVertexExport*> v;
    for (int i = 0; i < 3; ++i) {
        v.push_back(plain->GetVertexInterface(i));
    }
    EXPECT_EQ(v[0]->GetVertexType(), RIGID_NON_BLENDED_TYPE);
    EXPECT_EQ(static_cast<IPhyRigidVertex*>(v[0])->GetNode(), Node("Spine"));
    // Without blending, the strongest bone alone.
    EXPECT_EQ(v[1]->GetVertexType(), RIGID_NON_BLENDED_TYPE);
    EXPECT_EQ(static_cast<IPhyRigidVertex*>(v[1])->GetNode(), Node("Foot"));
    EXPECT_EQ(v[2]->GetVertexType(), DEFORMABLE_NON_BLENDED_TYPE);
    EXPECT_EQ(plain->GetVertexInterface(3), nullptr);

    // Asked for rigid, blended vertices.
    IPhyContextExport* context = physique->GetContextInterface(Node("Physiqued"));
    context->ConvertToRigid(TRUE);
    context->AllowBlending(TRUE);
    IPhyVertexExport* blended = context->GetVertexInterface(2);
    ASSERT_EQ(blended->GetVertexType(), RIGID_BLENDED_TYPE);
    auto* rigid = static_cast<IPhyBlendedRigidVertex*>(blended);
    ASSERT_EQ(rigid->GetNumberNodes(), 2);
    EXPECT_EQ(rigid->GetNode(0), Node("Foot"));
    EXPECT_EQ(rigid->GetWeight(1), 0.4f);
    EXPECT_EQ(rigid->GetNode(2), nullptr);

    // What was not handed back shows in the session.
    context->ReleaseVertexInterface(blended);
    EXPECT_TRUE(physique->ReleaseContextInterface(context));
    for (IPhyVertexExport* vertex : v) {
        plain->ReleaseVertexInterface(vertex);
    }
    EXPECT_EQ(Session()["interfacesHeld"],
              Json::parse(R"([{"interface": "IPhysiqueExport", "of": "modifier 1", "count": 1},
                              {"interface": "IPhyContextExport", "of": "modifier 1 for node 9", "count": 1}])"));
    EXPECT_TRUE(physique->ReleaseContextInterface(plain));
    modifier->ReleaseInterface(I_PHYINTERFACE, physique);
    EXPECT_EQ(Session()["interfacesHeld"], Json::array());
    EXPECT_EQ(Errors(), 1u);

    // Handing back twice is refused.
    EXPECT_FALSE(physique->ReleaseContextInterface(plain));
    modifier->ReleaseInterface(I_PHYINTERFACE, physique);
    EXPECT_EQ(Errors(), 3u);
}

TEST_F(ExportScene, BipedControllersOfferTheirInterfacesAndRecordTheCalls) {
    Control* body = Node("Hips")->GetTMController();
    EXPECT_EQ(body->ClassID(), BIPBODY_CONTROL_CLASS_ID);
    EXPECT_EQ(Node("Spine")->GetTMController()->ClassID(), BIPSLAVE_CONTROL_CLASS_ID);
    Control* footsteps = Node("Foot")->GetTMController();
    EXPECT_EQ(footsteps->ClassID(), FOOTPRINT_CLASS_ID);
    EXPECT_EQ(footsteps->GetInterface(I_BIPINTERFACE), nullptr);
    EXPECT_EQ(Node("Root")->GetTMController()->ClassID(), Class_ID(PRS_CONTROL_CLASS_ID, 0));
    EXPECT_EQ(Node("Root")->GetTMController()->GetInterface(I_BIPMASTER), nullptr);

    auto* biped = static_cast<IBipedExport*>(body->GetInterface(I_BIPINTERFACE));
    auto* master = static_cast<IBipMaster*>(body->GetInterface(I_BIPMASTER));
    ASSERT_NE(biped, nullptr);
    ASSERT_NE(master, nullptr);
    biped->RemoveNonUniformScale(1);
    biped->BeginFigureMode(1);
    biped->EndFigureMode(1);
    master->ExitModes(host->GetAnimRange());
    body->ReleaseInterface(I_BIPINTERFACE, biped);
    EXPECT_EQ(Session()["interfacesHeld"], Json::parse(R"([{"interface": "IBipMaster", "of": "node 1", "count": 1}])"));
    body->ReleaseInterface(I_BIPMASTER, master);
    body->ReleaseInterface(I_BIPMASTER, master);
    EXPECT_EQ(Errors(), 1u);
    EXPECT_EQ(Session()["bipedCalls"], Json::parse(R"([
        {"node": 1, "call": "RemoveNonUniformScale", "value": 1},
        {"node": 1, "call": "BeginFigureMode", "value": 1},
        {"node": 1, "call": "EndFigureMode", "value": 1},
        {"node": 1, "call": "ExitModes", "range": [0, 19200]}])"));
    // Its node still moves by its keys.
    EXPECT_EQ(Node("Hips")->GetNodeTM(1920).GetTrans(), Point3(5, 0, 10));
}

TEST_F(ExportScene, MaterialsAndMapsAreReadThroughTheirSlots) {
    Mtl* multi = Node("Skinned")->GetMtl();
    ASSERT_EQ(multi->NumSubMtls(), 4);
    EXPECT_STREQ(multi->GetName(), "Multi");
    EXPECT_EQ(multi->GetSubMtl(2), nullptr);
    EXPECT_EQ(multi->GetSubMtl(4), nullptr);
    EXPECT_EQ(multi->GetSubMtl(3)->ClassID(), Class_ID(MULTI_CLASS_ID, 0));

    Mtl* other = multi->GetSubMtl(1);
    EXPECT_EQ(other->ClassID(), Class_ID(1234, 5678));
    EXPECT_EQ(other->NumSubMtls(), 0);
    EXPECT_EQ(other->GetSubTexmap(0)->ClassID(), Class_ID(BMTEX_CLASS_ID, 0));

    auto* wood = static_cast<StdMat*>(multi->GetSubMtl(0));
    ASSERT_EQ(wood->ClassID(), Class_ID(DMTL_CLASS_ID, 0));
    EXPECT_EQ(wood->GetDiffuse(0), Color(0.5f, 0.25f, 0));
    EXPECT_EQ(wood->GetAmbient(0), Color(0.1f, 0.1f, 0.1f));
    EXPECT_EQ(wood->GetShininess(0), 0.25f);
    EXPECT_EQ(wood->GetOpacity(0), 0.5f);
    EXPECT_TRUE(wood->GetTwoSided());
    EXPECT_EQ(wood->NumSubTexmaps(), NTEXMAPS);
    EXPECT_EQ(wood->GetSubTexmap(ID_SP), nullptr);

    auto* bitmap = static_cast<BitmapTex*>(wood->GetSubTexmap(ID_DI));
    ASSERT_EQ(bitmap->ClassID(), Class_ID(BMTEX_CLASS_ID, 0));
    EXPECT_STREQ(bitmap->GetMapName(), "D:\\art\\wood.png");
    StdUVGen* uv = bitmap->GetUVGen();
    EXPECT_EQ(uv->GetUOffs(0), 0.25f);
    EXPECT_EQ(uv->GetVOffs(0), 0.5f);
    EXPECT_EQ(uv->GetUScl(0), 2.0f);
    EXPECT_EQ(uv->GetVScl(0), 3.0f);
    EXPECT_EQ(uv->GetAng(0), 0.5f);
    EXPECT_EQ(uv->GetTextureTiling(), U_WRAP);

    Texmap* bump = wood->GetSubTexmap(ID_BU);
    EXPECT_EQ(bump->ClassID(), GNORMAL_CLASS_ID);
    ASSERT_EQ(bump->NumSubTexmaps(), 2);
    EXPECT_STREQ(static_cast<BitmapTex*>(bump->GetSubTexmap(0))->GetMapName(), "grain.tga");
    EXPECT_EQ(bump->GetSubTexmap(1), nullptr);
    EXPECT_EQ(bump->GetSubTexmap(2), nullptr);
    EXPECT_EQ(Errors(), 2u);
}

TEST_F(ExportScene, ContainerMapsListTheirInputs) {
    const auto& texmaps = host->context().texmaps;
    auto map = [&](std::size_t i) { return dynamic_cast<Texmap*>(texmaps[i].get()); };
    EXPECT_EQ(map(2)->ClassID(), Class_ID(RGBMULT_CLASS_ID, 0));
    EXPECT_EQ(map(2)->GetSubTexmap(1), map(1));
    EXPECT_EQ(map(3)->ClassID(), Class_ID(MIX_CLASS_ID, 0));
    EXPECT_EQ(map(3)->NumSubTexmaps(), 3);
    EXPECT_EQ(map(3)->GetSubTexmap(2), map(1));
    EXPECT_EQ(map(5)->ClassID(), Class_ID(COMPOSITE_CLASS_ID, 0));
    EXPECT_EQ(map(5)->GetSubTexmap(2), map(2));
    EXPECT_EQ(map(6)->ClassID(), Class_ID(0x1234, 0x5678));
    EXPECT_EQ(map(6)->GetSubTexmap(0), map(1));
    EXPECT_EQ(map(0)->NumSubTexmaps(), 0);
}

TEST_F(ExportScene, LightsAndCamerasGiveTheirStateAtATime) {
    Interval valid = FOREVER;
    LightState spot;
    ASSERT_EQ(static_cast<LightObject*>(ObjectOf("Spot"))->EvalLightState(0, valid, &spot), REF_SUCCEED);
    EXPECT_EQ(spot.type, SPOT_LGT);
    EXPECT_EQ(spot.color, Color(1, 0.5f, 0.25f));
    EXPECT_EQ(spot.intens, 2.0f);
    EXPECT_EQ(spot.hotsize, -5.0f);
    EXPECT_EQ(spot.fallsize, 45.0f);
    EXPECT_EQ(spot.attenStart, 30.0f);
    EXPECT_EQ(spot.attenEnd, 300.0f);
    LightState glow;
    ASSERT_EQ(static_cast<LightObject*>(ObjectOf("AmbientGlow"))->EvalLightState(100, valid, &glow), REF_SUCCEED);
    EXPECT_EQ(glow.type, AMBIENT_LGT);
    EXPECT_EQ(static_cast<LightObject*>(ObjectOf("Spot"))->EvalLightState(0, valid, nullptr), REF_FAIL);

    CameraState camera;
    ASSERT_EQ(static_cast<CameraObject*>(ObjectOf("Camera"))->EvalCameraState(0, valid, &camera), REF_SUCCEED);
    EXPECT_EQ(camera.fov, 0.7853982f);
    EXPECT_EQ(camera.hither, 1.0f);
    EXPECT_EQ(camera.yon, 100.0f);
    EXPECT_EQ(camera.nearRange, 2.0f);
    EXPECT_EQ(camera.farRange, 500.0f);

    // A light built for an import gives back what was set.
    MemHost built;
    GenLight* light = built.CreateLightObject(DIR_LIGHT);
    light->SetAtten(0, ATTEN_END, 77.0f);
    LightState state;
    ASSERT_EQ(light->EvalLightState(0, valid, &state), REF_SUCCEED);
    EXPECT_EQ(state.type, DIRECT_LGT);
    EXPECT_EQ(state.attenEnd, 77.0f);
}

TEST_F(ExportScene, TheAnimationSettingsComeFromTheFile) {
    EXPECT_EQ(host->GetAnimRange(), Interval(0, 19200));
    EXPECT_EQ(host->GetFrameRate(), 25);
    EXPECT_EQ(host->GetTicksPerFrame(), 192);
}

}  // namespace
}  // namespace memhost
