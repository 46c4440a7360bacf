// What the stand-in host keeps of the calls a plug-in makes, and the calls
// it refuses rather than corrupt what it keeps.
#include <gtest/gtest.h>

#include "memhost/MemHost.h"

namespace memhost {
namespace {

using namespace hostapi;

class SceneRecords : public ::testing::Test {
protected:
    MemNode& NewNode() { return *dynamic_cast<MemNode*>(host.CreateNode()->GetINode()); }
    MemTriObject& NewTri() { return *dynamic_cast<MemTriObject*>(host.CreateNewTriObject()); }
    std::size_t Errors() const { return host.session().hostErrors().size(); }

    MemHost host;
};

TEST_F(SceneRecords, MeshArraysKeepOrDropTheirContentAndRefuseBadCounts) {
    MemMesh& mesh = NewTri().mesh();
    ASSERT_TRUE(mesh.setNumVerts(3, FALSE, TRUE));
    mesh.setVert(2, Point3(1, 2, 3));
    ASSERT_TRUE(mesh.setNumVerts(4, TRUE, TRUE));
    EXPECT_EQ(mesh.vertices()[2], Point3(1, 2, 3));
    ASSERT_TRUE(mesh.setNumVerts(4, FALSE, TRUE));
    EXPECT_EQ(mesh.vertices()[2], Point3());

    // A refused count leaves the array as it was.
    EXPECT_FALSE(mesh.setNumVerts(-1, FALSE, TRUE));
    EXPECT_EQ(mesh.vertices().size(), 4u);
    mesh.setVert(4, Point3(9, 9, 9));
    mesh.setFaceMtlIndex(0, 1);
    EXPECT_EQ(Errors(), 3u);
    EXPECT_EQ(mesh.faces(), nullptr);
}

TEST_F(SceneRecords, MapChannelsMustBeSwitchedOnAndChannelOneIsTheTextureChannel) {
    MemMesh& mesh = NewTri().mesh();
    ASSERT_TRUE(mesh.setNumFaces(2, FALSE, TRUE));
    EXPECT_FALSE(mesh.mapSupport(2));
    EXPECT_FALSE(mesh.setNumMapVerts(2, 6, FALSE));
    EXPECT_EQ(mesh.mapVerts(2), nullptr);

    mesh.setMapSupport(2, TRUE);
    EXPECT_TRUE(mesh.mapSupport(2));
    EXPECT_EQ(mesh.channel(2)->faces.size(), 2u);
    ASSERT_TRUE(mesh.setNumMapVerts(2, 6, FALSE));
    EXPECT_EQ(mesh.getNumMapVerts(2), 6);
    mesh.mapVerts(2)[5] = UVVert(0.25f, 0.25f, 0);
    mesh.mapFaces(2)[1].setTVerts(3, 4, 5);
    EXPECT_EQ(mesh.channel(2)->verts[5], UVVert(0.25f, 0.25f, 0));
    EXPECT_EQ(mesh.channel(2)->faces[1].t[2], 5u);

    ASSERT_TRUE(mesh.setNumTVerts(3, FALSE));
    ASSERT_TRUE(mesh.setNumTVFaces(2, FALSE, 0));
    mesh.setTVert(1, UVVert(0.5f, 1, 0));
    mesh.tvFace()[0].setTVerts(0, 1, 2);
    EXPECT_TRUE(mesh.mapSupport(1));
    EXPECT_EQ(mesh.mapVerts(1)[1], UVVert(0.5f, 1, 0));
    EXPECT_EQ(mesh.mapFaces(1)[0].t[1], 1u);

    mesh.setMapSupport(2, FALSE);
    EXPECT_EQ(mesh.channel(2), nullptr);
    mesh.setMapSupport(MAX_MESHMAPS, TRUE);
    EXPECT_EQ(mesh.channels().size(), 1u);
}

TEST_F(SceneRecords, NormalsAreCurrentOnlyAfterBothCachesAreDroppedAndRebuilt) {
    MemMesh& mesh = NewTri().mesh();
    ASSERT_TRUE(mesh.setNumVerts(3, FALSE, TRUE));
    EXPECT_FALSE(mesh.normalsCurrent());
    mesh.buildNormals();
    EXPECT_FALSE(mesh.normalsCurrent());
    mesh.InvalidateTopologyCache();
    mesh.InvalidateGeomCache();
    mesh.buildNormals();
    EXPECT_TRUE(mesh.normalsCurrent());
    // Taking the face array may change the faces.
    (void)mesh.faces();
    EXPECT_FALSE(mesh.normalsCurrent());
}

TEST(Face, KeepsTheMaterialIdBesideTheEdgeFlags) {
    Face face;
    face.setMatID(static_cast<MtlID>(-1 & 0xFFFF));
    face.setEdgeVisFlags(1, 0, 1);
    EXPECT_EQ(face.getMatID(), 65535);
    EXPECT_EQ(face.flags & EDGE_ALL, EDGE_A | EDGE_C);
    face.setEdgeVisFlags(1, 1, 1);
    face.setMatID(3);
    EXPECT_EQ(face.getMatID(), 3);
    EXPECT_EQ(face.flags & EDGE_ALL, EDGE_ALL);
}

TEST_F(SceneRecords, KeyControllersTakeOnlyTheirOwnKeysAtValidIndices) {
    auto* position = host.CreateInstance(CTRL_POSITION_CLASS_ID, Class_ID(LININTERP_POSITION_CLASS_ID, 0));
    auto* rotation = host.CreateInstance(CTRL_ROTATION_CLASS_ID, Class_ID(LININTERP_ROTATION_CLASS_ID, 0));
    IKeyControl* keys = GetKeyControlInterface(position);
    ASSERT_NE(keys, nullptr);
    keys->SetNumKeys(2);

    ILinPoint3Key key;
    key.time = 2400;
    key.val = Point3(1, 2, 3);
    keys->SetKey(1, &key);
    ILinRotKey wrongType;
    keys->SetKey(0, &wrongType);
    keys->SetKey(2, &key);
    keys->SetKey(-1, &key);
    keys->SetNumKeys(-4);

    const auto& stored = dynamic_cast<const MemPositionController*>(position)->keys();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[0].time, 0);
    EXPECT_EQ(stored[1].time, 2400);
    EXPECT_EQ(stored[1].val, Point3(1, 2, 3));
    EXPECT_EQ(Errors(), 4u);

