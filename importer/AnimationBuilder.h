// The document's first animation as the host's frame rate, range and linear
// key controllers on the bone nodes.
#pragma once

#include "importer/ImportSession.h"

namespace tvx::importer {

inline constexpr int kDefaultFrameRate = 30;
inline constexpr float kDefaultAnimationFrames = 100.0f;

// Does nothing unless bones and animation are imported, the document has an
// animation with tracks and the bones have their pose.
void BuildAnimation(ImportSession& session);

// A stored position key in the bone's parent space: the key lies in the
// bone's own frame, so the bone's scale and rotation are applied to it,
// then the bone's position added.
[[nodiscard]] hostapi::Point3 PositionKeyValue(const TVXTransform& bone, const Vector3& key);
// The bone's own rotation followed by the key's.
[[nodiscard]] hostapi::Quat RotationKeyValue(const TVXTransform& bone, const Quaternion& key);
// The bone's own scale times the key's.
[[nodiscard]] hostapi::ScaleValue ScaleKeyValue(const TVXTransform& bone, const Vector3& key);

}  // namespace tvx::importer
