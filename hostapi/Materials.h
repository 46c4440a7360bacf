// Materials, texture maps and their UV generators.
//
// A multi/sub-object material holds numbered sub-materials; face material
// id i of a mesh shows sub-material i. A standard material has NTEXMAPS map
// slots (ID_DI, ID_OP, ...), each with a texture map, an amount and an
// enabled switch. Texture maps nest: the RGB-multiply map multiplies its two
// sub-maps. Materials and maps are created by the host (Interface) and
// belong to it.
//
// Reading: a material or map is told apart by its ClassID (DMTL_CLASS_ID, a
// StdMat; MULTI_CLASS_ID, a MultiMtl; BMTEX_CLASS_ID, a BitmapTex); only
// those three may be static_cast to their classes. Every other class is
// read through Mtl and Texmap alone. Names are narrow text (WinTypes.h),
// valid until the material or map is renamed.
#pragma once

#include "hostapi/Animatable.h"
#include "hostapi/HostTypes.h"

namespace hostapi {

class Texmap;

class MtlBase : public Animatable {
public:
    virtual void SetName(const MCHAR* name) = 0;
    // mask: MTL_TEX_DISPLAY_ENABLED and the host's other material flags.
    virtual void SetMtlFlag(int mask, BOOL val = TRUE) = 0;
    // Sub-map i: a map slot of a standard material, an input of a texture
    // map. Out-of-range slots are ignored.
    virtual void SetSubTexmap(int i, Texmap* m) = 0;

    // "" when it has no name.
    virtual LPCSTR GetName() = 0;
    virtual int NumSubTexmaps() = 0;
    // Null for an empty or out-of-range slot.
    virtual Texmap* GetSubTexmap(int i) = 0;

protected:
    ~MtlBase() override = default;
};

class Mtl : public MtlBase {
public:
    // The map shown in the viewport.
    virtual void SetActiveTexmap(MtlBase* txm) = 0;
    // Sub-material i of a material that has sub-materials.
    virtual void SetSubMtl(int i, Mtl* m) = 0;
    // 0 for a material without sub-materials.
    virtual int NumSubMtls() = 0;
    // Null for an empty or out-of-range slot.
    virtual Mtl* GetSubMtl(int i) = 0;

protected:
    ~Mtl() override = default;
};

class StdMat : public Mtl {
public:
    virtual void SetDiffuse(Color c, TimeValue t) = 0;
    virtual void SetAmbient(Color c, TimeValue t) = 0;
    virtual void SetSpecular(Color c, TimeValue t) = 0;
    // 0 to 1.
    virtual void SetShininess(float v, TimeValue t) = 0;
    virtual void SetSelfIllum(float v, TimeValue t) = 0;
    virtual void SetOpacity(float v, TimeValue t) = 0;
    virtual void SetTwoSided(BOOL onOff) = 0;
    // Amount (0 to 1) and switch of map slot imap.
    virtual void SetTexmapAmt(int imap, float amt, TimeValue t) = 0;
    virtual void EnableMap(int imap, BOOL onOff) = 0;

    virtual Color GetDiffuse(TimeValue t) = 0;
    virtual Color GetAmbient(TimeValue t) = 0;
    virtual Color GetSpecular(TimeValue t) = 0;
    virtual float GetShininess(TimeValue t) = 0;
    virtual float GetOpacity(TimeValue t) = 0;
    virtual BOOL GetTwoSided() = 0;

protected:
    ~StdMat() override = default;
};

class MultiMtl : public Mtl {
public:
    // New slots hold no material until SetSubMtl fills them.
    virtual void SetNumSubMtls(int n) = 0;

protected:
    ~MultiMtl() override = default;
};

class Texmap : public MtlBase {
protected:
    ~Texmap() override = default;
};

// How a texture map lays its image over the surface.
class StdUVGen : public Animatable {
public:
    virtual void SetUOffs(float f, TimeValue t) = 0;
    virtual void SetVOffs(float f, TimeValue t) = 0;
    virtual void SetUScl(float f, TimeValue t) = 0;
    virtual void SetVScl(float f, TimeValue t) = 0;
    // Rotation about W, radians.
    virtual void SetAng(float f, TimeValue t) = 0;
    // U_WRAP | V_WRAP | U_MIRROR | V_MIRROR.
    virtual void SetTextureTiling(int tiling) = 0;
    // The mesh map channel the coordinates come from (1 and up).
    virtual void SetMapChannel(int channel) = 0;

    virtual float GetUOffs(TimeValue t) = 0;
    virtual float GetVOffs(TimeValue t) = 0;
    virtual float GetUScl(TimeValue t) = 0;
    virtual float GetVScl(TimeValue t) = 0;
    virtual float GetAng(TimeValue t) = 0;
    virtual int GetTextureTiling() = 0;

protected:
    ~StdUVGen() override = default;
};

class BitmapTex : public Texmap {
public:
    virtual void SetMapName(const MCHAR* name) = 0;
    // The image file as narrow text, a path as the user gave it.
    virtual LPCSTR GetMapName() = 0;
    // The map's UV generator, or null.
    virtual StdUVGen* GetUVGen() = 0;

protected:
    ~BitmapTex() override = default;
};

// The host's material editor, asked for with GetCOREInterface
// (MTLEDIT_INTERFACE).
class FPInterface {
protected:
    virtual ~FPInterface() = default;
};

class IMtlEditInterface : public FPInterface {
public:
    // Puts mb into sample slot `slot` (0 to 23; -1: the active slot).
    virtual void PutMtlToMtlEditor(MtlBase* mb, int slot = -1) = 0;

protected:
    ~IMtlEditInterface() override = default;
};

}  // namespace hostapi
