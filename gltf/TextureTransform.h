// A bitmap's UV generator and glTF's KHR_texture_transform, one in terms
// of the other.
//
// Both are taken to sample the image at offset + R(angle) * scale * uv,
// scale first, about the origin, angle in radians. glTF's v runs down the
// image where the host's runs up (v = 1 - v' between them), so glTF's
// rotation matrix [cos sin; -sin cos], counter-clockwise on the image, is
// the host's [cos -sin; sin cos] at the same angle, and the offsets differ
// by where the flip takes the origin:
//   glTF u offset = host u - vScale * sin(angle)
//   glTF v offset = 1 - host v - vScale * cos(angle)
// An identity generator is an identity transform either way.
#pragma once

namespace tvx::gltf {

struct UvTransform {
    double uOffset = 0.0;
    double vOffset = 0.0;
    double uScale = 1.0;
    double vScale = 1.0;
    double angle = 0.0;
};

UvTransform GltfFromHost(const UvTransform& host);
UvTransform HostFromGltf(const UvTransform& gltf);

}  // namespace tvx::gltf
