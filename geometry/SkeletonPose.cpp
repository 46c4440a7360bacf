#include "geometry/SkeletonPose.h"

#include <algorithm>
#include <array>
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

using Matrix3x3 = std::array<std::array<float, 3>, 3>;

// The skin's blend of its bones' 3 x 3 parts (pose world times inverse bind
// world) over the weights that name a bone; false when none does.
bool BlendedSkin(const TVXVertex& vertex, const std::vector<BonePose>& poses, Matrix3x3& blend) {
    blend = {};
    bool weighted = false;
    for (const TVXBoneWeight& weight : vertex.weights) {
        if (weight.boneIndex < 0 || weight.boneIndex >= Count(poses)) {
            continue;
        }
        const BonePose& pose = poses[static_cast<std::size_t>(weight.boneIndex)];
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
                float sum = 0.0f;
                for (int k = 0; k < 3; ++k) {
                    sum += pose.poseWorld(r, k) * pose.inverseBindWorld(k, c);
                }
                blend[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] += weight.weight * sum;
            }
        }
        weighted = true;
    }
    return weighted;
}

// A normal turns with the cofactors of the skin's 3 x 3 part: that is what
// the cross product of two skinned edges undergoes, so the normal stays on
// the side of the face its winding shows, mirrored or not, and the
// cofactors need no division for a skin that flattens the mesh.
Vector3 SkinnedNormal(const TVXVertex& vertex, const std::vector<BonePose>& poses) {
    Matrix3x3 m;
    if (!BlendedSkin(vertex, poses, m)) {
        return vertex.normal;
    }
    const Vector3 rows[3] = {{m[0][0], m[0][1], m[0][2]}, {m[1][0], m[1][1], m[1][2]}, {m[2][0], m[2][1], m[2][2]}};
    const Vector3 c0 = Cross(rows[1], rows[2]);
    const Vector3 c1 = Cross(rows[2], rows[0]);
    const Vector3 c2 = Cross(rows[0], rows[1]);
    return {Dot(c0, vertex.normal), Dot(c1, vertex.normal), Dot(c2, vertex.normal)};
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
    if (scene.vertexNormalsStored) {
        for (std::size_t i = 0; i < vertexCount; ++i) {
            tables.posedVertices[i].normal = SkinnedNormal(scene.vertices[i], poses);
        }
    }
}

}  // namespace tvx
