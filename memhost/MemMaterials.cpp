#include "memhost/MemMaterials.h"

#include <new>
#include <string>

#include "memhost/Text.h"

namespace memhost {

template <class Base>
void MemMtlBase<Base>::SetName(const hostapi::MCHAR* name) {
    if (!name) {
        this->context().Error("MtlBase::SetName: null name");
    }
    SetNameUtf8(Utf16ToUtf8(name));
}

template <class Base>
void MemMtlBase<Base>::SetNameUtf8(std::string name) {
    narrowName_ = Utf8ToLatin1(name);
    name_ = std::move(name);
}

template <class Base>
MemEntity* MemMtlBase<Base>::TexmapOf(hostapi::Texmap* m, const char* call) {
    if (!m) {
        return nullptr;
    }
    MemEntity* found = this->context().template Find<MemEntity>(m);
    if (!found) {
        this->context().Error(std::string(call) + ": not a texture map of this host");
    }
    return found;
}

template class MemMtlBase<hostapi::StdMat>;
template class MemMtlBase<hostapi::MultiMtl>;
template class MemMtlBase<hostapi::BitmapTex>;
template class MemMtlBase<hostapi::Texmap>;
template class MemMtlBase<hostapi::Mtl>;

hostapi::Texmap* AsTexmap(MemEntity* entity) { return entity ? dynamic_cast<hostapi::Texmap*>(entity) : nullptr; }

hostapi::Mtl* AsMtl(MemEntity* entity) { return entity ? dynamic_cast<hostapi::Mtl*>(entity) : nullptr; }

namespace {

void NoSubTexmaps(HostContext& context, const char* what, int i) {
    context.Error(std::string("MtlBase::SetSubTexmap: ") + what + " has no sub-map " + std::to_string(i));
}

// Entry i of a list of references, null (and a host error naming call) out
// of range.
MemEntity* Entry(HostContext& context, const std::vector<MemEntity*>& list, int i, const char* call) {
    if (i < 0 || static_cast<std::size_t>(i) >= list.size()) {
        context.Error(std::string(call) + ": slot " + std::to_string(i) + " of " + std::to_string(list.size()));
        return nullptr;
    }
    return list[static_cast<std::size_t>(i)];
}

}  // namespace

MemStdMat::MapSlot* MemStdMat::Slot(int imap, const char* call) {
    if (imap < 0 || imap >= hostapi::NTEXMAPS) {
        context().Error(std::string(call) + ": no map slot " + std::to_string(imap));
        return nullptr;
    }
    return &maps_[static_cast<unsigned>(imap)];
}

void MemStdMat::SetSubTexmap(int i, hostapi::Texmap* m) {
    if (MapSlot* slot = Slot(i, "MtlBase::SetSubTexmap")) {
        if (MemEntity* texmap = TexmapOf(m, "MtlBase::SetSubTexmap"); texmap || !m) {
            slot->texmap = texmap;
        }
    }
}

hostapi::Texmap* MemStdMat::GetSubTexmap(int i) {
    MapSlot* slot = Slot(i, "MtlBase::GetSubTexmap");
    return slot ? AsTexmap(slot->texmap) : nullptr;
}

void MemStdMat::Load(const Values& v, const std::array<MapSlot, hostapi::NTEXMAPS>& maps, MemEntity* activeTexmap) {
    diffuse_ = v.diffuse;
    ambient_ = v.ambient;
    specular_ = v.specular;
    shininess_ = v.shininess;
    selfIllum_ = v.selfIllum;
    opacity_ = v.opacity;
    twoSided_ = v.twoSided;
    maps_ = maps;
    activeTexmap_ = activeTexmap;
}

void MemStdMat::SetActiveTexmap(hostapi::MtlBase* txm) {
    if (!txm) {
        activeTexmap_ = nullptr;
        return;
    }
    auto* texmap = dynamic_cast<hostapi::Texmap*>(txm);
    MemEntity* found = texmap ? context().Find<MemEntity>(texmap) : nullptr;
    if (!found) {
        context().Error("Mtl::SetActiveTexmap: not a texture map of this host");
        return;
    }
    activeTexmap_ = found;
}

void MemStdMat::SetSubMtl(int i, hostapi::Mtl*) {
    context().Error("Mtl::SetSubMtl: a standard material has no sub-material " + std::to_string(i));
}

void MemStdMat::SetDiffuse(hostapi::Color c, hostapi::TimeValue) {
    context().NoteTimedChange("StdMat::SetDiffuse");
    diffuse_ = c;
}

void MemStdMat::SetAmbient(hostapi::Color c, hostapi::TimeValue) {
    context().NoteTimedChange("StdMat::SetAmbient");
    ambient_ = c;
}

void MemStdMat::SetSpecular(hostapi::Color c, hostapi::TimeValue) {
    context().NoteTimedChange("StdMat::SetSpecular");
    specular_ = c;
}

void MemStdMat::SetShininess(float v, hostapi::TimeValue) {
    context().NoteTimedChange("StdMat::SetShininess");
    shininess_ = v;
}

void MemStdMat::SetSelfIllum(float v, hostapi::TimeValue) {
    context().NoteTimedChange("StdMat::SetSelfIllum");
    selfIllum_ = v;
}

void MemStdMat::SetOpacity(float v, hostapi::TimeValue) {
    context().NoteTimedChange("StdMat::SetOpacity");
    opacity_ = v;
}

void MemStdMat::SetTexmapAmt(int imap, float amt, hostapi::TimeValue) {
    context().NoteTimedChange("StdMat::SetTexmapAmt");
    if (MapSlot* slot = Slot(imap, "StdMat::SetTexmapAmt")) {
        slot->amount = amt;
    }
}

void MemStdMat::EnableMap(int imap, hostapi::BOOL onOff) {
    if (MapSlot* slot = Slot(imap, "StdMat::EnableMap")) {
        slot->enabled = onOff != 0;
    }
}

void MemMultiMtl::SetSubTexmap(int i, hostapi::Texmap*) { NoSubTexmaps(context(), "a multi-material", i); }

void MemMultiMtl::SetActiveTexmap(hostapi::MtlBase*) {
    context().Error("Mtl::SetActiveTexmap: a multi-material shows its sub-materials' maps");
}

void MemMultiMtl::SetSubMtl(int i, hostapi::Mtl* m) {
    if (i < 0 || static_cast<std::size_t>(i) >= subs_.size()) {
        context().Error("Mtl::SetSubMtl: sub-material " + std::to_string(i) + " of " + std::to_string(subs_.size()));
        return;
    }
    MemEntity* found = m ? context().Find<MemEntity>(m) : nullptr;
    if (m && !found) {
        context().Error("Mtl::SetSubMtl: not a material of this host");
        return;
    }
    subs_[static_cast<std::size_t>(i)] = found;
}

void MemMultiMtl::SetNumSubMtls(int n) {
    if (n < 0) {
        context().Error("MultiMtl::SetNumSubMtls: negative count " + std::to_string(n));
        return;
    }
    subs_.resize(static_cast<std::size_t>(n), nullptr);
}

hostapi::Mtl* MemMultiMtl::GetSubMtl(int i) { return AsMtl(Entry(context(), subs_, i, "Mtl::GetSubMtl")); }

void MemOtherMtl::SetSubTexmap(int i, hostapi::Texmap*) { NoSubTexmaps(context(), "this material", i); }

void MemOtherMtl::SetActiveTexmap(hostapi::MtlBase*) {
    context().Error("Mtl::SetActiveTexmap: the host cannot set the viewport map of this material");
}

void MemOtherMtl::SetSubMtl(int i, hostapi::Mtl*) {
    context().Error("Mtl::SetSubMtl: the host cannot set sub-material " + std::to_string(i) + " of this material");
}

hostapi::Texmap* MemOtherMtl::GetSubTexmap(int i) {
    return AsTexmap(Entry(context(), texmaps_, i, "MtlBase::GetSubTexmap"));
}

hostapi::Mtl* MemOtherMtl::GetSubMtl(int i) { return AsMtl(Entry(context(), subs_, i, "Mtl::GetSubMtl")); }

void MemUVGen::Load(const Values& v) {
    uOffset_ = v.uOffset;
    vOffset_ = v.vOffset;
    uScale_ = v.uScale;
    vScale_ = v.vScale;
    wAngle_ = v.wAngle;
    tiling_ = v.tiling;
    mapChannel_ = v.mapChannel;
}

void MemUVGen::SetUOffs(float f, hostapi::TimeValue) {
    context().NoteTimedChange("StdUVGen::SetUOffs");
    uOffset_ = f;
}

void MemUVGen::SetVOffs(float f, hostapi::TimeValue) {
    context().NoteTimedChange("StdUVGen::SetVOffs");
    vOffset_ = f;
}

void MemUVGen::SetUScl(float f, hostapi::TimeValue) {
    context().NoteTimedChange("StdUVGen::SetUScl");
    uScale_ = f;
}

void MemUVGen::SetVScl(float f, hostapi::TimeValue) {
    context().NoteTimedChange("StdUVGen::SetVScl");
    vScale_ = f;
}

void MemUVGen::SetAng(float f, hostapi::TimeValue) {
    context().NoteTimedChange("StdUVGen::SetAng");
    wAngle_ = f;
}

void MemUVGen::SetMapChannel(int channel) {
    if (channel < 1 || channel >= hostapi::MAX_MESHMAPS) {
        context().Error("StdUVGen::SetMapChannel: no UV channel " + std::to_string(channel));
        return;
    }
    mapChannel_ = channel;
}

void MemBitmapTex::SetSubTexmap(int i, hostapi::Texmap*) { NoSubTexmaps(context(), "a bitmap", i); }

void MemBitmapTex::SetMapName(const hostapi::MCHAR* name) {
    if (!name) {
        context().Error("BitmapTex::SetMapName: null name");
    }
    SetMapNameUtf8(Utf16ToUtf8(name));
}

void MemBitmapTex::SetMapNameUtf8(std::string name) {
    narrowMapName_ = Utf8ToLatin1(name);
    mapName_ = std::move(name);
}

hostapi::StdUVGen* MemBitmapTex::GetUVGen() {
    return context().failures.ShouldFail(HostCall::GetUVGen) ? nullptr : &uvGen_;
}

void MemRGBMultiply::SetSubTexmap(int i, hostapi::Texmap* m) {
    if (i < 0 || i >= static_cast<int>(subs_.size())) {
        NoSubTexmaps(context(), "an RGB multiply map", i);
        return;
    }
    if (MemEntity* texmap = TexmapOf(m, "MtlBase::SetSubTexmap"); texmap || !m) {
        subs_[static_cast<unsigned>(i)] = texmap;
    }
}

hostapi::Texmap* MemRGBMultiply::GetSubTexmap(int i) {
    if (i < 0 || i >= static_cast<int>(subs_.size())) {
        context().Error("MtlBase::GetSubTexmap: an RGB multiply map has no sub-map " + std::to_string(i));
        return nullptr;
    }
    return AsTexmap(subs_[static_cast<unsigned>(i)]);
}

void MemContainerTex::SetSubTexmap(int i, hostapi::Texmap*) {
    NoSubTexmaps(context(), "this host's container maps cannot be changed; this one", i);
}

hostapi::Texmap* MemContainerTex::GetSubTexmap(int i) {
    return AsTexmap(Entry(context(), subs_, i, "MtlBase::GetSubTexmap"));
}

void MemMtlEditor::PutMtlToMtlEditor(hostapi::MtlBase* mb, int slot) {
    // -1 asks for the active slot, which is the first until a user picks
    // another.
    const int target = slot == -1 ? 0 : slot;
    if (target < 0 || target >= kSlotCount) {
        context_.Error("IMtlEditInterface::PutMtlToMtlEditor: no slot " + std::to_string(slot));
        return;
    }
    MemEntity* found = context_.Find<MemEntity>(mb);
    if (!found) {
        context_.Error("IMtlEditInterface::PutMtlToMtlEditor: not a material or map of this host");
        return;
    }
    slots_[static_cast<unsigned>(target)] = {found, dynamic_cast<hostapi::Texmap*>(mb) != nullptr};
}

}  // namespace memhost
