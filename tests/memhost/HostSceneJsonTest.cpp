// The host-scene file: the same build always gives the same text, and the
// text holds what was built, the scene apart from the session.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "memhost/HostSceneJson.h"
#include "memhost/MemHost.h"

namespace memhost {
namespace {

using namespace hostapi;
using Json = nlohmann::ordered_json;

Matrix3 At(float x, float y, float z) {
    Matrix3 m;
    m.SetRow(3, Point3(x, y, z));
    return m;
}

INT_PTR OkProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        EndDialog(dialog, 1);
        return TRUE;
    }
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

constexpr DialogControl kControls[] = {{IDOK, DialogControlKind::DefPushButton, u"OK", {0, 0, 50, 14}}};
constexpr DialogTemplate kDialog{7, WS_POPUP, LANG_ENGLISH_US, u"Ask", u"MS Sans Serif", 8, 100, 50, kControls};

ImpNode* Bone(Interface& core, ImpInterface& imp, const MCHAR* name, const Matrix3& world) {
    ImpNode* node = imp.CreateNode();
    auto* bone = static_cast<Object*>(core.CreateInstance(GEOMOBJECT_CLASS_ID, BONE_OBJ_CLASSID));
    node->Reference(bone);
    INode* scene = node->GetINode();
    const Point3 c = core.GetUIColor(23);
    scene->SetWireColor(static_cast<DWORD>(c.x * 255) | static_cast<DWORD>(c.y * 255) << 8 |
                        static_cast<DWORD>(c.z * 255) << 16);
    scene->SetNodeTM(0, world);
    scene->SetBoneNodeOnOff(TRUE, 0);
    scene->SetRenderable(FALSE);
    scene->ShowBone(1);
    scene->Hide(TRUE);
    EXPECT_TRUE(bone->GetParamBlock(0)->SetValue(3, 0, 1.0f));
    node->SetName(name);
    imp.AddNodeToScene(node);
    return node;
}

// A small scene built only through the host interfaces, the way an importer
// builds one.
void BuildScene(MemHost& host) {
    Interface& core = host;
    ImpInterface& imp = host;
    host.SetUIColor(23, Point3(0.6f, 0.8f, 0.4f));
    host.QueueDialog({});

    core.ProgressStart(u"Reading...(please wait)", TRUE, nullptr, nullptr);
    core.ProgressUpdate(50, TRUE, nullptr);
    core.ProgressEnd();
    Platform& platform = core.GetPlatform();
    EXPECT_EQ(platform.DialogBoxParamW(nullptr, &kDialog, platform.GetActiveWindow(), OkProc, 0), 1);

    core.SuspendAnimate();
    core.AnimateOff();
    ImpNode* root = Bone(core, imp, u"Root", At(1, 0, 0));
    ImpNode* arm = Bone(core, imp, u"B\u00f6ne\u20ac", At(1, 0, 5));
    root->GetINode()->AttachChild(arm->GetINode(), 1);

    core.SetFrameRate(30);
    core.SetTicksPerFrame(160);
    core.SetAnimRange(Interval(0, 16000));
    auto* position = static_cast<Control*>(
        core.CreateInstance(CTRL_POSITION_CLASS_ID, Class_ID(LININTERP_POSITION_CLASS_ID, 0)));
    EXPECT_TRUE(arm->GetINode()->GetTMController()->SetPositionController(position));
    IKeyControl* keys = GetKeyControlInterface(position);
    keys->SetNumKeys(2);
    ILinPoint3Key key;
    key.val = Point3(0, 0, 5);
    keys->SetKey(0, &key);
    key.time = 2400;
    key.val = Point3(1, 2, 3);
    keys->SetKey(1, &key);

    ImpNode* meshNode = imp.CreateNode();
    TriObject* tri = core.CreateNewTriObject();
    meshNode->Reference(tri);
    Mesh& mesh = tri->GetMesh();
    EXPECT_TRUE(mesh.setNumVerts(3));
    EXPECT_TRUE(mesh.setNumFaces(1));
    EXPECT_TRUE(mesh.setNumTVerts(3));
    EXPECT_TRUE(mesh.setNumTVFaces(1));
    mesh.setMapSupport(2, TRUE);
    EXPECT_TRUE(mesh.setNumMapVerts(2, 3));
    for (int i = 0; i < 3; ++i) {
        mesh.setVert(i, Point3(static_cast<float>(i), 0, 0));
        mesh.setTVert(i, UVVert(0.25f, 0.25f, 0));
        mesh.mapVerts(2)[i] = UVVert(0, 0, 0);
    }
    mesh.faces()[0].setVerts(0, 1, 2);
    mesh.faces()[0].setEdgeVisFlags(1, 1, 1);
    mesh.tvFace()[0].setTVerts(0, 1, 2);
    mesh.mapFaces(2)[0].setTVerts(0, 1, 2);
    mesh.setFaceMtlIndex(0, 65535);
    mesh.InvalidateTopologyCache();
    mesh.InvalidateGeomCache();
    mesh.buildNormals();

    EXPECT_TRUE(platform.SetCurrentDirectoryW(u"C:\\scenes\\"));
    MultiMtl* multi = core.NewDefaultMultiMtl();
    multi->SetNumSubMtls(2);
    StdMat* standard = core.NewDefaultStdMat();
    standard->SetName(u"Wood");
    standard->SetShininess(0.75f, 0);
    standard->SetOpacity(0.1f, 0);
    BitmapTex* bitmap = core.NewDefaultBitmapTex();
    bitmap->SetMapName(u"C:\\scenes\\wood.png");
    StdUVGen* uv = bitmap->GetUVGen();
    uv->SetAng(0.7853982f, 0);
    uv->SetTextureTiling(U_WRAP);
    standard->SetSubTexmap(ID_DI, bitmap);
    standard->SetTexmapAmt(ID_DI, 1.0f, 0);
    standard->EnableMap(ID_DI, TRUE);
    standard->SetActiveTexmap(bitmap);
    standard->SetMtlFlag(MTL_TEX_DISPLAY_ENABLED, TRUE);
    multi->SetSubMtl(0, standard);
    meshNode->GetINode()->SetMtl(multi);
    static_cast<IMtlEditInterface*>(core.GetCOREInterface(MTLEDIT_INTERFACE))->PutMtlToMtlEditor(multi, 0);

    auto* skin = static_cast<Modifier*>(core.CreateInstance(OSM_CLASS_ID, SKIN_CLASSID));
    IDerivedObject* derived = core.CreateDerivedObject(tri);
    derived->SetAFlag(A_LOCK_TARGET);
    derived->AddModifier(skin, nullptr, 0);
    derived->ClearAFlag(A_LOCK_TARGET);
    meshNode->GetINode()->SetObjectRef(derived);
    auto* data = static_cast<ISkinImportData*>(skin->GetInterface(I_SKINIMPORTDATA));
    EXPECT_TRUE(data->AddBoneEx(root->GetINode(), FALSE));
    EXPECT_TRUE(data->AddBoneEx(arm->GetINode(), TRUE));
    EXPECT_TRUE(data->AddWeights(meshNode->GetINode(), 2, {arm->GetINode(), root->GetINode()}, {0.25f, 0.75f}));
    meshNode->SetTransform(0, Matrix3());
    imp.AddNodeToScene(meshNode);
    meshNode->SetName(u"TVXMesh");

    ImpNode* lightNode = imp.CreateNode();
    GenLight* light = imp.CreateLightObject(OMNI_LIGHT);
    light->SetIntensity(0, std::numeric_limits<float>::quiet_NaN());
    light->SetAtten(0, ATTEN_START, 6.0f);
    light->SetUseLight(TRUE);
    lightNode->Reference(light);
    imp.AddNodeToScene(lightNode);
    lightNode->SetName(u"\xD800x");

    ImpNode* cameraNode = imp.CreateNode();
    GenCamera* camera = imp.CreateCameraObject(FREE_CAMERA);
    camera->SetFOV(0, 0.7853982f);
    cameraNode->Reference(camera);
    cameraNode->SetName(u"Camera0");
    core.ResumeAnimate();
}

class HostSceneFile : public ::testing::Test {
protected:
    void SetUp() override {
        BuildScene(host);
        json = HostSceneJson(host);
    }

