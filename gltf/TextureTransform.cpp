#include "gltf/TextureTransform.h"

#include <cmath>

namespace tvx::gltf {

UvTransform GltfFromHost(const UvTransform& host) {
    UvTransform out = host;
    out.uOffset = host.uOffset - host.vScale * std::sin(host.angle);
    out.vOffset = 1.0 - host.vOffset - host.vScale * std::cos(host.angle);
    return out;
}

// The same relation solved for the host's offsets.
UvTransform HostFromGltf(const UvTransform& gltf) {
    UvTransform out = gltf;
    out.uOffset = gltf.uOffset + gltf.vScale * std::sin(gltf.angle);
    out.vOffset = 1.0 - gltf.vOffset - gltf.vScale * std::cos(gltf.angle);
    return out;
}

}  // namespace tvx::gltf
