// What a scene shows at one time, in world space, for the fidelity tests:
// where every vertex that a triangle uses is (skinned where its mesh has a
// skin), where every node is, and every light and camera with its values.
// Two scenes are compared over many times: a conversion keeps the scene
// when every vertex of either follows some vertex of the other at every
// time, and nodes and views of the same name stay where they were.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "gltf/GltfMath.h"

namespace tvx::world {

using gltf::Mat4;
using gltf::Vec3d;

// A light or camera: it looks down its own -Z with +Y up.
struct View {
    std::string kind;  // "camera", or the kind of light
    Mat4 world;
    // Its parameters, named as the side that read them names them; two
    // views are compared value by value only when both have the same names.
    std::map<std::string, double> values;
};

struct WorldScene {
    double seconds = 0.0;  // the time shown
    std::vector<Vec3d> vertices;
    std::map<std::string, Mat4> nodes;  // every node but the views, by name
    std::map<std::string, View> views;  // by name
};

// One scene at a row of times.
using Timeline = std::vector<WorldScene>;

// The diagonal of the box around the vertices and node origins of every
// time; at least 1e-6, so that a gap can always be divided by it.
double Diagonal(const Timeline& timeline);

}  // namespace tvx::world