    MemHost host;
    Json json;
};

TEST_F(HostSceneFile, TheSameBuildGivesTheSameText) {
    MemHost again;
    BuildScene(again);
    const std::string text = HostSceneText(host);
    EXPECT_EQ(HostSceneText(again), text);
    EXPECT_EQ(HostSceneText(host), text);
    EXPECT_EQ(text.back(), '\n');
    // Shortest round-trip floats.
    EXPECT_NE(text.find("\"opacity\": 0.1,"), std::string::npos);
    EXPECT_NE(text.find("\"wAngle\": 0.7853982,"), std::string::npos);
}

TEST_F(HostSceneFile, KeysComeInTheDocumentedOrder) {
    auto keys = [](const Json& object) {
        std::vector<std::string> out;
        for (const auto& item : object.items()) {
            out.push_back(item.key());
        }
        return out;
    };
    EXPECT_EQ(keys(json), (std::vector<std::string>{"format", "version", "scene", "session"}));
    EXPECT_EQ(keys(json["scene"]), (std::vector<std::string>{"animation", "nodes", "objects", "modifiers",
                                                              "materials", "texmaps", "materialEditor"}));
    EXPECT_EQ(keys(json["scene"]["nodes"][0]),
              (std::vector<std::string>{"id", "name", "inScene", "parent", "object", "material", "wireColor", "hidden",
                                        "renderable", "boneOn", "showBone", "transform", "controllers"}));
}

TEST_F(HostSceneFile, NodesCarryHierarchyTransformsFlagsAndKeys) {
    const Json& nodes = json["scene"]["nodes"];
    ASSERT_EQ(nodes.size(), 5u);
    const Json& arm = nodes[1];
    EXPECT_EQ(arm["name"], "B\xC3\xB6ne\xE2\x82\xAC");
    EXPECT_EQ(arm["parent"], 0);
    EXPECT_EQ(nodes[0]["parent"], nullptr);
    EXPECT_EQ(arm["object"], 1);
    EXPECT_EQ(arm["wireColor"], Json::parse("[153, 204, 102]"));
    EXPECT_EQ(arm["hidden"], true);
    EXPECT_EQ(arm["renderable"], false);
    EXPECT_EQ(arm["boneOn"], true);
    EXPECT_EQ(arm["showBone"], 1);
    EXPECT_EQ(arm["transform"]["local"][3], Json::parse("[0.0, 0.0, 5.0]"));
    EXPECT_EQ(arm["transform"]["world"][3], Json::parse("[1.0, 0.0, 5.0]"));
    EXPECT_EQ(arm["controllers"]["position"]["kind"], "linearPosition");
    EXPECT_EQ(arm["controllers"]["position"]["keys"], Json::parse("[[0, 0.0, 0.0, 5.0], [2400, 1.0, 2.0, 3.0]]"));
    EXPECT_EQ(arm["controllers"]["rotation"], nullptr);

    EXPECT_EQ(nodes[2]["name"], "TVXMesh");
    EXPECT_EQ(nodes[2]["object"], 3);
    EXPECT_EQ(nodes[2]["material"], 0);
    EXPECT_EQ(nodes[3]["name"], "\xEF\xBF\xBDx");
    // Never added to the scene.
    EXPECT_EQ(nodes[4]["inScene"], false);

    EXPECT_EQ(json["scene"]["animation"], Json::parse(R"({"frameRate": 30, "ticksPerFrame": 160, "range": [0, 16000]})"));
}

TEST_F(HostSceneFile, ObjectsHoldMeshChannelsSkinLightAndCamera) {
    const Json& objects = json["scene"]["objects"];
    ASSERT_EQ(objects.size(), 6u);
    EXPECT_EQ(objects[0]["kind"], "bone");
    EXPECT_EQ(objects[0]["length"], 1.0);

    const Json& mesh = objects[2];
    EXPECT_EQ(mesh["kind"], "mesh");
    EXPECT_EQ(mesh["vertices"][2], Json::parse("[2.0, 0.0, 0.0]"));
    EXPECT_EQ(mesh["faces"], Json::parse("[[0, 1, 2]]"));
    EXPECT_EQ(mesh["faceMaterialIds"], Json::parse("[65535]"));
    EXPECT_EQ(mesh["faceSmoothingGroups"], Json::parse("[0]"));
    EXPECT_EQ(mesh["faceEdgeVisibility"], Json::parse("[7]"));
    ASSERT_EQ(mesh["mapChannels"].size(), 2u);
    EXPECT_EQ(mesh["mapChannels"][0]["channel"], 1);
    EXPECT_EQ(mesh["mapChannels"][0]["vertices"][1], Json::parse("[0.25, 0.25, 0.0]"));
    EXPECT_EQ(mesh["mapChannels"][1]["channel"], 2);
    EXPECT_EQ(mesh["mapChannels"][1]["faces"], Json::parse("[[0, 1, 2]]"));

    EXPECT_EQ(objects[3], Json::parse(R"({"id": 3, "kind": "derived", "base": 2, "modifiers": [0]})"));
    EXPECT_EQ(json["scene"]["modifiers"][0]["bones"], Json::parse("[0, 1]"));
    EXPECT_EQ(json["scene"]["modifiers"][0]["weights"],
              Json::parse(R"([{"vertex": 2, "bones": [1, 0], "weights": [0.25, 0.75]}])"));

    EXPECT_EQ(objects[4]["kind"], "light");
    EXPECT_EQ(objects[4]["intensity"], "NaN");
    EXPECT_EQ(objects[4]["attenuation"], Json::parse("[0.0, 40.0, 6.0, 200.0]"));
    EXPECT_EQ(objects[4]["useLight"], true);
    EXPECT_EQ(objects[4]["useAttenuation"], false);
    EXPECT_EQ(objects[5]["kind"], "camera");
    // The shortest digits of the float, not the float widened to double.
    EXPECT_EQ(objects[5]["fov"], 0.7853982);
}

TEST_F(HostSceneFile, MaterialsAndMapsReferByIdAndTheEditorSlotIsKept) {
    const Json& materials = json["scene"]["materials"];
    EXPECT_EQ(materials[0]["kind"], "multi");
    EXPECT_EQ(materials[0]["subMaterials"], Json::parse("[1, null]"));
    const Json& wood = materials[1];
    EXPECT_EQ(wood["name"], "Wood");
    EXPECT_EQ(wood["shininess"], 0.75);
    EXPECT_EQ(wood["mtlFlags"], MTL_TEX_DISPLAY_ENABLED);
    EXPECT_EQ(wood["maps"], Json::parse(R"([{"slot": 1, "texmap": 0, "amount": 1.0, "enabled": true}])"));
    EXPECT_EQ(wood["activeTexmap"], 0);

    const Json& bitmap = json["scene"]["texmaps"][0];
    EXPECT_EQ(bitmap["kind"], "bitmap");
    EXPECT_EQ(bitmap["fileName"], "C:\\scenes\\wood.png");
    EXPECT_EQ(bitmap["uvGen"]["tiling"], U_WRAP);
    EXPECT_EQ(bitmap["uvGen"]["mapChannel"], 1);
    EXPECT_EQ(json["scene"]["materialEditor"], Json::parse(R"([{"slot": 0, "material": 0}])"));
}

TEST_F(HostSceneFile, TheSessionHoldsWhatHappenedOutsideTheScene) {
    const Json& session = json["session"];
    const Json& events = session["events"];
    ASSERT_EQ(events.size(), 5u);
    EXPECT_EQ(events[0]["event"], "progressStart");
    EXPECT_EQ(events[0]["title"], "Reading...(please wait)");
    EXPECT_EQ(events[1]["percent"], 50);
    EXPECT_EQ(events[2]["event"], "progressEnd");
    EXPECT_EQ(events[3]["event"], "dialog");
    EXPECT_EQ(events[3]["answer"], "ok");
    EXPECT_EQ(events[3]["returned"], 1);
    EXPECT_EQ(events[3]["moduleGiven"], false);
    EXPECT_EQ(events[4], Json::parse(R"({"event": "setCurrentDirectory", "path": "C:\\scenes\\", "accepted": true})"));

    EXPECT_EQ(session["currentDirectory"], "C:\\scenes\\");
    EXPECT_EQ(session["animateMode"]["animateSuspensions"], 0);
    EXPECT_EQ(session["changesWhileAnimating"], Json::object());
    EXPECT_EQ(session["meshes"], Json::parse(R"([{"object": 2, "normalsCurrent": true}])"));
    EXPECT_EQ(session["modifierAdditions"][0]["lockTarget"], true);
    EXPECT_EQ(session["objectsLeftLocked"], Json::array());
    EXPECT_EQ(session["skinBoneUpdates"][0]["updates"], Json::parse("[false, true]"));
    EXPECT_EQ(session["hostErrors"], Json::array());
    EXPECT_FALSE(json["scene"].contains("events"));
}

TEST(HostSceneJson, InjectedFailuresAndHostErrorsAreWritten) {
    MemHost host;
    host.failures().FailCall(HostCall::CreateNode);
    host.failures().FailCall(HostCall::NewDefaultStdMat);
    EXPECT_EQ(host.CreateNode(), nullptr);
    host.SetFrameRate(0);
    const Json session = HostSceneJson(host)["session"];
    EXPECT_EQ(session["failures"]["injected"],
              Json::parse(R"([{"call": "CreateNode", "callNumber": 1, "detail": ""}])"));
    EXPECT_EQ(session["failures"]["pendingRules"], 1);
    EXPECT_EQ(session["hostErrors"].size(), 1u);
}

}  // namespace
}  // namespace memhost
