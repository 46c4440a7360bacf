// What a host material or texture map is, told by its class id alone, and
// the casts that only such a test makes safe.
#pragma once

#include "hostapi/HostConstants.h"
#include "hostapi/Materials.h"

namespace tvx::exporter {

[[nodiscard]] inline bool IsStandard(hostapi::Mtl* material) {
    return material != nullptr && material->ClassID() == hostapi::Class_ID(hostapi::DMTL_CLASS_ID, 0);
}

[[nodiscard]] inline bool IsMultiSubObject(hostapi::Mtl* material) {
    return material != nullptr && material->ClassID() == hostapi::Class_ID(hostapi::MULTI_CLASS_ID, 0);
}

// Null unless the material is a standard one.
[[nodiscard]] inline hostapi::StdMat* AsStandard(hostapi::Mtl* material) {
    return IsStandard(material) ? static_cast<hostapi::StdMat*>(material) : nullptr;
}

// Null unless the map is a bitmap.
[[nodiscard]] inline hostapi::BitmapTex* AsBitmap(hostapi::Texmap* texture) {
    const bool bitmap = texture != nullptr && texture->ClassID() == hostapi::Class_ID(hostapi::BMTEX_CLASS_ID, 0);
    return bitmap ? static_cast<hostapi::BitmapTex*>(texture) : nullptr;
}

}  // namespace tvx::exporter
