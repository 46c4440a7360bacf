#include "tests/memhost/BuiltScene.h"

#include <gtest/gtest.h>

#include <limits>

namespace memhost {
namespace {

using namespace hostapi;

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
}  // namespace

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
    auto* position =
        static_cast<Control*>(core.CreateInstance(CTRL_POSITION_CLASS_ID, Class_ID(LININTERP_POSITION_CLASS_ID, 0)));
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

}  // namespace memhost