    // The node's transform controller takes each controller in its own part
    // only.
    MemNode& node = NewNode();
    Control* tm = node.GetTMController();
    EXPECT_FALSE(tm->SetPositionController(static_cast<Control*>(rotation)));
    EXPECT_FALSE(tm->SetRotationController(nullptr));
    EXPECT_TRUE(tm->SetPositionController(static_cast<Control*>(position)));
    EXPECT_TRUE(tm->SetRotationController(static_cast<Control*>(rotation)));
    EXPECT_EQ(node.tmController().position(), dynamic_cast<const MemPositionController*>(position));
    EXPECT_EQ(node.tmController().scale(), nullptr);
}

class SkinRecords : public SceneRecords {
protected:
    void SetUp() override {
        tri = &NewTri();
        ASSERT_TRUE(tri->mesh().setNumVerts(3, FALSE, TRUE));
        meshNode = &NewNode();
        bone1 = &NewNode();
        bone2 = &NewNode();
        skin = dynamic_cast<MemSkin*>(host.CreateInstance(OSM_CLASS_ID, SKIN_CLASSID));
        derived = host.CreateDerivedObject(tri);
        derived->SetAFlag(A_LOCK_TARGET);
        derived->AddModifier(skin, nullptr, 0);
        derived->ClearAFlag(A_LOCK_TARGET);
        meshNode->SetObjectRef(derived);
        data = static_cast<ISkinImportData*>(skin->GetInterface(I_SKINIMPORTDATA));
        ASSERT_NE(data, nullptr);
    }

