// The whole import chain at once: a skinned, animated scene saved as a file
// and imported through the plug-in class. At time 0 the host's skeleton,
// evaluated from the controllers the importer set, stands where the
// post-load pose put it, and the mesh's vertices are the skinned ones.
#include <cmath>

#include "ImportTestSupport.h"
#include "fileformat/container/FileConstants.h"
#include "fileformat/container/LoadScene.h"
#include "fileformat/container/SaveSceneFile.h"
#include "geometry/SkeletonPose.h"
#include "importer/HostConversions.h"
#include "importer/TVXImporter.h"
#include "tests/support/TempDir.h"

namespace tvx::importer::test {
namespace {

Quaternion Turn(Vector3 axis, float angle) {
    const float s = std::sin(0.5f * angle);
    const float n = std::sqrt(axis.x * axis.x + axis.y * axis.y + axis.z * axis.z);
    return {axis.x / n * s, axis.y / n * s, axis.z / n * s, std::cos(0.5f * angle)};
}

// Three bones in a chain, each turned and offset, with keys that move all
// of them at time 0, and a triangle weighted across them.
void FillSkinnedScene(TVXScene& scene) {
    const Vector3 offsets[] = {{1.0f, 2.0f, 0.5f}, {0.0f, 3.0f, 0.0f}, {0.5f, 2.0f, -1.0f}};
    const Quaternion turns[] = {Turn({0, 0, 1}, 0.4f), Turn({1, 0, 0}, -0.7f), Turn({1, 1, 0}, 1.1f)};
    for (int i = 0; i < 3; ++i) {
        TVXBone& bone = scene.bones.emplace_back();
        bone.name = TVXString::FromUtf8("Bone" + std::to_string(i));
        bone.parentIndex = i - 1;
        bone.transform.position = offsets[i];
        bone.transform.rotation = turns[i];
    }
    TVXAnimation& animation = scene.animations.emplace_back();
    animation.frameRate = 30.0f;
    animation.end = 30.0f;
    animation.tracks.resize(3);
    for (int i = 0; i < 3; ++i) {
        TVXBoneTrack& track = animation.tracks[static_cast<std::size_t>(i)];
        const float f = static_cast<float>(i + 1);
        track.positionKeys = {{0.0f, {0.1f * f, -0.2f, 0.3f}}, {1.0f, {2.0f, 2.0f, 2.0f}}};
        track.rotationKeys = {{0.0f, Turn({0, 1, 0}, 0.3f * f)}, {1.0f, {}}};
        track.scaleKeys = {{0.0f, {1.0f, 1.0f, 1.0f}}};
    }
    const Vector3 corners[] = {{1.0f, 1.0f, 0.0f}, {2.0f, 5.0f, 1.0f}, {0.0f, 7.0f, -1.0f}};
    for (int i = 0; i < 3; ++i) {
        TVXVertex& v = scene.vertices.emplace_back();
        v.position = corners[i];
        v.weights = {{i, 0.75f}, {(i + 1) % 3, 0.25f}};
    }
    TVXFaceList& list = scene.faceLists.emplace_back();
    ASSERT_EQ(AllocThreeCornerPolygons(list, 1), 1);
    for (int k = 0; k < 3; ++k) {
        list.polygons[0].vertexIndices()[static_cast<std::size_t>(k)] = k;
    }
    scene.groups.emplace_back().name = TVXString::FromUtf8("G");
}

bool RowsNear(const hostapi::Matrix3& expected, const hostapi::Matrix3& actual) {
    for (int r = 0; r < 4; ++r) {
        const hostapi::Point3 e = expected.GetRow(r);
        const hostapi::Point3 a = actual.GetRow(r);
        if (std::abs(e.x - a.x) > 1e-4f || std::abs(e.y - a.y) > 1e-4f || std::abs(e.z - a.z) > 1e-4f) {
            return false;
        }
    }
    return true;
}

TEST(WholeChain, TheHostSkeletonAtTimeZeroIsThePosedSkeleton) {
    tvx::test::TempDir dir;
    const auto file = dir / "skinned.tvx";
    {
        TVXExporterData data;
        FillSkinnedScene(data.scene);
        ASSERT_EQ(SaveSceneFile(data, file), 1);
    }
    TVXScene expected;
    PoseTables poses;
    LoadOptions options;
    options.poseTables = &poses;
    NoProgress progress;
    ASSERT_EQ(LoadScene(expected, file, progress, options), kLoadOk);

    memhost::MemHost host;
    host.QueueDialog({});
    TVXImporter importer;
    ASSERT_EQ(importer.DoImport(file.u16string().c_str(), &host, &host), 1);

    for (int i = 0; i < 3; ++i) {
        const memhost::MemNode* node = host.FindNode("Bone" + std::to_string(i));
        ASSERT_NE(node, nullptr);
        const hostapi::Matrix3 want = ToHostMatrix(poses.bonePoses[static_cast<std::size_t>(i)].poseWorld);
        EXPECT_TRUE(RowsNear(want, node->WorldAt(0))) << "bone " << i;
    }
    const Json json = Describe(host);
    for (const Json& object : json["scene"]["objects"]) {
        if (object["kind"] != "mesh") {
            continue;
        }
        ASSERT_EQ(object["vertices"].size(), 3u);
        for (std::size_t v = 0; v < 3; ++v) {
            const Vector3 p = poses.posedVertices[v].position;
            EXPECT_TRUE(Near(object["vertices"][v][0], p.x) && Near(object["vertices"][v][1], p.y) &&
                        Near(object["vertices"][v][2], p.z))
                << "vertex " << v << ": " << object["vertices"][v];
        }
    }
}

}  // namespace
}  // namespace tvx::importer::test
