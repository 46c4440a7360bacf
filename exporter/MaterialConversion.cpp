#include "exporter/MaterialConversion.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <string>

#include "document/MaterialMaps.h"
#include "exporter/ExportRefusal.h"
#include "exporter/HostMaterialClasses.h"
#include "exporter/MapConversion.h"

namespace tvx::exporter {
namespace {

constexpr float kStoredShininessScale = 128.0f;
constexpr RGBA kOpaqueBlack{0.0f, 0.0f, 0.0f, 1.0f};
constexpr RGBA kWhite{1.0f, 1.0f, 1.0f, 1.0f};

bool IsExportedSubMaterial(hostapi::Mtl* sub) { return IsStandard(sub) || IsMultiSubObject(sub); }

TVXString NameOf(hostapi::MtlBase& material) {
    const char* name = material.GetName();
    return TVXString::FromNarrow(name != nullptr ? name : "");
}

RGBA Opaque(const hostapi::Color& c) { return {c.r, c.g, c.b, 1.0f}; }

// A colour has no range the file keeps it in (shininess and opacity do, and
// are brought into theirs), so one that no reader could use is refused
// rather than replaced by a colour the user never chose.
RGBA Checked(const hostapi::Color& c, const std::string& where, const char* what) {
    RequireExportable(c, where, what);
    return Opaque(c);
}

// The host's 0 (dull) is stored as 128. A NaN, which clamping would keep,
// is taken as that: it is also where an exported material starts.
float StoredShininess(float host) {
    if (std::isnan(host)) {
        return kStoredShininessScale;
    }
    return std::clamp((1.0f - host) * kStoredShininessScale, 0.0f, kStoredShininessScale);
}

// A NaN is taken as opaque: a material the importer made invisible would hide
// every face it is on.
float StoredOpacity(float host) { return std::isnan(host) ? 1.0f : std::clamp(host, 0.0f, 1.0f); }

// A bitmap in the diffuse slot shows its image as it is, untinted.
RGBA DiffuseColor(hostapi::StdMat& source, const std::string& where) {
    return AsBitmap(source.GetSubTexmap(hostapi::ID_DI)) != nullptr
               ? kWhite
               : Checked(source.GetDiffuse(0), where, "the diffuse colour");
}

int ConvertStandard(hostapi::StdMat& source, TVXMaterial& material) {
    material.name = NameOf(source);
    if (source.GetTwoSided()) {
        material.flags |= kMaterialFlagTwoSided;
    }
    const std::string where = MaterialText(source);
    material.colors[kColorDiffuse] = DiffuseColor(source, where);
    material.colors[kColorAmbient] = Checked(source.GetAmbient(0), where, "the ambient colour");
    material.colors[kColorSlot3] = kOpaqueBlack;
    material.colors[kColorSpecular] = Checked(source.GetSpecular(0), where, "the specular colour");
    material.colors[kColorSlot5] = kOpaqueBlack;
    material.shininess = StoredShininess(source.GetShininess(0));
    material.opacity = StoredOpacity(source.GetOpacity(0));
    return ConvertMaps(source, material);
}

bool Append(std::vector<TVXMaterial>& materials, TVXMaterial&& material) {
    try {
        materials.push_back(std::move(material));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool AppendStandard(hostapi::StdMat& source, std::vector<TVXMaterial>& materials) {
    TVXMaterial material = MakeExportMaterial();
    return ConvertStandard(source, material) && Append(materials, std::move(material));
}

// Keeps the faces that name it on their own material. Apart from the name it
// is as an exported material starts (opaque, shininess 128), not zeroed: an
// opacity of 0 would make the importer hide those faces.
bool AppendNameOnly(hostapi::Mtl& nested, std::vector<TVXMaterial>& materials) {
    TVXMaterial material = MakeExportMaterial();
    material.name = NameOf(nested);
    return Append(materials, std::move(material));
}

bool AppendSubMaterial(hostapi::Mtl* sub, std::vector<TVXMaterial>& materials) {
    if (hostapi::StdMat* standard = AsStandard(sub)) {
        return AppendStandard(*standard, materials);
    }
    if (IsMultiSubObject(sub)) {
        return AppendNameOnly(*sub, materials);
    }
    return true;
}

bool AppendMaterialsOf(hostapi::Mtl* material, std::vector<TVXMaterial>& materials) {
    if (hostapi::StdMat* standard = AsStandard(material)) {
        return AppendStandard(*standard, materials);
    }
    if (!IsMultiSubObject(material)) {
        return true;
    }
    for (int i = 0; i < material->NumSubMtls(); ++i) {
        if (!AppendSubMaterial(material->GetSubMtl(i), materials)) {
            return false;
        }
    }
    return true;
}

}  // namespace

int CountedMaterials(hostapi::Mtl* material) {
    if (IsStandard(material)) {
        return 1;
    }
    if (!IsMultiSubObject(material)) {
        return 0;
    }
    int counted = 0;
    for (int i = 0; i < material->NumSubMtls(); ++i) {
        counted += IsExportedSubMaterial(material->GetSubMtl(i)) ? 1 : 0;
    }
    return counted;
}

int ConvertMaterials(const std::vector<hostapi::INode*>& meshNodes, TVXScene& scene) {
    for (hostapi::INode* node : meshNodes) {
        if (!AppendMaterialsOf(node->GetMtl(), scene.materials)) {
            return 0;
        }
    }
    return 1;
}

PolygonMaterialIndices::PolygonMaterialIndices(hostapi::Mtl* nodeMaterial, int base, int total)
    : base_(base), total_(total), counted_(IsStandard(nodeMaterial) ? 1 : 0) {
    if (!IsMultiSubObject(nodeMaterial)) {
        return;
    }
    const int slots = std::max(nodeMaterial->NumSubMtls(), 0);
    slotOffsets_.assign(static_cast<std::size_t>(slots), -1);
    for (int i = 0; i < slots; ++i) {
        if (IsExportedSubMaterial(nodeMaterial->GetSubMtl(i))) {
            slotOffsets_[static_cast<std::size_t>(i)] = counted_++;
        }
    }
}

int PolygonMaterialIndices::ForFace(int faceMaterialId) const {
    if (counted_ == 0 || base_ < 0 || base_ >= total_) {
        return -1;
    }
    const int offset = OffsetOf(faceMaterialId);
    return offset < total_ - base_ ? base_ + offset : -1;
}

int PolygonMaterialIndices::OffsetOf(int faceMaterialId) const {
    if (faceMaterialId < 0 || slotOffsets_.empty()) {
        return 0;
    }
    // The host shows an id past the slots with the slot it wraps round to.
    const auto slot = static_cast<std::size_t>(faceMaterialId) % slotOffsets_.size();
    return std::max(slotOffsets_[slot], 0);
}

}  // namespace tvx::exporter
