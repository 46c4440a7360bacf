// Sections of a legacy body that hold the scene's placed things: lights,
// cameras, groups, bones and animations.
#pragma once

#include "fileformat/legacy/LegacyPass.h"

namespace tvx {

[[nodiscard]] bool ReadLegacyLights(LegacyPass& pass);
[[nodiscard]] bool ReadLegacyCameras(LegacyPass& pass);
[[nodiscard]] bool ReadLegacyGroups(LegacyPass& pass);
[[nodiscard]] bool ReadLegacyBones(LegacyPass& pass);
// Needs the bones allocated: an animation keeps at most one track per bone.
[[nodiscard]] bool ReadLegacyAnimations(LegacyPass& pass);

}  // namespace tvx
