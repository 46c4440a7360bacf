// The document's lights and cameras from the host's light and camera nodes.
#pragma once

#include <vector>

#include "document/TVXScene.h"
#include "hostapi/Nodes.h"

namespace tvx::exporter {

// The stored light type for a host light state's type: omni 0, spot 2,
// directional 1, ambient 3, anything else 0.
[[nodiscard]] int StoredLightType(int hostType);

// A view's transform from the node's world transform at time 0: position,
// rotation and scale decomposed from it; the matrix its axes made
// orthonormal around the view axis, with z turned round as the file stores
// views (a look-at frame when the axes hold no up).
[[nodiscard]] TVXTransform ViewTransform(hostapi::INode& node);

// 0 when memory runs out. Nodes whose object is no light (or camera) keep
// the record's defaults apart from name and transform.
[[nodiscard]] int ConvertLights(const std::vector<hostapi::INode*>& nodes, TVXScene& scene);
[[nodiscard]] int ConvertCameras(const std::vector<hostapi::INode*>& nodes, TVXScene& scene);

}  // namespace tvx::exporter
