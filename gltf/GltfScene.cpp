#include "gltf/GltfScene.h"

#include <algorithm>

namespace tvx::gltf {

Mat4 GltfScene::WorldAt(int i, hostapi::TimeValue t) const {
    const auto at = static_cast<std::size_t>(i);
    if (isView[at]) {
        // A view looks down its object's -z: the object offset turns it
        // within its node.
        return Multiply(AxisChange(), FromHost(nodes[at]->objectOffset() * nodes[at]->WorldAt(t)));
    }
    return Multiply(Multiply(AxisChange(), FromHost(nodes[at]->WorldAt(t))), AxisChangeBack());
}

Mat4 GltfScene::LocalAt(int i, hostapi::TimeValue t) const {
    const int parent = parentOf[static_cast<std::size_t>(i)];
    const Mat4 world = WorldAt(i, t);
    return parent < 0 ? world : Multiply(InverseAffine(WorldAt(parent, t)), world);
}

void GltfScene::Warn(std::string text) {
    if (std::find(warnings.begin(), warnings.end(), text) == warnings.end()) {
        warnings.push_back(std::move(text));
    }
}

}  // namespace tvx::gltf
