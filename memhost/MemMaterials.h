// Materials and texture maps of the stand-in host, and its material
// editor.
//
// A texture map or material that a plug-in puts somewhere (a map slot, a
// sub-material, the active viewport map, an editor slot) is referred to,
// not copied; only the host's own objects are accepted there.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "hostapi/HostConstants.h"
#include "hostapi/Materials.h"
#include "memhost/HostContext.h"

namespace memhost {

// Name and flags, which every material and texture map has.
template <class Base>
class MemMtlBase : public MemAnimatable<Base> {
public:
    void SetName(const hostapi::MCHAR* name) override;
    void SetMtlFlag(int mask, hostapi::BOOL val) override {
        flags_ = val ? (flags_ | mask) : (flags_ & ~mask);
    }

    const std::string& name() const { return name_; }
    int mtlFlags() const { return flags_; }

protected:
    MemMtlBase(HostContext& context, int id) : MemAnimatable<Base>(context, id) {}

    // The host's texture map behind m; null for null or a foreign map (which
    // is also reported as a host error naming call).
    MemEntity* TexmapOf(hostapi::Texmap* m, const char* call);

private:
    std::string name_;
    int flags_ = 0;
};

class MemStdMat final : public MemMtlBase<hostapi::StdMat> {
public:
    struct MapSlot {
        MemEntity* texmap = nullptr;
        float amount = 1.0f;
        bool enabled = false;
    };

    MemStdMat(HostContext& context, int id) : MemMtlBase(context, id) {}

    hostapi::Class_ID ClassID() override { return hostapi::Class_ID(hostapi::DMTL_CLASS_ID, 0); }
    hostapi::SClass_ID SuperClassID() override { return hostapi::MATERIAL_CLASS_ID; }
    void SetSubTexmap(int i, hostapi::Texmap* m) override;
    void SetActiveTexmap(hostapi::MtlBase* txm) override;
    void SetSubMtl(int i, hostapi::Mtl* m) override;
    void SetDiffuse(hostapi::Color c, hostapi::TimeValue t) override;
    void SetAmbient(hostapi::Color c, hostapi::TimeValue t) override;
    void SetSpecular(hostapi::Color c, hostapi::TimeValue t) override;
    void SetShininess(float v, hostapi::TimeValue t) override;
    void SetSelfIllum(float v, hostapi::TimeValue t) override;
    void SetOpacity(float v, hostapi::TimeValue t) override;
    void SetTwoSided(hostapi::BOOL onOff) override { twoSided_ = onOff != 0; }
    void SetTexmapAmt(int imap, float amt, hostapi::TimeValue t) override;
    void EnableMap(int imap, hostapi::BOOL onOff) override;

    hostapi::Color diffuse() const { return diffuse_; }
    hostapi::Color ambient() const { return ambient_; }
    hostapi::Color specular() const { return specular_; }
    float shininess() const { return shininess_; }
    float selfIllum() const { return selfIllum_; }
    float opacity() const { return opacity_; }
    bool twoSided() const { return twoSided_; }
    const std::array<MapSlot, hostapi::NTEXMAPS>& maps() const { return maps_; }
    MemEntity* activeTexmap() const { return activeTexmap_; }

private:
    MapSlot* Slot(int imap, const char* call);

    hostapi::Color diffuse_{0.588f, 0.588f, 0.588f};
    hostapi::Color ambient_{0.588f, 0.588f, 0.588f};
    hostapi::Color specular_{0.9f, 0.9f, 0.9f};
    float shininess_ = 0.1f;
    float selfIllum_ = 0.0f;
    float opacity_ = 1.0f;
    bool twoSided_ = false;
    std::array<MapSlot, hostapi::NTEXMAPS> maps_{};
    MemEntity* activeTexmap_ = nullptr;
};

class MemMultiMtl final : public MemMtlBase<hostapi::MultiMtl> {
public:
    MemMultiMtl(HostContext& context, int id) : MemMtlBase(context, id) {}

