#include "gltf/ReadBudget.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include <nlohmann/json.hpp>

namespace tvx::gltf {
namespace {

using Json = nlohmann::json;

// What tinygltf's parse holds per item of the text: the JSON tree's value
// and container, an object member (tree node and key), a value kept under
// extras or extensions, and a string beyond the size kept in place.
constexpr std::uint64_t kValueBytes = 16;
constexpr std::uint64_t kContainerBytes = 64;
constexpr std::uint64_t kMemberBytes = 80;
constexpr std::uint64_t kKeptValueBytes = 200;
constexpr std::size_t kShortString = 15;

// The struct tinygltf makes of each object in the list of that name.
std::uint64_t ObjectBytes(const std::string& list) {
    static const std::pair<const char*, std::uint64_t> kLists[] = {
        {"accessors", sizeof(tinygltf::Accessor)},
        {"animations", sizeof(tinygltf::Animation)},
        {"buffers", sizeof(tinygltf::Buffer)},
        {"bufferViews", sizeof(tinygltf::BufferView)},
        {"cameras", sizeof(tinygltf::Camera)},
        {"channels", sizeof(tinygltf::AnimationChannel)},
        {"images", sizeof(tinygltf::Image)},
        {"lights", sizeof(tinygltf::Light)},
        {"materials", sizeof(tinygltf::Material)},
        {"meshes", sizeof(tinygltf::Mesh)},
        {"nodes", sizeof(tinygltf::Node)},
        {"primitives", sizeof(tinygltf::Primitive)},
        {"samplers", std::max(sizeof(tinygltf::Sampler), sizeof(tinygltf::AnimationSampler))},
        {"scenes", sizeof(tinygltf::Scene)},
        {"skins", sizeof(tinygltf::Skin)},
        {"textures", sizeof(tinygltf::Texture)},
    };
    for (const auto& [name, bytes] : kLists) {
        if (list == name) {
            return bytes;
        }
    }
    return 0;
}

std::uint64_t StringBytes(const std::string& s) { return s.size() > kShortString ? 2 * s.size() : 0; }

class ModelPricer final : public nlohmann::json_sax<Json> {
public:
    std::uint64_t bytes = 0;
    bool tooDeep = false;

    bool null() override { return Value(); }
    bool boolean(bool) override { return Value(); }
    bool number_integer(number_integer_t) override { return Value(); }
    bool number_unsigned(number_unsigned_t) override { return Value(); }
    bool number_float(number_float_t, const string_t&) override { return Value(); }
    bool string(string_t& s) override {
        bytes += StringBytes(s);
        return Value();
    }
    bool binary(binary_t&) override { return Value(); }
    bool start_object(std::size_t) override { return Start(false); }
    bool start_array(std::size_t) override { return Start(true); }
    bool end_object() override { return End(); }
    bool end_array() override { return End(); }
    bool key(string_t& k) override {
        bytes += kMemberBytes + StringBytes(k) + (open_.back().kept ? kKeptValueBytes : 0);
        open_.back().key = k;
        return true;
    }
    // Text that is not JSON is left for tinygltf to describe.
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }

private:
    struct Open {
        bool array = false;
        bool kept = false;                 // under extras or extensions
        std::uint64_t elementBytes = 0;    // an array's typed objects
        std::string key;                   // an object's latest key
    };

    bool Value() {
        bytes += kValueBytes + (!open_.empty() && open_.back().kept ? kKeptValueBytes : 0);
        return true;
    }
    bool Start(bool array) {
        if (open_.size() >= static_cast<std::size_t>(kMaxJsonNesting)) {
            tooDeep = true;
            return false;
        }
        Value();
        bytes += kContainerBytes;
        Open next{array, false, 0, {}};
        if (!open_.empty()) {
            const Open& parent = open_.back();
            next.kept = parent.kept || (!parent.array && (parent.key == "extras" || parent.key == "extensions"));
            if (parent.array && !array) {
                bytes += parent.elementBytes;
            }
            if (array && !next.kept && !parent.array) {
                next.elementBytes = ObjectBytes(parent.key);
            }
        }
        open_.push_back(std::move(next));
        return true;
    }
    bool End() {
        open_.pop_back();
        return true;
    }

