// Materials and texture maps of the stand-in host, and its material
// editor.
//
// A texture map or material that a plug-in puts somewhere (a map slot, a
// sub-material, the active viewport map, an editor slot) is referred to,
// not copied; only the host's own objects are accepted there.
//
// Besides the standard, multi/sub-object, bitmap and RGB-multiply classes
// that a plug-in can create, a host-scene file can hold materials of other
// classes and the container maps mix, composite and Normal Bump, and maps
// of other classes: their sub-materials and sub-maps can be read, nothing
// else.
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
    hostapi::LPCSTR GetName() override { return narrowName_.c_str(); }

    const std::string& name() const { return name_; }
    int mtlFlags() const { return flags_; }
    void SetNameUtf8(std::string name);
    void SetFlags(int flags) { flags_ = flags; }

protected:
    MemMtlBase(HostContext& context, int id) : MemAnimatable<Base>(context, id) {}

    // The host's texture map behind m; null for null or a foreign map (which
    // is also reported as a host error naming call).
    MemEntity* TexmapOf(hostapi::Texmap* m, const char* call);

private:
    std::string name_;
    std::string narrowName_;
    int flags_ = 0;
};

// The texture map behind an entity of the host's texmap list, or null.
hostapi::Texmap* AsTexmap(MemEntity* entity);
hostapi::Mtl* AsMtl(MemEntity* entity);

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
    int NumSubTexmaps() override { return hostapi::NTEXMAPS; }
    hostapi::Texmap* GetSubTexmap(int i) override;
    int NumSubMtls() override { return 0; }
    hostapi::Mtl* GetSubMtl(int) override { return nullptr; }
    hostapi::Color GetDiffuse(hostapi::TimeValue) override { return diffuse_; }
    hostapi::Color GetAmbient(hostapi::TimeValue) override { return ambient_; }
    hostapi::Color GetSpecular(hostapi::TimeValue) override { return specular_; }
    float GetShininess(hostapi::TimeValue) override { return shininess_; }
    float GetOpacity(hostapi::TimeValue) override { return opacity_; }
    hostapi::BOOL GetTwoSided() override { return twoSided_ ? hostapi::TRUE : hostapi::FALSE; }

    hostapi::Color diffuse() const { return diffuse_; }
    hostapi::Color ambient() const { return ambient_; }
    hostapi::Color specular() const { return specular_; }
    float shininess() const { return shininess_; }
    float selfIllum() const { return selfIllum_; }
    float opacity() const { return opacity_; }
    bool twoSided() const { return twoSided_; }
    const std::array<MapSlot, hostapi::NTEXMAPS>& maps() const { return maps_; }
    MemEntity* activeTexmap() const { return activeTexmap_; }

    // Setting the material up outside a plug-in (a host-scene file).
    struct Values {
        hostapi::Color diffuse, ambient, specular;
        float shininess = 0.0f;
        float selfIllum = 0.0f;
        float opacity = 1.0f;
        bool twoSided = false;
    };
    void Load(const Values& v, const std::array<MapSlot, hostapi::NTEXMAPS>& maps, MemEntity* activeTexmap);

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
    int NumSubTexmaps() override { return 0; }
    hostapi::Texmap* GetSubTexmap(int) override { return nullptr; }
    int NumSubMtls() override { return static_cast<int>(subs_.size()); }
    hostapi::Mtl* GetSubMtl(int i) override;

    // Null for an empty slot.
    const std::vector<MemEntity*>& subMaterials() const { return subs_; }
    void LoadSubMaterials(std::vector<MemEntity*> subs) { subs_ = std::move(subs); }

private:
    std::vector<MemEntity*> subs_;
};

// A material of a class this host does not know: its sub-materials and
// sub-maps can be read, nothing else.
class MemOtherMtl final : public MemMtlBase<hostapi::Mtl> {
public:
    MemOtherMtl(HostContext& context, int id, hostapi::Class_ID classId) : MemMtlBase(context, id), classId_(classId) {}

    hostapi::Class_ID ClassID() override { return classId_; }
    hostapi::Class_ID classId() const { return classId_; }
    hostapi::SClass_ID SuperClassID() override { return hostapi::MATERIAL_CLASS_ID; }
    void SetSubTexmap(int i, hostapi::Texmap* m) override;
    void SetActiveTexmap(hostapi::MtlBase* txm) override;
    void SetSubMtl(int i, hostapi::Mtl* m) override;
    int NumSubTexmaps() override { return static_cast<int>(texmaps_.size()); }
    hostapi::Texmap* GetSubTexmap(int i) override;
    int NumSubMtls() override { return static_cast<int>(subs_.size()); }
    hostapi::Mtl* GetSubMtl(int i) override;

