// Failure injection: each creation or look-up a plug-in relies on can be
// made to return null once, on the call asked for and on no other.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "memhost/MemHost.h"

namespace memhost {
namespace {

using namespace hostapi;

// Makes one call of a kind on a host and says whether it gave something.
using Attempt = std::function<bool(MemHost&)>;

MemNode& SomeNode(MemHost& host) {
    ImpNode* node = host.CreateNode();
    return *dynamic_cast<MemNode*>(node->GetINode());
}

struct CallCase {
    HostCall call;
    Attempt attempt;
};

std::vector<CallCase> Cases() {
    return {
        {HostCall::CreateNode, [](MemHost& h) { return h.CreateNode() != nullptr; }},
        {HostCall::CreateNewTriObject, [](MemHost& h) { return h.CreateNewTriObject() != nullptr; }},
        {HostCall::CreateLightObject, [](MemHost& h) { return h.CreateLightObject(OMNI_LIGHT) != nullptr; }},
        {HostCall::CreateCameraObject, [](MemHost& h) { return h.CreateCameraObject(FREE_CAMERA) != nullptr; }},
        {HostCall::CreateInstance,
         [](MemHost& h) { return h.CreateInstance(GEOMOBJECT_CLASS_ID, BONE_OBJ_CLASSID) != nullptr; }},
        {HostCall::CreateDerivedObject,
         [](MemHost& h) {
             TriObject* tri = h.CreateNewTriObject();
             return tri && h.CreateDerivedObject(tri) != nullptr;
         }},
        {HostCall::NewDefaultMultiMtl, [](MemHost& h) { return h.NewDefaultMultiMtl() != nullptr; }},
        {HostCall::NewDefaultStdMat, [](MemHost& h) { return h.NewDefaultStdMat() != nullptr; }},
        {HostCall::NewDefaultBitmapTex, [](MemHost& h) { return h.NewDefaultBitmapTex() != nullptr; }},
        {HostCall::GetUVGen,
         [](MemHost& h) {
             BitmapTex* bitmap = h.NewDefaultBitmapTex();
             return bitmap && bitmap->GetUVGen() != nullptr;
         }},
        {HostCall::GetInterface,
         [](MemHost& h) {
             Animatable* c = h.CreateInstance(CTRL_POSITION_CLASS_ID, Class_ID(LININTERP_POSITION_CLASS_ID, 0));
             return GetKeyControlInterface(c) != nullptr;
         }},
        {HostCall::GetCOREInterface, [](MemHost& h) { return h.GetCOREInterface(MTLEDIT_INTERFACE) != nullptr; }},
        {HostCall::GetTMController, [](MemHost& h) { return SomeNode(h).GetTMController() != nullptr; }},
        {HostCall::ConvertToType,
         [](MemHost& h) {
             auto* bone = static_cast<Object*>(h.CreateInstance(GEOMOBJECT_CLASS_ID, BONE_OBJ_CLASSID));
             Object* mesh = bone ? bone->ConvertToType(0, triObjectClassID) : nullptr;
             if (mesh) {
                 mesh->DeleteThis();
             }
             return mesh != nullptr;
         }},
        {HostCall::GetTempPathA,
         [](MemHost& h) {
             char folder[MAX_PATH];
             return h.GetPlatform().GetTempPathA(MAX_PATH, folder) != 0;
         }},
        {HostCall::GetTempFileNameA,
         [](MemHost& h) {
             // A name formed, not created, so nothing is left behind.
             char name[MAX_PATH];
             return h.GetPlatform().GetTempFileNameA("/", "tvx", 1, name) != 0;
         }},
    };
}

TEST(FailureInjection, EachCallFailsExactlyOnceWhenAsked) {
    for (const CallCase& c : Cases()) {
        SCOPED_TRACE(HostCallName(c.call));
        MemHost host;
        EXPECT_TRUE(c.attempt(host));
        host.failures().FailCall(c.call);
        EXPECT_EQ(host.failures().PendingRules(), 1);
        EXPECT_FALSE(c.attempt(host));
        EXPECT_TRUE(c.attempt(host));

        ASSERT_EQ(host.failures().injected().size(), 1u);
        EXPECT_EQ(host.failures().injected()[0].call, c.call);
        EXPECT_EQ(host.failures().injected()[0].callNumber, 2);
        EXPECT_EQ(host.failures().PendingRules(), 0);
        EXPECT_TRUE(host.session().hostErrors().empty());
    }
}

TEST(FailureInjection, TheNthCreationOfOneClassFailsAndOtherClassesDoNotCount) {
    MemHost host;
    const Class_ID rotation(LININTERP_ROTATION_CLASS_ID, 0);
    const Class_ID position(LININTERP_POSITION_CLASS_ID, 0);
    host.failures().FailCreateInstance(CTRL_ROTATION_CLASS_ID, rotation, 3);

    EXPECT_NE(host.CreateInstance(CTRL_ROTATION_CLASS_ID, rotation), nullptr);
    EXPECT_NE(host.CreateInstance(CTRL_POSITION_CLASS_ID, position), nullptr);
    EXPECT_NE(host.CreateInstance(CTRL_ROTATION_CLASS_ID, rotation), nullptr);
    EXPECT_NE(host.CreateInstance(CTRL_POSITION_CLASS_ID, position), nullptr);
    EXPECT_EQ(host.CreateInstance(CTRL_ROTATION_CLASS_ID, rotation), nullptr);
    EXPECT_NE(host.CreateInstance(CTRL_ROTATION_CLASS_ID, rotation), nullptr);

    ASSERT_EQ(host.failures().injected().size(), 1u);
    EXPECT_EQ(host.failures().injected()[0].callNumber, 5);
    EXPECT_EQ(host.failures().injected()[0].detail, "0x900C (0x2003, 0x0)");
    EXPECT_EQ(host.failures().Calls(HostCall::CreateInstance), 6);
}

TEST(FailureInjection, RulesCountFromWhenTheyAreAdded) {
    MemHost host;
    ASSERT_NE(host.CreateNode(), nullptr);
    ASSERT_NE(host.CreateNode(), nullptr);
    host.failures().FailCall(HostCall::CreateNode, 2);
    EXPECT_NE(host.CreateNode(), nullptr);
    EXPECT_EQ(host.CreateNode(), nullptr);
    EXPECT_EQ(host.failures().injected()[0].callNumber, 4);
}

TEST(FailureInjection, SeveralRulesOnOneCallAndEveryCallFromThenOn) {
    MemHost host;
    host.failures().FailCall(HostCall::NewDefaultStdMat, 1);
    host.failures().FailCall(HostCall::NewDefaultStdMat, 3);
    EXPECT_EQ(host.NewDefaultStdMat(), nullptr);
    EXPECT_NE(host.NewDefaultStdMat(), nullptr);
    EXPECT_EQ(host.NewDefaultStdMat(), nullptr);
    EXPECT_NE(host.NewDefaultStdMat(), nullptr);

    FailureRule always;
    always.call = HostCall::CreateCameraObject;
    always.nth = 2;
    always.every = true;
    host.failures().Add(always);
    EXPECT_NE(host.CreateCameraObject(FREE_CAMERA), nullptr);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(host.CreateCameraObject(FREE_CAMERA), nullptr);
    }
    EXPECT_EQ(host.failures().injected().size(), 5u);
}

TEST(FailureInjection, AnInterfaceRuleHitsOnlyThatInterface) {
    MemHost host;
    host.failures().FailGetInterface(I_SKINIMPORTDATA);
    Animatable* skin = host.CreateInstance(OSM_CLASS_ID, SKIN_CLASSID);
    ASSERT_NE(skin, nullptr);
    EXPECT_NE(skin->GetInterface(I_SKIN), nullptr);
    EXPECT_EQ(skin->GetInterface(I_SKINIMPORTDATA), nullptr);
    EXPECT_NE(skin->GetInterface(I_SKINIMPORTDATA), nullptr);
    // Interfaces an object does not have are no calls to fail.
    EXPECT_EQ(skin->GetInterface(I_KEYCONTROL), nullptr);
    EXPECT_EQ(host.failures().Calls(HostCall::GetInterface), 3);
}

TEST(FailureInjection, ARuleThatNeverMatchesStaysPending) {
    MemHost host;
    host.failures().FailCreateInstance(GEOMOBJECT_CLASS_ID, BONE_OBJ_CLASSID);
    EXPECT_NE(host.CreateInstance(OSM_CLASS_ID, SKIN_CLASSID), nullptr);
    EXPECT_EQ(host.failures().PendingRules(), 1);
    EXPECT_TRUE(host.failures().injected().empty());
}

TEST(CreateInstance, UnknownClassesGiveNullAndAreReported) {
    MemHost host;
    EXPECT_EQ(host.CreateInstance(CTRL_POSITION_CLASS_ID, Class_ID(LININTERP_ROTATION_CLASS_ID, 0)), nullptr);
    EXPECT_EQ(host.CreateInstance(TEXMAP_CLASS_ID, Class_ID(0x291, 0)), nullptr);
    EXPECT_EQ(host.session().hostErrors().size(), 2u);
    EXPECT_TRUE(host.failures().injected().empty());

    // Each class that is known is made as the type its super class names.
    auto* bone = host.CreateInstance(GEOMOBJECT_CLASS_ID, BONE_OBJ_CLASSID);
    auto* skin = host.CreateInstance(OSM_CLASS_ID, SKIN_CLASSID);
    auto* multiply = host.CreateInstance(TEXMAP_CLASS_ID, Class_ID(RGBMULT_CLASS_ID, 0));
    auto* scale = host.CreateInstance(CTRL_SCALE_CLASS_ID, Class_ID(LININTERP_SCALE_CLASS_ID, 0));
    EXPECT_NE(dynamic_cast<Object*>(bone), nullptr);
    EXPECT_NE(dynamic_cast<Modifier*>(skin), nullptr);
    EXPECT_NE(dynamic_cast<Texmap*>(multiply), nullptr);
    EXPECT_NE(dynamic_cast<Control*>(scale), nullptr);
    EXPECT_EQ(scale->SuperClassID(), CTRL_SCALE_CLASS_ID);
}

}  // namespace
}  // namespace memhost
