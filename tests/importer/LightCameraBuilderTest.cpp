#include <cmath>

#include "ImportTestSupport.h"
#include "geometry/Vector.h"
#include "importer/HostConversions.h"
#include "importer/LightCameraBuilder.h"
#include "importer/ViewTransform.h"

namespace tvx::importer::test {
namespace {

bool NearlyEqual(const hostapi::Point3& a, const hostapi::Point3& b) {
    return std::abs(a.x - b.x) < 1e-6f && std::abs(a.y - b.y) < 1e-6f && std::abs(a.z - b.z) < 1e-6f;
}

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

Matrix4 StoredColumns(Vector3 x, Vector3 y, Vector3 z) {
    Matrix4 m;
    const Vector3 columns[] = {x, y, z};
    for (int c = 0; c < 3; ++c) {
        m(0, c) = columns[c].x;
        m(1, c) = columns[c].y;
        m(2, c) = columns[c].z;
    }
    return m;
}

TEST(ViewTransform, AWholeFrameKeepsItsRollAndAnyOtherIsRebuilt) {
    // A view looking down the host's -y (its z is +y), rolled by 30 degrees.
    const float c = 0.8660254f;
    const float s = 0.5f;
    const Vector3 x{c, 0.0f, s}, y{-s, 0.0f, c}, storedZ{0.0f, 1.0f, 0.0f};
    // Around that z the rebuild has x = (1, 0, 0) and y = +z.
    const Vector3 rebuiltX{1.0f, 0.0f, 0.0f}, rebuiltY{0.0f, 0.0f, 1.0f};
    const struct {
        const char* what;
        Matrix4 stored;
        Vector3 x, y;
    } cases[] = {
        {"a whole frame", StoredColumns(x, y, storedZ), x, y},
        {"scaled axes", StoredColumns(x * 2.0f, y * 2.0f, storedZ), rebuiltX, rebuiltY},
        {"the other hand, as earlier files hold it", StoredColumns(-x, y, storedZ), rebuiltX, rebuiltY},
    };
    for (const auto& k : cases) {
        TVXTransform t;
        t.matrix = k.stored;
        t.position = {1.0f, 2.0f, 3.0f};
        const hostapi::Matrix3 host = RebuildViewTransform(t);
        EXPECT_TRUE(NearlyEqual(host.GetRow(0), ToPoint3(k.x))) << k.what;
        EXPECT_TRUE(NearlyEqual(host.GetRow(1), ToPoint3(k.y))) << k.what;
        EXPECT_EQ(host.GetRow(2), hostapi::Point3(0.0f, -1.0f, 0.0f)) << k.what;
        EXPECT_EQ(host.GetRow(3), hostapi::Point3(1.0f, 2.0f, 3.0f)) << k.what;
        EXPECT_EQ(ToHostMatrix(t.matrix).GetRow(1), host.GetRow(1)) << k.what << ": the record holds the frame used";
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
