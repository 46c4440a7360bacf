// What a glTF model shows at a time, as a viewer works it out, for the
// round-trip tests: the nodes' world transforms, every triangle primitive's
// vertices in world space (skinned where the mesh has a skin) with their
// joint influences and normals, and each triangle's centroid and material.
#pragma once

#include <filesystem>
#include <array>
#include <map>
#include <string>
#include <vector>

#include <tiny_gltf.h>

#include "gltf/GltfMath.h"

namespace tvx::gltf::viewer {

// The model with each image's bytes as the file holds them (an image file,
// a buffer view, a data URI decoded), never decoded as a picture; false
// and a message when it cannot be read.
bool Parse(const std::filesystem::path& file, tinygltf::Model& model, std::string& error);

// The name node i comes back with: its own, or "node<i>" when it has none,
// made safe.
std::string NameOf(const tinygltf::Model& model, std::size_t i);
// A name as it comes back, made safe as the importer makes names (every
// character of ` \.<|>-]\t["{:};(,)/'` and a leading digit become '_').
std::string SafeName(std::string name);

// Sets each node's TRS to the value of the model's first animation at t seconds.
void ApplyAt(tinygltf::Model& model, double t);

// Frames 0, n/4, n/2, 3n/4 and n of a 30 fps grid, rounded to whole frames,
// n the last whole frame of the first animation; in seconds.
std::vector<double> FrameTimes(const tinygltf::Model& model);

// Every node's world transform at t, by index and by name.
std::vector<Mat4> WorldsAt(tinygltf::Model model, double t);
std::map<std::string, Mat4> WorldsByName(const tinygltf::Model& model, double t);

// Joint name -> weight: the four largest, normalised to sum 1.
using Influences = std::map<std::string, double>;

struct Shown {
    std::vector<Vec3d> positions;         // every vertex a triangle uses
    std::vector<Influences> influences;   // beside each position; empty unless skinned
    std::vector<Vec3d> normals;           // beside each position, unit; (0, 0, 0) without NORMAL
    std::vector<std::array<double, 4>> colours;  // beside each position; opaque white without COLOR_0
    std::vector<Vec3d> centroids;         // one a triangle
    std::vector<int> materials;           // each triangle's, -1 for none
};

Shown ShownAt(tinygltf::Model model, double t);

// The largest |coordinate| of the points, at least 1.
double Size(const std::vector<Vec3d>& points);

// The farthest any point of `a` lies from the nearest point of `b`.
double Farthest(const std::vector<Vec3d>& a, const std::vector<Vec3d>& b);

}  // namespace tvx::gltf::viewer
