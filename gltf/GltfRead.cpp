#include "gltf/GltfRead.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <fstream>
#include <limits>
#include <new>
#include <set>

#include <tiny_gltf.h>

#include "gltf/Animation.h"
#include "gltf/EmbeddedImages.h"
#include "gltf/GltfError.h"
#include "gltf/HostAxes.h"
#include "gltf/HostScene.h"
#include "gltf/LightsCameras.h"
#include "gltf/Materials.h"
#include "gltf/MeshConvert.h"
#include "gltf/Nodes.h"
#include "gltf/ReadBudget.h"
#include "gltf/SkinConvert.h"

namespace tvx::gltf {

namespace {

// Images are only named by the host scene, never decoded: a hostile image
// then cannot reach a decoder at all. A data: URI's bytes exist only here.
bool KeepImageUndecoded(tinygltf::Image* image, const int index, std::string*, std::string*, int, int,
                        const unsigned char* bytes, int size, void* images) {
    if (image->uri.empty() && image->bufferView < 0 && size > 0) {
        static_cast<EmbeddedImages*>(images)->KeepDecoded(index, bytes, static_cast<std::size_t>(size));
    }
    return true;
}

// A file read from memory reaches no other file: its buffers and images
// must be inside it.
bool NoFile(const std::string&, void*) { return false; }
std::string SamePath(const std::string& path, void*) { return path; }
bool ReadNoFile(std::vector<unsigned char>*, std::string*, const std::string&, void*) { return false; }
bool WriteNoFile(std::string*, const std::string&, const std::vector<unsigned char>&, void*) { return false; }

// A file to read: its bytes, and where its buffers and images are found
// (beside it, or, for a file read from memory, nowhere).
struct Source {
    std::string name;  // for messages
    std::span<const unsigned char> bytes;
    bool binary = false;
    std::optional<std::filesystem::path> folder;
};

tinygltf::Model Load(const Source& source, HostScene& scene) {
    const std::string_view text(reinterpret_cast<const char*>(source.bytes.data()), source.bytes.size());
    CheckModelCost(source.binary ? GlbJsonChunk(text) : text);
    tinygltf::TinyGLTF loader;
    loader.SetImageLoader(KeepImageUndecoded, &scene.images);
    if (!source.folder) {
        loader.SetFsCallbacks({NoFile, SamePath, ReadNoFile, WriteNoFile, nullptr});
    }
    const std::string folder = source.folder ? source.folder->string() : std::string();
    const auto length = static_cast<unsigned int>(source.bytes.size());
    tinygltf::Model model;
    std::string err;
    std::string warn;
    const bool loaded = source.binary
                            ? loader.LoadBinaryFromMemory(&model, &err, &warn, source.bytes.data(), length, folder)
                            : loader.LoadASCIIFromString(&model, &err, &warn, text.data(), length, folder);
    if (!loaded) {
        // tinygltf reports any exception of its JSON parse by its text, so
        // memory running out would read as a fault of the file.
        if (err == std::bad_alloc().what()) {
            throw std::bad_alloc();
        }
        throw GltfError(source.name + ": " + (err.empty() ? "cannot be read as glTF" : err));
    }
    if (!warn.empty()) {
        scene.Warn(warn);
    }
    return model;
}

// What this reader understands of the extensions a file may require.
constexpr const char* kReadExtensions[] = {"KHR_texture_transform", "KHR_lights_punctual"};

// glTF 1.0 lays out its nodes, meshes and materials differently (as
// objects, not arrays): read as 2.0 it gave an empty scene that exported
// with success. A file that requires an extension this reader does not
// know would lose what the extension holds.
void RequireReadable(const tinygltf::Model& model) {
    const std::string& version = model.asset.version;
    if (version.rfind("2.", 0) != 0) {
        throw GltfError("glTF " + version + " is not read; only glTF 2.0 is");
    }
    if (!model.asset.minVersion.empty() && model.asset.minVersion != "2.0") {
        throw GltfError("the file needs a reader of glTF " + model.asset.minVersion + "; this one reads 2.0");
    }
    for (const std::string& required : model.extensionsRequired) {
        if (std::find(std::begin(kReadExtensions), std::end(kReadExtensions), required) == std::end(kReadExtensions)) {
            throw GltfError("the file requires the extension " + required + ", which is not read");
        }
    }
}

struct Conversion {
    const tinygltf::Model& model;
    HostScene& scene;
    MaterialMaker materials;
    std::vector<int> parents;
    std::vector<Frames> frames;
    std::vector<Mat4> worldAtTimeZero;
    SampledAnimation animation;
    std::set<int> joints;
};

std::vector<Frames> FramesOf(const tinygltf::Model& model, const std::vector<int>& parents) {
    std::vector<bool> views;
    for (const tinygltf::Node& node : model.nodes) {
        views.push_back(IsView(model, node));
    }
    std::vector<Frames> frames;
    for (std::size_t i = 0; i < model.nodes.size(); ++i) {
        frames.push_back({parents[i] >= 0 && views[static_cast<std::size_t>(parents[i])], views[i]});
    }
    return frames;
}

SampledAnimation Sample(const tinygltf::Model& model, const ReadOptions& options, const std::vector<Frames>& frames,
                        HostScene& scene, memhost::SceneBudget& budget) {
    if (model.animations.empty() && options.animation == 0) {
        return {};
    }
    std::vector<TRS> statics;
    for (std::size_t i = 0; i < model.nodes.size(); ++i) {
        statics.push_back(StaticTrs(model.nodes[i], static_cast<int>(i)));
    }
    return SampleAnimation(model, options.animation, statics, frames, scene, budget);
}

std::vector<Mat4> WorldAtTimeZero(const tinygltf::Model& model, const std::vector<int>& parents,
                                  const SampledAnimation& animation) {
    std::vector<Mat4> locals;
    for (std::size_t i = 0; i < model.nodes.size(); ++i) {
        const auto it = animation.atTimeZero.find(static_cast<int>(i));
        locals.push_back(it == animation.atTimeZero.end() ? LocalMatrix(model.nodes[i], static_cast<int>(i))
                                                          : TrsMatrix(it->second));
    }
    return WorldMatrices(locals, parents);
}

bool IsSkinnedMesh(const tinygltf::Node& node) { return node.mesh >= 0 && node.skin >= 0; }

// glTF places a skinned mesh by its joints alone; at bind time that is the
// mesh's own space, so the node's world transform is kept at identity.
Mat4 SkinnedMeshLocal(const Conversion& c, int parent) {
    return parent < 0 ? Mat4{} : InverseAffine(c.worldAtTimeZero[static_cast<std::size_t>(parent)]);
}

void AddMesh(Conversion& c, const tinygltf::Node& node, const std::string& name, Json& out) {
    const tinygltf::Skin* skin = node.skin >= 0 ? &CheckedSkin(c.model, node.skin) : nullptr;
    ConvertedMesh mesh = ConvertMesh(c.model, node.mesh, skin, c.worldAtTimeZero, c.scene);
    int object = HostScene::Add(c.scene.objects, mesh.object);
    if (skin != nullptr) {
        object = AddSkinnedObject(*skin, object, mesh.skinWeights, c.scene);
        c.joints.insert(skin->joints.begin(), skin->joints.end());
    }
    ++c.scene.summary.meshes;
    c.scene.summary.triangles += mesh.triangles;
    out["object"] = object;
    out["material"] = c.materials.MultiFor(mesh.slotMaterial, name);
}

void AddView(Conversion& c, const tinygltf::Node& node, Json& out) {
    std::optional<Json> object = LightObject(c.model, node);
    if (!object && node.camera >= 0) {
        object = CameraObject(c.model, node.camera, c.scene);
    }
    if (object) {
        out["object"] = HostScene::Add(c.scene.objects, *object);
    } else {
        // A node that only places others (a joint, a group) is a dummy in
        // the host, so that an exporter sees it as a node of the skeleton.
        out["object"] = HostScene::Add(c.scene.objects, Json{{"kind", "helper"}});
    }
}

Json NodeJson(Conversion& c, std::size_t i, const std::string& name) {
    const tinygltf::Node& node = c.model.nodes[i];
    const int parent = c.parents[i];
    Json out = {{"name", name}, {"parent", parent < 0 ? Json(nullptr) : Json(parent)}};
    const Mat4 local = IsSkinnedMesh(node) ? SkinnedMeshLocal(c, parent) : LocalMatrix(node, static_cast<int>(i));
    if (node.mesh >= 0) {
        AddMesh(c, node, name, out);
    } else {
        AddView(c, node, out);
    }
    out["transform"] = {{"local", HostRows(HostLocal(local, c.frames[i]))}};
    const auto animated = c.animation.controllers.find(static_cast<int>(i));
    if (animated != c.animation.controllers.end() && !IsSkinnedMesh(node)) {
        out["controllers"] = animated->second;
    }
    return out;
}

Json Convert(const tinygltf::Model& model, const ReadOptions& options, HostScene& scene, memhost::SceneBudget& budget) {
    TakeMeshInstances(model, budget);
    Conversion c{model, scene, MaterialMaker(model, scene), ParentsOf(model), {}, {}, {}, {}};
    c.frames = FramesOf(model, c.parents);
    c.animation = Sample(model, options, c.frames, scene, budget);
    c.worldAtTimeZero = WorldAtTimeZero(model, c.parents, c.animation);
    const std::vector<std::string> names = NodeNames(model);
    for (std::size_t i = 0; i < model.nodes.size(); ++i) {
        try {
            HostScene::Add(scene.nodes, NodeJson(c, i, names[i]));
        } catch (const GltfError& e) {
            // Say where: the node, and through it its mesh, skin and material.
            throw GltfError("node " + std::to_string(i) + " (\"" + names[i] + "\"): " + e.what());
        }
    }
    for (const int joint : c.joints) {
        scene.nodes[static_cast<std::size_t>(joint)]["boneOn"] = true;
    }
    scene.summary.nodes = static_cast<int>(model.nodes.size());
    scene.summary.bones = static_cast<int>(c.joints.size());
    scene.summary.keys = c.animation.keys;
    Json out = {{"animation", {{"frameRate", kFrameRate}, {"ticksPerFrame", kTicksPerFrame}}}};
    if (!model.animations.empty()) {
        out["animation"]["range"] = {0, c.animation.endTicks};
    }
    out["nodes"] = std::move(scene.nodes);
    out["objects"] = std::move(scene.objects);
    out["modifiers"] = std::move(scene.modifiers);
    out["materials"] = std::move(scene.materials);
    out["texmaps"] = std::move(scene.texmaps);
    return out;
}

}  // namespace

namespace {

// The message itself may find no memory; the short text then needs none.
void SayOutOfMemory(const std::string& name, std::string& error) noexcept {
    try {
        error = name + ": out of memory";
    } catch (const std::bad_alloc&) {
        error = "out of memory";
    }
}

std::optional<ReadResult> Read(const Source& source, const ReadOptions& options, ReadSummary& summary,
                               std::string& error) {
    summary = ReadSummary{};
    const std::string stem = std::filesystem::path(source.name).stem().string();
    HostScene scene(summary, EmbeddedImages(options.imageFolder, stem));
    try {
        if (source.bytes.size() > std::numeric_limits<unsigned int>::max()) {
            throw GltfError(source.name + ": too large to be read");
        }
        const tinygltf::Model model = Load(source, scene);
        RequireReadable(model);
        memhost::SceneBudget budget(source.bytes.size() + BufferBytes(model), options.maxSceneBytes);
        ReadResult result;
        Json converted = Convert(model, options, scene, budget);
        result.scene = {{"format", "tvx-host-scene"}, {"version", 1}, {"scene", std::move(converted)}};
        result.images = scene.images.Take();
        return result;
    } catch (const memhost::OverBudget& e) {
        error = e.what();
        summary = ReadSummary{};
        summary.overBudget = true;
        return std::nullopt;
    } catch (const GltfError& e) {
        error = e.what();
    } catch (const std::bad_alloc&) {
        SayOutOfMemory(source.name, error);
    } catch (const std::exception& e) {
        error = source.name + ": " + e.what();
    }
    summary = ReadSummary{};
    return std::nullopt;
}

std::optional<ReadResult> ReadFile(const std::filesystem::path& file, const ReadOptions& options,
                                   ReadSummary& summary, std::string& error) {
    std::ifstream in(file, std::ios::binary);
    std::vector<unsigned char> bytes;
    if (in) {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (!in && !in.eof()) {
        summary = ReadSummary{};
        error = file.filename().string() + ": cannot be read";
        return std::nullopt;
    }
    const bool binary = file.extension() == ".glb" || file.extension() == ".GLB";
    return Read({file.filename().string(), bytes, binary, file.parent_path()}, options, summary, error);
}

std::optional<ReadResult> ReadBytes(std::span<const unsigned char> bytes, const std::string& name,
                                    const ReadOptions& options, ReadSummary& summary, std::string& error) {
    const bool binary = bytes.size() >= 4 && std::memcmp(bytes.data(), "glTF", 4) == 0;
    return Read({name, bytes, binary, std::nullopt}, options, summary, error);
}

// Read, and the names it is given, with running out of memory while the
// names are made told like running out inside it.
template <class Start>
std::optional<ReadResult> Guarded(ReadSummary& summary, std::string& error, Start start) {
    try {
        return start();
    } catch (const std::bad_alloc&) {
        summary = ReadSummary{};
        error = "out of memory";
        return std::nullopt;
    }
}

}  // namespace

std::optional<ReadResult> ReadGltfAsHostScene(const std::filesystem::path& file, const ReadOptions& options,
                                              ReadSummary& summary, std::string& error) {
    return Guarded(summary, error, [&] { return ReadFile(file, options, summary, error); });
}

std::optional<ReadResult> ReadGltfBytesAsHostScene(std::span<const unsigned char> bytes, const std::string& name,
                                                   const ReadOptions& options, ReadSummary& summary,
                                                   std::string& error) {
    return Guarded(summary, error, [&] { return ReadBytes(bytes, name, options, summary, error); });
}

}  // namespace tvx::gltf
