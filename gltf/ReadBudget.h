// What a glTF read may cost in memory, priced before the cost is paid.
//
// Parsing: tinygltf gives every object of the file a struct of hundreds of
// bytes (a material 2 KiB) and every value under `extras` or `extensions` a
// tree node of 150, whatever the text says, so `{}` in a list of materials
// costs 700 times its three bytes. The JSON text is walked first, building
// nothing, and the model it would make is priced: more than
// kModelBytesPerTextByte per byte of text plus kModelAllowance, and the
// file is refused before tinygltf sees it. The same walk refuses nesting
// that the parsers would follow off the end of the stack.
//
// Converting: what the host scene holds grows with what the file repeats.
// A mesh placed by many nodes is built once per node, an animation is
// sampled at every frame of each of its channels. Both are priced from the
// model before they are built, from the read's memhost::SceneBudget (the
// file and its buffers count as what it holds). The prices are what the whole path to a TVX
// document was measured to take per item (docs/performance.md).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <tiny_gltf.h>

#include "gltf/GltfError.h"
#include "memhost/SceneBudget.h"

namespace tvx::gltf {

inline constexpr std::uint64_t kModelBytesPerTextByte = 32;
inline constexpr std::uint64_t kModelAllowance = 32u << 20;
inline constexpr int kMaxJsonNesting = 64;

// Refuses (GltfError) JSON text nested too deeply or whose model would cost
// more than its size allows. Text that is not JSON is left for tinygltf to
// describe.
void CheckModelCost(std::string_view json);

// The JSON text of a .glb file, or an empty view when its header or first
// chunk does not hold one (tinygltf then says what is wrong).
std::string_view GlbJsonChunk(std::string_view file);

// The bytes of the file's buffers as loaded.
std::uint64_t BufferBytes(const tinygltf::Model& model);

// Takes what building every node's mesh instance costs, per node.
void TakeMeshInstances(const tinygltf::Model& model, memhost::SceneBudget& budget);

// Takes what sampling `channels` channels at `ticks` times costs.
void TakeSampledKeys(std::size_t channels, std::size_t ticks, memhost::SceneBudget& budget);

}  // namespace tvx::gltf
