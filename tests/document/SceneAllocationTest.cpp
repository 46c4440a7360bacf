#include "document/SceneAllocation.h"

#include <gtest/gtest.h>

#include "document/MeshAllocation.h"

namespace tvx {
namespace {

const Matrix4 kIdentity = Matrix4::Identity();

TEST(SceneAllocation, LightsGetIndexedNamesAndDefaults) {
    TVXScene scene;
    ASSERT_EQ(AllocLights(scene, 3), 1);
    ASSERT_EQ(scene.lights.size(), 3u);
    EXPECT_EQ(scene.lights[0].name.narrowView(), "Light0");
    EXPECT_EQ(scene.lights[1].name.narrowView(), "Light1");
    EXPECT_EQ(scene.lights[2].name.narrowView(), "Light2");

    const TVXLight& light = scene.lights[1];
    EXPECT_EQ(light.lightCode, 1600);
    EXPECT_EQ(light.lightType, 1);
    EXPECT_EQ(light.hotspot, 10.0f);
    EXPECT_EQ(light.falloff, 20.0f);
    EXPECT_EQ(light.value3, 0.0f);
    EXPECT_EQ(light.value4, 1.0f);
    EXPECT_EQ(light.intensity, 1.0f);
    EXPECT_EQ(light.color, (RGBA{1, 1, 1, 1}));
    EXPECT_EQ(light.attenuationStart, 2.0f);
    EXPECT_EQ(light.attenuationEnd, 8.0f);
    EXPECT_EQ(light.transform.xAxis, (Vector3{1, 0, 0}));
    EXPECT_EQ(light.transform.yAxis, (Vector3{0, 1, 0}));
    EXPECT_EQ(light.transform.zAxis, (Vector3{0, 0, 1}));
    EXPECT_EQ(light.transform.scale, (Vector3{1, 1, 1}));
    EXPECT_EQ(light.transform.matrix, kIdentity);
    // The zero fill survives where no default is set.
    EXPECT_EQ(light.transform.rotation, Quaternion::Zero());
    EXPECT_EQ(light.transform.finalVector, Vector3{});
}

TEST(SceneAllocation, CameraDefaults) {
    TVXScene scene;
    ASSERT_EQ(AllocCameras(scene, 1), 1);
    const TVXCamera& camera = scene.cameras[0];
    EXPECT_EQ(camera.name.narrowView(), "Camera0");
    EXPECT_EQ(camera.cameraInt1, 0);
    EXPECT_EQ(camera.cameraInt2, 0);
    EXPECT_EQ(camera.fieldOfView, 45.0f);
    EXPECT_EQ(camera.nearDistance, 1.0f);
    EXPECT_EQ(camera.farDistance, 1000.0f);
    EXPECT_EQ(camera.transform.matrix, kIdentity);
    EXPECT_EQ(camera.transform.rotation, Quaternion::Zero());
}

TEST(SceneAllocation, GroupTransformIsAllZero) {
    TVXScene scene;
    ASSERT_EQ(AllocGroups(scene, 2), 1);
    EXPECT_EQ(scene.groups[1].name.narrowView(), "Unassigned");
    EXPECT_EQ(scene.groups[1].transform, TVXTransform::Zero());
    EXPECT_EQ(scene.groups[1].groupInt1, 0);
    EXPECT_EQ(scene.groups[1].groupInt2, 0);
    EXPECT_TRUE(scene.groups[1].materialTable.empty());
}

TEST(SceneAllocation, BoneTransformKeepsOnlyRotationAndScale) {
    TVXScene scene;
    ASSERT_EQ(AllocBones(scene, 1), 1);
    const TVXBone& bone = scene.bones[0];
    EXPECT_EQ(bone.name.narrowView(), "Blank");
    EXPECT_EQ(bone.parentIndex, -1);
    EXPECT_EQ(bone.color, (RGBA{1, 1, 1, 1}));
    EXPECT_EQ(bone.transform.rotation, (Quaternion{0, 0, 0, 1}));
    EXPECT_EQ(bone.transform.scale, (Vector3{1, 1, 1}));
    EXPECT_EQ(bone.transform.xAxis, Vector3{});
    EXPECT_EQ(bone.transform.yAxis, Vector3{});
    EXPECT_EQ(bone.transform.zAxis, Vector3{});
    EXPECT_EQ(bone.transform.matrix, Matrix4::Zero());
    EXPECT_EQ(bone.localMatrix, Matrix4::Zero());
    EXPECT_EQ(bone.worldMatrix, Matrix4::Zero());
    EXPECT_EQ(bone.weightedVertexCount, 0);
}

TEST(SceneAllocation, AnimationsTracksAndKeysStartZero) {
    TVXScene scene;
    ASSERT_EQ(AllocAnimations(scene, 2), 1);
    TVXAnimation& animation = scene.animations[1];
    EXPECT_EQ(animation.name.narrowView(), "DefaultAnim");
    EXPECT_EQ(animation.frameRate, 0.0f);

    ASSERT_EQ(AllocTracks(animation, 4), 1);
    ASSERT_EQ(animation.tracks.size(), 4u);
    TVXBoneTrack& track = animation.tracks[3];
    EXPECT_TRUE(track.positionKeys.empty());

    ASSERT_EQ(AllocRotationKeys(track, 2), 1);
    ASSERT_EQ(AllocScaleKeys(track, 1), 1);
    ASSERT_EQ(AllocPositionKeys(track, 3), 1);
    EXPECT_EQ(track.rotationKeys[1].rotation, Quaternion::Zero());
    EXPECT_EQ(track.scaleKeys[0].scale, Vector3{});
    EXPECT_EQ(track.positionKeys.size(), 3u);
}

TEST(SceneAllocation, ReallocationReplacesTheArray) {
    TVXScene scene;
    ASSERT_EQ(AllocBones(scene, 5), 1);
    scene.bones[0].parentIndex = 7;
    ASSERT_EQ(AllocBones(scene, 2), 1);
    ASSERT_EQ(scene.bones.size(), 2u);
    EXPECT_EQ(scene.bones[0].parentIndex, -1);
}

// Every allocation refuses n <= 0 and leaves what was there.
TEST(SceneAllocation, NonPositiveCountsAreRefused) {
    TVXScene scene;
    ASSERT_EQ(AllocGroups(scene, 2), 1);
    scene.groups[0].groupInt1 = 42;
    EXPECT_EQ(AllocGroups(scene, 0), 0);
    EXPECT_EQ(AllocGroups(scene, -3), 0);
    ASSERT_EQ(scene.groups.size(), 2u);
    EXPECT_EQ(scene.groups[0].groupInt1, 42);

    TVXAnimation animation;
    TVXBoneTrack track;
    TVXVertex vertex;
    TVXUVSet uvSet;
    TVXFaceList faceList;
    EXPECT_EQ(AllocLights(scene, 0), 0);
    EXPECT_EQ(AllocCameras(scene, 0), 0);
    EXPECT_EQ(AllocBones(scene, 0), 0);
    EXPECT_EQ(AllocAnimations(scene, 0), 0);
    EXPECT_EQ(AllocTracks(animation, 0), 0);
    EXPECT_EQ(AllocPositionKeys(track, 0), 0);
    EXPECT_EQ(AllocRotationKeys(track, -1), 0);
    EXPECT_EQ(AllocScaleKeys(track, 0), 0);
    EXPECT_EQ(AllocVertices(scene, 0), 0);
    EXPECT_EQ(AllocWeights(vertex, 0), 0);
    EXPECT_EQ(AllocTriangles(scene, 0), 0);
    EXPECT_EQ(AllocUVSets(scene, 0), 0);
    EXPECT_EQ(AllocUVCoords(uvSet, 0), 0);
    EXPECT_EQ(AllocUVTriangles(uvSet, 0), 0);
    EXPECT_EQ(AllocFaceLists(scene, 0), 0);
    EXPECT_EQ(AllocPolygons(faceList, 0), 0);
}

TEST(SceneAllocation, OnlyAnExporterSceneAcceptsZeroVertices) {
    TVXScene importing(SceneRole::Import);
    ASSERT_EQ(AllocVertices(importing, 3), 1);
    EXPECT_EQ(AllocVertices(importing, 0), 0);
    EXPECT_EQ(importing.vertices.size(), 3u);

    TVXScene exporting(SceneRole::Export);
    ASSERT_EQ(AllocVertices(exporting, 3), 1);
    EXPECT_EQ(AllocVertices(exporting, 0), 1);
    EXPECT_TRUE(exporting.vertices.empty());
    EXPECT_EQ(AllocVertices(exporting, -1), 0);
}

void FillEverything(TVXScene& scene) {
    scene.version = 31;
    scene.legacyUVCoordCount = 9;
    scene.fileCounts.boneCount = 4;
    scene.fileCounts.nameListCount = 2;
    scene.scenePath = "/scenes/a.tvx";
    scene.vertexNormalsStored = true;
    scene.vertexColorsStored = true;
    ASSERT_EQ(AllocLights(scene, 1), 1);
    ASSERT_EQ(AllocCameras(scene, 1), 1);
    ASSERT_EQ(AllocGroups(scene, 1), 1);
    ASSERT_EQ(AllocBones(scene, 1), 1);
    ASSERT_EQ(AllocVertices(scene, 1), 1);
    ASSERT_EQ(AllocTriangles(scene, 1), 1);
    ASSERT_EQ(AllocUVSets(scene, 2), 1);
    ASSERT_EQ(AllocFaceLists(scene, 1), 1);
    ASSERT_EQ(AllocAnimations(scene, 1), 1);
}

TEST(ClearScene, ReleasesEverythingAndTheImporterKeepsThePath) {
    TVXScene scene(SceneRole::Import);
    FillEverything(scene);
    ClearScene(scene);
    EXPECT_TRUE(scene.lights.empty() && scene.cameras.empty() && scene.groups.empty() && scene.bones.empty() &&
                scene.vertices.empty() && scene.triangles.empty() && scene.uvSets.empty() &&
                scene.faceLists.empty() && scene.animations.empty() && scene.materials.empty());
    EXPECT_EQ(scene.version, 0);
    EXPECT_EQ(scene.legacyUVCoordCount, 0);
    EXPECT_EQ(scene.fileCounts, TVXFileCounts{});
    EXPECT_FALSE(scene.vertexNormalsStored || scene.vertexColorsStored) << "the next file says again what it stores";
    EXPECT_EQ(scene.scenePath, "/scenes/a.tvx");
}

TEST(ClearScene, TheExporterForgetsThePath) {
    TVXScene scene(SceneRole::Export);
    FillEverything(scene);
    ClearScene(scene);
    EXPECT_TRUE(scene.scenePath.empty());
    EXPECT_TRUE(scene.lights.empty());
}

}  // namespace
}  // namespace tvx