    hostapi::Class_ID ClassID() override { return hostapi::Class_ID(hostapi::MULTI_CLASS_ID, 0); }
    hostapi::SClass_ID SuperClassID() override { return hostapi::MATERIAL_CLASS_ID; }
    void SetSubTexmap(int i, hostapi::Texmap* m) override;
    void SetActiveTexmap(hostapi::MtlBase* txm) override;
    void SetSubMtl(int i, hostapi::Mtl* m) override;
    void SetNumSubMtls(int n) override;

    // Null for an empty slot.
    const std::vector<MemEntity*>& subMaterials() const { return subs_; }

private:
    std::vector<MemEntity*> subs_;
};

class MemUVGen final : public MemAnimatable<hostapi::StdUVGen> {
public:
    // Its id is its bitmap's id.
    MemUVGen(HostContext& context, int bitmapId) : MemAnimatable(context, bitmapId) {}

    hostapi::Class_ID ClassID() override { return hostapi::Class_ID(hostapi::STDUV_CLASS_ID, 0); }
    hostapi::SClass_ID SuperClassID() override { return hostapi::UVGEN_CLASS_ID; }
    void SetUOffs(float f, hostapi::TimeValue t) override;
    void SetVOffs(float f, hostapi::TimeValue t) override;
    void SetUScl(float f, hostapi::TimeValue t) override;
    void SetVScl(float f, hostapi::TimeValue t) override;
    void SetAng(float f, hostapi::TimeValue t) override;
    void SetTextureTiling(int tiling) override { tiling_ = tiling; }
    void SetMapChannel(int channel) override;

    float uOffset() const { return uOffset_; }
    float vOffset() const { return vOffset_; }
    float uScale() const { return uScale_; }
    float vScale() const { return vScale_; }
    float wAngle() const { return wAngle_; }
    int tiling() const { return tiling_; }
    int mapChannel() const { return mapChannel_; }

private:
    float uOffset_ = 0.0f;
    float vOffset_ = 0.0f;
    float uScale_ = 1.0f;
    float vScale_ = 1.0f;
    float wAngle_ = 0.0f;
    int tiling_ = hostapi::U_WRAP | hostapi::V_WRAP;
    int mapChannel_ = 1;
};

class MemBitmapTex final : public MemMtlBase<hostapi::BitmapTex> {
public:
    MemBitmapTex(HostContext& context, int id) : MemMtlBase(context, id), uvGen_(context, id) {}

    hostapi::Class_ID ClassID() override { return hostapi::Class_ID(hostapi::BMTEX_CLASS_ID, 0); }
    hostapi::SClass_ID SuperClassID() override { return hostapi::TEXMAP_CLASS_ID; }
    void SetSubTexmap(int i, hostapi::Texmap* m) override;
    void SetMapName(const hostapi::MCHAR* name) override;
    hostapi::StdUVGen* GetUVGen() override;

    const std::string& mapName() const { return mapName_; }
    const MemUVGen& uvGen() const { return uvGen_; }

private:
    std::string mapName_;
    MemUVGen uvGen_;
};

// Multiplies the colours of its two sub-maps.
class MemRGBMultiply final : public MemMtlBase<hostapi::Texmap> {
public:
    MemRGBMultiply(HostContext& context, int id) : MemMtlBase(context, id) {}

    hostapi::Class_ID ClassID() override { return hostapi::Class_ID(hostapi::RGBMULT_CLASS_ID, 0); }
    hostapi::SClass_ID SuperClassID() override { return hostapi::TEXMAP_CLASS_ID; }
    void SetSubTexmap(int i, hostapi::Texmap* m) override;

    const std::array<MemEntity*, 2>& subTexmaps() const { return subs_; }

private:
    std::array<MemEntity*, 2> subs_{};
};

class MemMtlEditor final : public hostapi::IMtlEditInterface {
public:
    static constexpr int kSlotCount = 24;

    struct Slot {
        // A material or a texture map, or null for a slot left alone.
        MemEntity* entity = nullptr;
        bool isTexmap = false;
    };

    explicit MemMtlEditor(HostContext& context) : context_(context) {}
    ~MemMtlEditor() override = default;

    void PutMtlToMtlEditor(hostapi::MtlBase* mb, int slot) override;

    const std::array<Slot, kSlotCount>& slots() const { return slots_; }

private:
    HostContext& context_;
    std::array<Slot, kSlotCount> slots_{};
};

}  // namespace memhost
