// The box around the scene's vertices, and moving the scene by it.
#pragma once

#include "document/TVXScene.h"

namespace tvx {

struct SceneBounds {
    Vector3 size{};
    float unused = 0.0f;
    Vector3 minimum{};
    Vector3 maximum{};
    Vector3 centre{};
};

// The axis-aligned box of all vertex positions; every value 0 without
// vertices.
[[nodiscard]] SceneBounds ComputeSceneBounds(const TVXScene& scene);

// Moves the vertices, the lights, the cameras and the root bones (non-root
// bones are placed relative to their parents) so that the box's centre is
// at the origin; with toFloor the box then also rests on y = 0. toFloor wins
// over toCentre; with both 0, or without vertices, nothing moves.
void CenterOnBounds(TVXScene& scene, int toFloor, int toCentre);

}  // namespace tvx