    const std::vector<MemEntity*>& subMaterials() const { return subs_; }
    const std::vector<MemEntity*>& subTexmaps() const { return texmaps_; }
    void Load(std::vector<MemEntity*> subs, std::vector<MemEntity*> texmaps) {
        subs_ = std::move(subs);
        texmaps_ = std::move(texmaps);
    }

private:
    hostapi::Class_ID classId_;
    std::vector<MemEntity*> subs_;
    std::vector<MemEntity*> texmaps_;
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
    float GetUOffs(hostapi::TimeValue) override { return uOffset_; }
    float GetVOffs(hostapi::TimeValue) override { return vOffset_; }
    float GetUScl(hostapi::TimeValue) override { return uScale_; }
    float GetVScl(hostapi::TimeValue) override { return vScale_; }
    float GetAng(hostapi::TimeValue) override { return wAngle_; }
    int GetTextureTiling() override { return tiling_; }

    float uOffset() const { return uOffset_; }
    float vOffset() const { return vOffset_; }
    float uScale() const { return uScale_; }
    float vScale() const { return vScale_; }
    float wAngle() const { return wAngle_; }
    int tiling() const { return tiling_; }
    int mapChannel() const { return mapChannel_; }

    struct Values {
        float uOffset = 0.0f;
        float vOffset = 0.0f;
        float uScale = 1.0f;
        float vScale = 1.0f;
        float wAngle = 0.0f;
        int tiling = hostapi::U_WRAP | hostapi::V_WRAP;
        int mapChannel = 1;
    };
    // Setting it up outside a plug-in (a host-scene file, which has checked
    // the channel).
    void Load(const Values& v);

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
    hostapi::LPCSTR GetMapName() override { return narrowMapName_.c_str(); }
    hostapi::StdUVGen* GetUVGen() override;
    int NumSubTexmaps() override { return 0; }
    hostapi::Texmap* GetSubTexmap(int) override { return nullptr; }

    const std::string& mapName() const { return mapName_; }
    const MemUVGen& uvGen() const { return uvGen_; }
    MemUVGen& uvGen() { return uvGen_; }
    void SetMapNameUtf8(std::string name);

private:
    std::string mapName_;
    std::string narrowMapName_;
    MemUVGen uvGen_;
};

// Multiplies the colours of its two sub-maps.
class MemRGBMultiply final : public MemMtlBase<hostapi::Texmap> {
public:
    MemRGBMultiply(HostContext& context, int id) : MemMtlBase(context, id) {}

    hostapi::Class_ID ClassID() override { return hostapi::Class_ID(hostapi::RGBMULT_CLASS_ID, 0); }
    hostapi::SClass_ID SuperClassID() override { return hostapi::TEXMAP_CLASS_ID; }
    void SetSubTexmap(int i, hostapi::Texmap* m) override;
    int NumSubTexmaps() override { return static_cast<int>(subs_.size()); }
    hostapi::Texmap* GetSubTexmap(int i) override;

    const std::array<MemEntity*, 2>& subTexmaps() const { return subs_; }
    void LoadSubTexmaps(const std::array<MemEntity*, 2>& subs) { subs_ = subs; }

private:
    std::array<MemEntity*, 2> subs_{};
};

// The other container maps and maps of classes this host does not know:
// their sub-maps can be read, nothing else. Mix has three (two maps and the
// mask), Normal Bump two (the normal map and an additional bump), composite
// as many layers as it has.
class MemContainerTex final : public MemMtlBase<hostapi::Texmap> {
public:
    MemContainerTex(HostContext& context, int id, hostapi::Class_ID classId)
        : MemMtlBase(context, id), classId_(classId) {}

    hostapi::Class_ID ClassID() override { return classId_; }
    hostapi::Class_ID classId() const { return classId_; }
    hostapi::SClass_ID SuperClassID() override { return hostapi::TEXMAP_CLASS_ID; }
    void SetSubTexmap(int i, hostapi::Texmap* m) override;
    int NumSubTexmaps() override { return static_cast<int>(subs_.size()); }
    hostapi::Texmap* GetSubTexmap(int i) override;

    const std::vector<MemEntity*>& subTexmaps() const { return subs_; }
    void LoadSubTexmaps(std::vector<MemEntity*> subs) { subs_ = std::move(subs); }

private:
    hostapi::Class_ID classId_;
    std::vector<MemEntity*> subs_;
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
    // Setting a slot outside a plug-in (a host-scene file, which has checked
    // the slot number).
    void Load(int slot, MemEntity* entity, bool isTexmap) { slots_[static_cast<unsigned>(slot)] = {entity, isTexmap}; }

private:
    HostContext& context_;
    std::array<Slot, kSlotCount> slots_{};
};

}  // namespace memhost