    std::vector<Open> open_;
};

using memhost::SaturatingAdd;
using memhost::SaturatingProduct;

// What building the host's part of each item took, measured through to the
// exporter's document (docs/performance.md).
constexpr std::uint64_t kNodeBytes = 4096;
constexpr std::uint64_t kInstanceBytes = 6144;
constexpr std::uint64_t kVertexBytes = 400;
constexpr std::uint64_t kIndexBytes = 200;
constexpr std::uint64_t kKeyBytes = 512;

std::uint64_t AccessorCount(const tinygltf::Model& model, int accessor) {
    return accessor >= 0 && static_cast<std::size_t>(accessor) < model.accessors.size()
               ? model.accessors[static_cast<std::size_t>(accessor)].count
               : 0;
}

}  // namespace

void CheckModelCost(std::string_view json) {
    ModelPricer pricer;
    (void)Json::sax_parse(json, &pricer);
    if (pricer.tooDeep) {
        throw GltfError("its JSON is nested deeper than " + std::to_string(kMaxJsonNesting) + " levels");
    }
    const std::uint64_t limit = SaturatingAdd(SaturatingProduct(json.size(), kModelBytesPerTextByte), kModelAllowance);
    if (pricer.bytes > limit) {
        throw GltfError("its JSON would take " + memhost::MiBText(pricer.bytes) +
                        " to hold as read, more than its size allows (" + std::to_string(kModelBytesPerTextByte) +
                        " bytes per byte, plus " + memhost::MiBText(kModelAllowance) + ")");
    }
}

std::string_view GlbJsonChunk(std::string_view file) {
    constexpr std::size_t kHeader = 12;
    constexpr std::size_t kChunkHeader = 8;
    if (file.size() < kHeader + kChunkHeader || file.compare(kHeader + 4, 4, "JSON") != 0) {
        return {};
    }
    std::uint32_t length = 0;
    std::memcpy(&length, file.data() + kHeader, sizeof length);  // little-endian, as the hosts are
    return length <= file.size() - kHeader - kChunkHeader ? file.substr(kHeader + kChunkHeader, length)
                                                          : std::string_view{};
}

std::uint64_t BufferBytes(const tinygltf::Model& model) {
    std::uint64_t bytes = 0;
    for (const tinygltf::Buffer& buffer : model.buffers) {
        bytes += buffer.data.size();
    }
    return bytes;
}

void TakeMeshInstances(const tinygltf::Model& model, memhost::SceneBudget& budget) {
    std::uint64_t vertices = 0;
    std::uint64_t indices = 0;
    std::uint64_t instances = 0;
    for (const tinygltf::Node& node : model.nodes) {
        if (node.mesh < 0 || static_cast<std::size_t>(node.mesh) >= model.meshes.size()) {
            continue;
        }
        ++instances;
        for (const tinygltf::Primitive& primitive : model.meshes[static_cast<std::size_t>(node.mesh)].primitives) {
            const auto position = primitive.attributes.find("POSITION");
            const std::uint64_t count =
                position == primitive.attributes.end() ? 0 : AccessorCount(model, position->second);
            vertices = SaturatingAdd(vertices, count);
            indices = SaturatingAdd(indices, primitive.indices >= 0 ? AccessorCount(model, primitive.indices) : count);
        }
    }
    std::uint64_t bytes = SaturatingProduct(model.nodes.size(), kNodeBytes);
    bytes = SaturatingAdd(bytes, SaturatingProduct(instances, kInstanceBytes));
    bytes = SaturatingAdd(bytes, SaturatingProduct(vertices, kVertexBytes));
    bytes = SaturatingAdd(bytes, SaturatingProduct(indices, kIndexBytes));
    budget.Take(bytes, std::to_string(model.nodes.size()) + " nodes placing " + std::to_string(instances) +
                           " meshes of " + std::to_string(vertices) + " vertices in all");
}

void TakeSampledKeys(std::size_t channels, std::size_t ticks, memhost::SceneBudget& budget) {
    budget.Take(SaturatingProduct(SaturatingProduct(channels, ticks), kKeyBytes),
                "sampling " + std::to_string(channels) + " animation channels at " + std::to_string(ticks) +
                    " frames each");
}

}  // namespace tvx::gltf
