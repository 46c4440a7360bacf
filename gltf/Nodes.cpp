#include "gltf/Nodes.h"

#include <set>

#include "gltf/GltfError.h"

namespace tvx::gltf {

namespace {

std::string NodeText(std::size_t i) { return "node " + std::to_string(i); }

template <std::size_t N>
std::array<double, N> Fixed(const std::vector<double>& v, const std::array<double, N>& fallback, int index,
                            const char* what) {
    if (v.empty()) {
        return fallback;
    }
    if (v.size() != N) {
        throw GltfError(NodeText(static_cast<std::size_t>(index)) + ": " + what + " has " +
                        std::to_string(v.size()) + " numbers, not " + std::to_string(N));
    }
    std::array<double, N> out{};
    for (std::size_t i = 0; i < N; ++i) {
        out[i] = v[i];
    }
    return out;
}

// Any depth is taken; a loop is not. Each climb stops at a node an earlier
// climb went through, so each node is visited once.
void CheckNoLoops(const std::vector<int>& parents) {
    std::vector<std::size_t> climbedFrom(parents.size(), parents.size());
    for (std::size_t start = 0; start < parents.size(); ++start) {
        for (auto n = static_cast<int>(start); n >= 0; n = parents[static_cast<std::size_t>(n)]) {
            const auto at = static_cast<std::size_t>(n);
            if (climbedFrom[at] == start) {
                throw GltfError(NodeText(at) + " is its own ancestor: the hierarchy is recursive");
            }
            if (climbedFrom[at] < start) {
                break;
            }
            climbedFrom[at] = start;
        }
    }
}

}  // namespace

std::vector<int> ParentsOf(const tinygltf::Model& model) {
    const std::size_t count = model.nodes.size();
    std::vector<int> parents(count, -1);
    for (std::size_t i = 0; i < count; ++i) {
        for (const int child : model.nodes[i].children) {
            if (child < 0 || static_cast<std::size_t>(child) >= count) {
                throw GltfError(NodeText(i) + ": there is no child node " + std::to_string(child));
            }
            const auto c = static_cast<std::size_t>(child);
            if (c == i) {
                throw GltfError(NodeText(i) + " is its own child: the hierarchy is recursive");
            }
            if (parents[c] >= 0) {
                throw GltfError(NodeText(c) + " has two parents (" + NodeText(static_cast<std::size_t>(parents[c])) +
                                " and " + NodeText(i) + ")");
            }
            parents[c] = static_cast<int>(i);
        }
    }
    CheckNoLoops(parents);
    return parents;
}

std::vector<std::string> NodeNames(const tinygltf::Model& model) {
    std::set<std::string> taken;
    for (const tinygltf::Node& node : model.nodes) {
        taken.insert(node.name);
    }
    std::vector<std::string> names;
    for (std::size_t i = 0; i < model.nodes.size(); ++i) {
        std::string name = model.nodes[i].name;
        if (name.empty()) {
            name = "node" + std::to_string(i);
            for (int suffix = 1; taken.count(name) != 0; ++suffix) {
                name = "node" + std::to_string(i) + "_" + std::to_string(suffix);
            }
            taken.insert(name);
        }
        names.push_back(std::move(name));
    }
    return names;
}

TRS StaticTrs(const tinygltf::Node& node, int index) {
    TRS trs;
    trs.translation = Fixed<3>(node.translation, trs.translation, index, "translation");
    trs.rotation = Fixed<4>(node.rotation, trs.rotation, index, "rotation");
    trs.scale = Fixed<3>(node.scale, trs.scale, index, "scale");
    return trs;
}

Mat4 LocalMatrix(const tinygltf::Node& node, int index) {
    if (!node.matrix.empty()) {
        return Mat4{Fixed<16>(node.matrix, Mat4{}.m, index, "matrix")};
    }
    return TrsMatrix(StaticTrs(node, index));
}

std::vector<Mat4> WorldMatrices(const std::vector<Mat4>& locals, const std::vector<int>& parents) {
    std::vector<Mat4> world(locals.size());
    std::vector<bool> done(locals.size(), false);
    // Parents are validated acyclic, so climbing to a finished ancestor ends.
    for (std::size_t i = 0; i < locals.size(); ++i) {
        std::vector<std::size_t> chain;
        for (auto n = static_cast<int>(i); n >= 0 && !done[static_cast<std::size_t>(n)];
             n = parents[static_cast<std::size_t>(n)]) {
            chain.push_back(static_cast<std::size_t>(n));
        }
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            const int p = parents[*it];
            world[*it] = p < 0 ? locals[*it] : Multiply(world[static_cast<std::size_t>(p)], locals[*it]);
            done[*it] = true;
        }
    }
    return world;
}

}  // namespace tvx::gltf
