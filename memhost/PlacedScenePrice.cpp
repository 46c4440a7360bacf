#include "memhost/PlacedScenePrice.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "memhost/HostContext.h"
#include "memhost/MemNode.h"
#include "memhost/MemObjects.h"

namespace memhost {
namespace {

constexpr std::uint64_t kVertexBytes = 256;
constexpr std::uint64_t kFaceBytes = 128;
constexpr std::uint64_t kSampleBytes = 192;

struct Geometry {
    std::uint64_t vertices = 0;
    std::uint64_t faces = 0;
};

Geometry OwnGeometry(const MemEntity& object) {
    const MemMesh* mesh = nullptr;
    if (const auto* tri = dynamic_cast<const MemTriObject*>(&object)) {
        mesh = &tri->mesh();
    } else if (const auto* geometry = dynamic_cast<const MemGeometry*>(&object)) {
        mesh = &geometry->mesh();
    } else if (const auto* light = dynamic_cast<const MemLight*>(&object)) {
        mesh = light->convertible().get();
    } else if (const auto* camera = dynamic_cast<const MemCamera*>(&object)) {
        mesh = camera->convertible().get();
    }
    return mesh == nullptr ? Geometry{} : Geometry{mesh->vertices().size(), mesh->faceList().size()};
}

// Each object's geometry, a derived object's being its base's. Chains are
// followed once each (they are free of loops by the time a scene is read).
class GeometryOfObjects {
public:
    Geometry Of(const MemEntity* object) {
        std::vector<const MemEntity*> chain;
        Geometry found;
        while (object != nullptr) {
            if (const auto known = memo_.find(object); known != memo_.end()) {
                found = known->second;
                break;
            }
            chain.push_back(object);
            const auto* derived = dynamic_cast<const MemDerivedObject*>(object);
            if (derived == nullptr) {
                found = OwnGeometry(*object);
                break;
            }
            object = &derived->base();
        }
        for (const MemEntity* link : chain) {
            memo_[link] = found;
        }
        return found;
    }

private:
    std::unordered_map<const MemEntity*, Geometry> memo_;
};

}  // namespace

void TakePlacedScene(const HostContext& context, bool sampled, SceneBudget& budget) {
    GeometryOfObjects objects;
    Geometry placed;
    for (const auto& node : context.nodes) {
        const Geometry g = objects.Of(dynamic_cast<const MemEntity*>(node->GetObjectRef()));
        placed.vertices = SaturatingAdd(placed.vertices, g.vertices);
        placed.faces = SaturatingAdd(placed.faces, g.faces);
    }
    const std::string nodes = std::to_string(context.nodes.size()) + " nodes";
    budget.Take(SaturatingAdd(SaturatingProduct(placed.vertices, kVertexBytes),
                              SaturatingProduct(placed.faces, kFaceBytes)),
                "its " + nodes + " placing meshes of " + std::to_string(placed.vertices) + " vertices in all");
    if (!sampled) {
        return;
    }
    const hostapi::Interval range = context.animation.range;
    const int ticksPerFrame = context.animation.ticksPerFrame > 0 ? context.animation.ticksPerFrame : 1;
    const std::uint64_t frames =
        range.End() >= range.Start()
            ? static_cast<std::uint64_t>((static_cast<long long>(range.End()) - range.Start()) / ticksPerFrame) + 1
            : 1;
    budget.Take(SaturatingProduct(SaturatingProduct(context.nodes.size(), frames), kSampleBytes),
                "sampling its " + nodes + " at " + std::to_string(frames) + " frames each");
}

}  // namespace memhost
