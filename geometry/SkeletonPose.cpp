#include "geometry/SkeletonPose.h"

#include <algorithm>
#include <new>

#include "geometry/BoneHierarchy.h"
#include "geometry/BoneMatrices.h"
#include "geometry/KeySampling.h"
#include "geometry/Matrix.h"
#include "geometry/Vector.h"

namespace tvx {
namespace {

BonePose PoseOf(const TVXBone& bone) {
    BonePose pose;
    pose.parentIndex = bone.parentIndex;
    pose.position = bone.transform.position;
    pose.scale = bone.transform.scale;
    pose.rotation = bone.transform.rotation;
    return pose;
}

template <class Pick>
void ComposeWorlds(std::vector<BonePose>& poses, Pick pickLocal, Matrix4 BonePose::*world) {
    ComposeWorldMatrices(
        Count(poses), [&](int i) { return poses[static_cast<std::size_t>(i)].parentIndex; },
        [&](int i) -> const Matrix4& { return pickLocal(poses[static_cast<std::size_t>(i)]); },
        [&](int i) -> Matrix4& { return poses[static_cast<std::size_t>(i)].*world; });
}

Vector3 SkinnedPosition(const TVXVertex& vertex, const std::vector<BonePose>& poses) {
    Vector3 sum{};
    bool weighted = false;
    for (const TVXBoneWeight& weight : vertex.weights) {
        if (weight.boneIndex < 0 || weight.boneIndex >= Count(poses)) {
            continue;
        }
        const BonePose& pose = poses[static_cast<std::size_t>(weight.boneIndex)];
        sum += weight.weight * TransformPoint(pose.poseWorld, TransformPoint(pose.inverseBindWorld, vertex.position));
        weighted = true;
    }
    return weighted ? sum : vertex.position;
}

// One entry per record; empty (and 0) without records or memory.
template <class Record, class Entry, class Make>
int RebuildTable(const std::vector<Record>& records, std::vector<Entry>& table, Make make) {
    table = {};
    if (records.empty()) {
        return 0;
    }
    try {
        table.reserve(records.size());
        for (const Record& record : records) {
            table.push_back(make(record));
        }
        return 1;
    } catch (const std::bad_alloc&) {
        table = {};
        return 0;
    }
}

}  // namespace

int BuildBonePoses(const TVXScene& scene, PoseTables& tables) {
    return RebuildTable(scene.bones, tables.bonePoses, PoseOf);
}

int BuildPosedVertices(const TVXScene& scene, PoseTables& tables) {
    return RebuildTable(scene.vertices, tables.posedVertices,
                        [](const TVXVertex& vertex) { return PosedVertex{vertex.position, vertex.normal}; });
}

void ComputeBindPose(PoseTables& tables, int withScale) {
    auto& poses = tables.bonePoses;
    for (BonePose& pose : poses) {
        pose.bindLocal = BoneLocalMatrix(pose.position, pose.rotation, pose.scale, withScale);
        pose.poseLocal = pose.bindLocal;
    }
    ComposeWorlds(poses, [](const BonePose& pose) -> const Matrix4& { return pose.bindLocal; }, &BonePose::bindWorld);
    for (BonePose& pose : poses) {
        pose.inverseBindWorld = Inverse(pose.bindWorld);
        pose.worldPosition = {pose.bindWorld(0, 3), pose.bindWorld(1, 3), pose.bindWorld(2, 3)};
    }
    const int count = Count(poses);
    for (int i = 0; i < count; ++i) {
        BonePose& pose = poses[static_cast<std::size_t>(i)];
        const bool hasParent = LinkToParent(pose.parentIndex, i, count) != ParentLink::Root;
        pose.length = hasParent
                          ? Distance(poses[static_cast<std::size_t>(pose.parentIndex)].worldPosition, pose.worldPosition)
                          : 0.0f;
    }
}

void ComputePose(const TVXScene& scene, PoseTables& tables, float t) {
    auto& poses = tables.bonePoses;
    if (poses.empty() || tables.posedVertices.empty()) {
        return;
    }
    const int count = Count(poses);
    for (int i = 0; i < count; ++i) {
        BonePose& pose = poses[static_cast<std::size_t>(i)];
        const SampledKeys keys = SampleTrack(scene, i, t);
        pose.poseLocal = MultiplyAffine(pose.bindLocal, RotationTranslationMatrix(keys.rotation, keys.position));
        pose.poseLocal = MultiplyAffine(pose.poseLocal, ScaleMatrix(keys.scale));
    }
    ComposeWorlds(poses, [](const BonePose& pose) -> const Matrix4& { return pose.poseLocal; }, &BonePose::poseWorld);

    const std::size_t vertexCount = std::min(tables.posedVertices.size(), scene.vertices.size());
    for (std::size_t i = 0; i < vertexCount; ++i) {
        tables.posedVertices[i].position = SkinnedPosition(scene.vertices[i], poses);
    }
}

}  // namespace tvx
