#include "gltf/GltfWrite.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "gltf/AnimationWrite.h"
#include "gltf/GltfScene.h"
#include "gltf/MaterialWrite.h"
#include "gltf/MeshWrite.h"
#include "gltf/SkinWrite.h"
#include "gltf/ViewWrite.h"

namespace tvx::gltf {
namespace {

std::string LowerExtension(const std::filesystem::path& file) {
    std::string ext = file.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

void CollectNodes(GltfScene& scene) {
    for (const auto& node : scene.host.nodes()) {
        if (node->inScene()) {
            scene.indexOf[node.get()] = static_cast<int>(scene.nodes.size());
            scene.nodes.push_back(node.get());
            scene.isView.push_back(ShowsView(*node));
        }
    }
    for (memhost::MemNode* node : scene.nodes) {
        memhost::MemNode* parent = node->parent();
        while (parent != nullptr && scene.IndexOf(parent) < 0) {
            parent = parent->parent();
        }
        scene.parentOf.push_back(scene.IndexOf(parent));
    }
}

void PlaceNode(GltfScene& scene, int i, tinygltf::Node& out) {
    const Mat4 local = scene.LocalAt(i, 0);
    const TRS trs = Decompose(local);
    if (!trs.exact && !scene.nodes[static_cast<std::size_t>(i)]->tmController().animated()) {
        out.matrix.assign(local.m.begin(), local.m.end());
        return;
    }
    out.translation.assign(trs.translation.begin(), trs.translation.end());
    out.rotation.assign(trs.rotation.begin(), trs.rotation.end());
    out.scale.assign(trs.scale.begin(), trs.scale.end());
}

void WriteNodes(GltfScene& scene) {
    scene.model.nodes.resize(scene.nodes.size());
    tinygltf::Scene root;
    for (std::size_t i = 0; i < scene.nodes.size(); ++i) {
        tinygltf::Node& node = scene.model.nodes[i];
        node.name = scene.nodes[i]->name();
        PlaceNode(scene, static_cast<int>(i), node);
        const int parent = scene.parentOf[i];
        if (parent < 0) {
            root.nodes.push_back(static_cast<int>(i));
        } else {
            scene.model.nodes[static_cast<std::size_t>(parent)].children.push_back(static_cast<int>(i));
        }
    }
    scene.model.scenes.push_back(root);
    scene.model.defaultScene = 0;
}

void WriteMeshes(GltfScene& scene, const std::filesystem::path& folder, bool embedImages, WriteSummary& summary) {
    MaterialWriter materials(scene, folder, embedImages);
    std::set<int> joints;
    for (std::size_t i = 0; i < scene.nodes.size(); ++i) {
        HostMesh host;
        TakeMesh(*scene.nodes[i], host);
        if (host.mesh == nullptr) {
            continue;
        }
        VertexWeights weights;
        const int skin = WriteSkin(scene, static_cast<int>(i), std::max(host.mesh->getNumVerts(), 0), weights);
        const int mesh = WriteMesh(scene, *scene.nodes[i], *host.mesh, materials.ForNode(*scene.nodes[i]), weights,
                                   summary.triangles);
        tinygltf::Node& node = scene.model.nodes[i];
        node.mesh = mesh;
        if (mesh >= 0 && skin >= 0) {
            node.skin = skin;
            const auto& list = scene.model.skins[static_cast<std::size_t>(skin)].joints;
            joints.insert(list.begin(), list.end());
        }
    }
    summary.meshes = static_cast<int>(scene.model.meshes.size());
    summary.materials = static_cast<int>(scene.model.materials.size());
    summary.bones = static_cast<int>(joints.size());
}

int RootOf(const GltfScene& scene, int node) {
    while (scene.parentOf[static_cast<std::size_t>(node)] >= 0) {
        node = scene.parentOf[static_cast<std::size_t>(node)];
    }
    return node;
}

// glTF wants a skin's joints in one tree. The host's bones may stand in
// several (the importer binds every unskinned part to its own node); then
// one node, placing nothing, holds all the scene's roots.
void GiveJointsOneRoot(GltfScene& scene) {
    const bool separate = std::any_of(scene.model.skins.begin(), scene.model.skins.end(), [&](const tinygltf::Skin& skin) {
        return std::any_of(skin.joints.begin(), skin.joints.end(),
                           [&](int joint) { return RootOf(scene, joint) != RootOf(scene, skin.joints.front()); });
    });
    if (!separate) {
        return;
    }
    tinygltf::Node root;
    root.name = "Scene";
    root.children = scene.model.scenes[0].nodes;
    scene.model.nodes.push_back(root);
    scene.model.scenes[0].nodes = {static_cast<int>(scene.model.nodes.size() - 1)};
}

// The file and, for ".gltf", the buffer beside it.
void RemoveOutput(const tinygltf::Model& model, const std::filesystem::path& file, bool binary) {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    if (!binary && !model.buffers.empty()) {
        std::filesystem::remove(file.parent_path() / model.buffers[0].uri, ignored);
    }
}

// Nothing of the output stays when writing fails, also when it fails by
// running out of memory.
bool Save(const tinygltf::Model& model, const std::filesystem::path& file, std::string& error) {
    tinygltf::TinyGLTF writer;
    // Images stay where they are, referred to by their URIs.
    writer.SetImageWriter(nullptr, nullptr);
    const bool binary = LowerExtension(file) == ".glb";
    try {
        if (writer.WriteGltfSceneToFile(&model, file.string(), false, binary, true, binary)) {
            return true;
        }
        error = "cannot write " + file.string();
    } catch (...) {
        RemoveOutput(model, file, binary);
        throw;
    }
    RemoveOutput(model, file, binary);
    return false;
}

}  // namespace

bool IsGltfPath(const std::filesystem::path& file) {
    const std::string ext = LowerExtension(file);
    return ext == ".gltf" || ext == ".glb";
}

bool WriteGltf(memhost::MemHost& host, const std::filesystem::path& file, const WriteOptions& options,
               WriteSummary& summary, std::string& error) {
    tinygltf::Model model;
    model.asset.version = "2.0";
    model.asset.generator = "tvx";
    GltfScene scene(host, model);
    CollectNodes(scene);
    WriteNodes(scene);
    const std::filesystem::path folder = std::filesystem::absolute(file).parent_path();
    const bool embed = options.embedImages && LowerExtension(file) == ".glb";
    if (options.embedImages && !embed) {
        scene.Warn("images are embedded in .glb files only; this file refers to them");
    }
    WriteMeshes(scene, folder, embed, summary);
    for (std::size_t i = 0; i < scene.nodes.size(); ++i) {
        if (scene.isView[i]) {
            WriteView(scene, static_cast<int>(i));
        }
    }
    summary.keys = WriteAnimation(scene);
    GiveJointsOneRoot(scene);
    summary.nodes = static_cast<int>(model.nodes.size());
    summary.warnings = scene.warnings;
    if (LowerExtension(file) == ".gltf") {
        model.buffers[0].uri = file.stem().string() + ".bin";
    }
    if (model.buffers[0].data.empty()) {
        model.buffers.clear();
    } else {
        model.buffers[0].data.resize((model.buffers[0].data.size() + 3) & ~std::size_t{3});
    }
    return Save(model, file, error);
}

}  // namespace tvx::gltf
