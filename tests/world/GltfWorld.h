// What a glTF model shows at a time, in glTF's axes, as a viewer works it
// out (tests/gltf/ShownScene.h): skinned vertices, node transforms and its
// lights and perspective cameras. Orthographic cameras are left out: the
// TVX format has none; so are the transforms of skinned mesh nodes, which
// glTF ignores.
#pragma once

#include <vector>

#include <tiny_gltf.h>

#include "tests/world/WorldScene.h"

namespace tvx::world {

WorldScene GltfWorldAt(const tinygltf::Model& model, double seconds);

// The last key time of the model's first animation; 0 without one.
double AnimationEnd(const tinygltf::Model& model);

// The frames of a `rate` frames-per-second grid from 0 to `end` seconds,
// in seconds; the end counts as on the grid within float rounding.
std::vector<double> FrameGrid(double end, int rate);
// The midpoints between neighbouring grid times.
std::vector<double> BetweenFrames(const std::vector<double>& grid);

}  // namespace tvx::world