    MemTriObject* tri = nullptr;
    MemNode* meshNode = nullptr;
    MemNode* bone1 = nullptr;
    MemNode* bone2 = nullptr;
    MemSkin* skin = nullptr;
    IDerivedObject* derived = nullptr;
    ISkinImportData* data = nullptr;
};

TEST_F(SkinRecords, BonesAreRegisteredOnceWithTheirUpdateFlags) {
    EXPECT_TRUE(data->AddBoneEx(bone1, FALSE));
    EXPECT_TRUE(data->AddBoneEx(bone2, TRUE));
    EXPECT_FALSE(data->AddBoneEx(bone1, TRUE));
    EXPECT_FALSE(data->AddBoneEx(nullptr, TRUE));
    ASSERT_EQ(skin->bones().size(), 2u);
    EXPECT_EQ(skin->bones()[0].node, bone1);
    EXPECT_FALSE(skin->bones()[0].update);
    EXPECT_TRUE(skin->bones()[1].update);

    const auto& added = dynamic_cast<const MemDerivedObject*>(derived)->additions();
    ASSERT_EQ(added.size(), 1u);
    EXPECT_TRUE(added[0].lockTarget);
    EXPECT_FALSE(dynamic_cast<const MemDerivedObject*>(derived)->TestAFlag(A_LOCK_TARGET));
    // Evaluating the node gives the mesh under the stack.
    EXPECT_EQ(meshNode->EvalWorldState(0, TRUE).obj, static_cast<Object*>(tri));
}

TEST_F(SkinRecords, WeightsAreKeptAsGivenAndBadCallsRefused) {
    // Bone 2 was never registered; a null entry stands for a missing bone.
    EXPECT_TRUE(data->AddWeights(meshNode, 1, {bone1, bone2, nullptr}, {0.25f, 0.75f, 0.0f}));
    ASSERT_EQ(skin->weights().count(1), 1u);
    const MemSkin::VertexWeights& w = skin->weights().at(1);
    EXPECT_EQ(w.bones, (std::vector<MemNode*>{bone1, bone2, nullptr}));
    EXPECT_EQ(w.weights, (std::vector<float>{0.25f, 0.75f, 0.0f}));

    // A later call replaces the vertex's weights.
    EXPECT_TRUE(data->AddWeights(meshNode, 1, {bone2}, {1.0f}));
    EXPECT_EQ(skin->weights().at(1).bones, (std::vector<MemNode*>{bone2}));

    EXPECT_FALSE(data->AddWeights(meshNode, 3, {bone1}, {1.0f}));
    EXPECT_FALSE(data->AddWeights(meshNode, -1, {bone1}, {1.0f}));
    EXPECT_FALSE(data->AddWeights(meshNode, 0, {bone1, bone2}, {1.0f}));
    EXPECT_FALSE(data->AddWeights(bone1, 0, {bone1}, {1.0f}));
    EXPECT_EQ(skin->weights().size(), 1u);
    EXPECT_EQ(Errors(), 4u);
}

TEST_F(SceneRecords, ModifiersStackFromTheTop) {
    MemTriObject& tri = NewTri();
    auto* lower = dynamic_cast<Modifier*>(host.CreateInstance(OSM_CLASS_ID, SKIN_CLASSID));
    auto* upper = dynamic_cast<Modifier*>(host.CreateInstance(OSM_CLASS_ID, SKIN_CLASSID));
    IDerivedObject* derived = host.CreateDerivedObject(&tri);
    derived->AddModifier(lower, nullptr, 0);
    derived->AddModifier(upper, nullptr, 0);
    derived->AddModifier(upper, nullptr, 0);
    const auto& stack = dynamic_cast<const MemDerivedObject*>(derived)->modifiers();
    ASSERT_EQ(stack.size(), 2u);
    EXPECT_EQ(stack[0]->id(), 1);
    EXPECT_EQ(stack[1]->id(), 0);
    EXPECT_EQ(&BaseObject(*dynamic_cast<MemEntity*>(derived)), &tri);
    EXPECT_EQ(host.CreateDerivedObject(nullptr), nullptr);
}

TEST_F(SceneRecords, MaterialsReferToTheHostsOwnMapsAndCheckTheirSlots) {
    MultiMtl* multi = host.NewDefaultMultiMtl();
    StdMat* standard = host.NewDefaultStdMat();
    BitmapTex* bitmap = host.NewDefaultBitmapTex();
    multi->SetNumSubMtls(3);
    multi->SetSubMtl(1, standard);
    multi->SetSubMtl(3, standard);
    standard->SetSubTexmap(ID_DI, bitmap);
    standard->SetSubTexmap(NTEXMAPS, bitmap);

    MemHost other;
    standard->SetSubTexmap(ID_OP, other.NewDefaultBitmapTex());
    standard->SetActiveTexmap(bitmap);

    const auto& subs = dynamic_cast<const MemMultiMtl*>(multi)->subMaterials();
    EXPECT_EQ(subs, (std::vector<MemEntity*>{nullptr, dynamic_cast<MemEntity*>(standard), nullptr}));
    const auto* mat = dynamic_cast<const MemStdMat*>(standard);
    EXPECT_EQ(mat->maps()[ID_DI].texmap, dynamic_cast<MemEntity*>(bitmap));
    EXPECT_EQ(mat->maps()[ID_OP].texmap, nullptr);
    EXPECT_EQ(mat->activeTexmap(), dynamic_cast<MemEntity*>(bitmap));
    EXPECT_EQ(Errors(), 3u);

    // The editor's active slot is the first.
    auto* editor = static_cast<IMtlEditInterface*>(host.GetCOREInterface(MTLEDIT_INTERFACE));
    editor->PutMtlToMtlEditor(multi, -1);
    editor->PutMtlToMtlEditor(multi, 24);
    EXPECT_EQ(host.materialEditor().slots()[0].entity, dynamic_cast<MemEntity*>(multi));
    EXPECT_EQ(Errors(), 4u);
}

TEST_F(SceneRecords, AnimateModeIsRestoredAndChangesWhileAnimatingAreNoted) {
    host.SetAnimateMode(true);
    host.SetSetKeyMode(true);
    MemNode& node = NewNode();
    node.SetNodeTM(0, Matrix3());

    host.SuspendAnimate();
    host.SuspendSetKeyMode();
    host.AnimateOff();
    node.SetNodeTM(0, Matrix3());
    host.ResumeSetKeyMode();
    host.ResumeAnimate();

    EXPECT_TRUE(host.animation().animateOn);
    EXPECT_TRUE(host.animation().setKeyModeOn);
    EXPECT_EQ(host.session().changesWhileAnimating().at("INode::SetNodeTM"), 1);
    host.ResumeAnimate();
    EXPECT_EQ(Errors(), 1u);
}

TEST_F(SceneRecords, AnimationSettingsRefuseNonsense) {
    host.SetFrameRate(25);
    host.SetTicksPerFrame(160);
    host.SetAnimRange(Interval(160, 16160));
    host.SetFrameRate(0);
    host.SetTicksPerFrame(-1);
    host.SetAnimRange(Interval(10, 0));
    EXPECT_EQ(host.animation().frameRate, 25);
    EXPECT_EQ(host.animation().ticksPerFrame, 160);
    EXPECT_EQ(host.animation().range, Interval(160, 16160));
    EXPECT_EQ(Errors(), 3u);
}

DWORD CountCalls(LPVOID calls) {
    ++*static_cast<int*>(calls);
    return 0;
}

TEST_F(SceneRecords, ProgressEventsAreKeptInOrderAndMisuseReported) {
    int workerCalls = 0;
    EXPECT_TRUE(host.ProgressStart(u"Reading...", TRUE, CountCalls, &workerCalls));
    host.ProgressUpdate(25, TRUE, nullptr);
    host.ProgressEnd();
    host.RedrawViews();
    host.ProgressEnd();
    EXPECT_EQ(workerCalls, 1);

    const auto& events = host.session().events();
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(std::get<ProgressStartEvent>(events[0]).title, "Reading...");
    EXPECT_EQ(std::get<ProgressUpdateEvent>(events[1]).percent, 25);
    EXPECT_FALSE(std::get<ProgressUpdateEvent>(events[1]).title.has_value());
    EXPECT_TRUE(std::holds_alternative<ProgressEndEvent>(events[2]));
    EXPECT_TRUE(std::holds_alternative<RedrawViewsEvent>(events[3]));
    EXPECT_EQ(Errors(), 1u);
}

TEST_F(SceneRecords, NodesJoinTheSceneOnceAndRefuseForeignObjects) {
    MemNode& node = NewNode();
    host.AddNodeToScene(&node);
    host.AddNodeToScene(&node);
    EXPECT_TRUE(node.inScene());

    MemHost other;
    node.Reference(other.CreateNewTriObject());
    node.SetMtl(other.NewDefaultStdMat());
    EXPECT_EQ(node.object(), nullptr);
    EXPECT_EQ(node.material(), nullptr);
    EXPECT_EQ(Errors(), 3u);
}

}  // namespace
}  // namespace memhost
