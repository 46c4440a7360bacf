#include "ImportTestSupport.h"
#include "importer/LightCameraBuilder.h"
#include "importer/ViewTransform.h"

namespace tvx::importer::test {
namespace {

hostapi::Matrix3 RebuiltWithZColumn(Vector3 z, Vector3 position = {}) {
    TVXTransform t;
    t.matrix(0, 2) = z.x;
    t.matrix(1, 2) = z.y;
    t.matrix(2, 2) = z.z;
    t.position = position;
    return RebuildViewTransform(t);
}

TEST(ViewTransform, TheStoredViewAxisIsTurnedRoundAndFramed) {
    const hostapi::Matrix3 down = RebuiltWithZColumn({0.0f, -1.0f, 0.0f});
    EXPECT_EQ(down.GetRow(2), hostapi::Point3(0.0f, 1.0f, -0.0f));
    EXPECT_EQ(down.GetRow(0), hostapi::Point3(1.0f, 0.0f, 0.0f));
    EXPECT_EQ(down.GetRow(1), hostapi::Point3(0.0f, 0.0f, -1.0f));

    const hostapi::Matrix3 ahead = RebuiltWithZColumn({0.0f, 0.0f, -1.0f}, {1.0f, 2.0f, 3.0f});
    EXPECT_EQ(ahead, hostapi::Matrix3([] {
                  hostapi::Matrix3 m;
                  m.SetRow(3, {1.0f, 2.0f, 3.0f});
                  return m;
              }()));

    const hostapi::Matrix3 none = RebuiltWithZColumn({0.0f, 0.0f, 0.0f});
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(none.GetRow(r), hostapi::Point3()) << "row " << r;
    }
}

TEST(LightCameraBuilder, LightsAndCamerasCarryTheirSettings) {
    EXPECT_EQ(HostLightType(1), hostapi::DIR_LIGHT);
    EXPECT_EQ(HostLightType(2), hostapi::FSPOT_LIGHT);
    EXPECT_EQ(HostLightType(5), hostapi::OMNI_LIGHT);

    TVXScene scene;
    TVXLight& light = scene.lights.emplace_back();
    light.name = TVXString::FromUtf8("Key Light.01");
    light.lightType = 5;
    light.color = {1.0f, 0.5f, 0.0f, 0.25f};
    TVXCamera& camera = scene.cameras.emplace_back();
    camera.name = TVXString::FromUtf8("Cam");
    const Json host = Build(std::move(scene));

    const Json& lightObject = ObjectOf(host, Node(host, "Key_Light_01"));
    EXPECT_EQ(lightObject["type"], 0);
    EXPECT_EQ(lightObject["color"], Json::parse("[1.0,0.5,0.0]"));
    EXPECT_EQ(lightObject["attenuation"][2], 2.0);
    EXPECT_EQ(lightObject["attenuation"][3], 8.0);
    EXPECT_EQ(lightObject["useLight"], true);
    EXPECT_EQ(lightObject["useAttenuation"], true);
    const Json& cameraObject = ObjectOf(host, Node(host, "Cam"));
    EXPECT_TRUE(Near(cameraObject["fov"], 0.785398f));
    EXPECT_EQ(cameraObject["clip"], Json::parse("[1.0,1000.0]"));
    EXPECT_EQ(cameraObject["manualClip"], true);
}

TEST(LightCameraBuilder, ARefusedObjectLeavesANamedPlacedNode) {
    TVXScene scene;
    scene.lights.emplace_back().name = TVXString::FromUtf8("Sun");
    scene.lights.emplace_back().name = TVXString::FromUtf8("Moon");
    scene.cameras.emplace_back().name = TVXString::FromUtf8("Cam");
    const Json host = Build(std::move(scene), {}, [](memhost::MemHost& h) {
        h.failures().FailCall(memhost::HostCall::CreateLightObject);
        h.failures().FailCall(memhost::HostCall::CreateNode, 3);
    });
    EXPECT_TRUE(Node(host, "Sun")["object"].is_null());
    EXPECT_FALSE(Node(host, "Moon")["object"].is_null());
    EXPECT_EQ(host["scene"]["nodes"].size(), 2u) << "the camera's node was refused";
}

}  // namespace
}  // namespace tvx::importer::test
