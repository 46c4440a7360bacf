#include "geometry/BoneMatrices.h"

#include "geometry/BoneHierarchy.h"
#include "geometry/Matrix.h"

namespace tvx {

Matrix4 BoneLocalMatrix(const Vector3& position, const Quaternion& rotation, const Vector3& scale, int withScale) {
    const Matrix4 placement = RotationTranslationMatrix(rotation, position);
    return withScale != 0 ? MultiplyAffine(placement, ScaleMatrix(scale)) : placement;
}

void ComputeBoneMatrices(TVXScene& scene, int withScale) {
    auto& bones = scene.bones;
    for (TVXBone& bone : bones) {
        const TVXTransform& t = bone.transform;
        bone.localMatrix = BoneLocalMatrix(t.position, t.rotation, t.scale, withScale);
    }
    ComposeWorldMatrices(
        Count(bones), [&](int i) { return bones[static_cast<std::size_t>(i)].parentIndex; },
        [&](int i) -> const Matrix4& { return bones[static_cast<std::size_t>(i)].localMatrix; },
        [&](int i) -> Matrix4& { return bones[static_cast<std::size_t>(i)].worldMatrix; });
}

}  // namespace tvx
