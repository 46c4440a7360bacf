// The host's triangle mesh: vertices, faces and map channels.
//
// Arrays are sized first (setNum... discards old content unless keep is
// TRUE) and then filled through the pointers or setters. A setNum call can
// fail, and then the array keeps its old size, so its result must be looked
// at before the array is written. Pointers stay valid until the next setNum
// call on the same array.
//
// Map channel 1 is the texture channel: mapVerts(1) and mapFaces(1) are the
// same arrays as the texture vertices and tvFace(). Channel 0 holds vertex
// colours (the colour vertices and vcFace()), channel MAP_ALPHA the vertex
// alpha in its u coordinate.
//
// Reading: a face's three vertex indices always lie within the vertex array.
// A map face's indices need not lie within its channel's vertices, and a
// channel need not have as many faces as the mesh has faces, so a reader
// checks both against the counts the mesh gives.
#pragma once

#include "hostapi/HostConstants.h"
#include "hostapi/HostTypes.h"
#include "hostapi/ExplicitNormals.h"

namespace hostapi {

class Face {
public:
    DWORD v[3] = {0, 0, 0};
    DWORD smGroup = 0;
    // Edge visibility in bits 0..2 (EDGE_A..EDGE_C), the material id in the
    // high 16 bits, as the host packs it.
    DWORD flags = 0;

    void setVerts(int a, int b, int c) {
        v[0] = static_cast<DWORD>(a);
        v[1] = static_cast<DWORD>(b);
        v[2] = static_cast<DWORD>(c);
    }
    void setEdgeVisFlags(int va, int vb, int vc) {
        flags &= ~EDGE_ALL;
        flags |= (va ? EDGE_A : 0u) | (vb ? EDGE_B : 0u) | (vc ? EDGE_C : 0u);
    }
    void setSmGroup(DWORD group) { smGroup = group; }
    // Bit k - 1 is smoothing group k.
    DWORD getSmGroup() const { return smGroup; }
    void setMatID(MtlID id) { flags = (flags & 0xFFFFu) | (static_cast<DWORD>(id) << 16); }
    MtlID getMatID() const { return static_cast<MtlID>(flags >> 16); }
};

// A vertex colour: red, green and blue in x, y and z, 0 to 1.
using VertColor = Point3;

class TVFace {
public:
    DWORD t[3] = {0, 0, 0};

    void setTVerts(int a, int b, int c) {
        t[0] = static_cast<DWORD>(a);
        t[1] = static_cast<DWORD>(b);
        t[2] = static_cast<DWORD>(c);
    }
};

class Mesh {
public:
    [[nodiscard]] virtual BOOL setNumVerts(int ct, BOOL keep = FALSE, BOOL synchSel = TRUE) = 0;
    [[nodiscard]] virtual BOOL setNumFaces(int ct, BOOL keep = FALSE, BOOL synchSel = TRUE) = 0;
    [[nodiscard]] virtual BOOL setNumTVerts(int ct, BOOL keep = FALSE) = 0;
    [[nodiscard]] virtual BOOL setNumTVFaces(int ct, BOOL keep = FALSE, int oldCt = 0) = 0;

    // Out-of-range indices are ignored.
    virtual void setVert(int i, const Point3& p) = 0;
    virtual void setTVert(int i, const UVVert& uvw) = 0;
    virtual void setFaceMtlIndex(int i, MtlID id) = 0;

    // Counts and single elements; an index out of range reads as (0, 0, 0).
    virtual int getNumVerts() = 0;
    virtual Point3 getVert(int i) = 0;
    virtual int getNumFaces() = 0;
    virtual int getNumTVerts() = 0;
    virtual UVVert getTVert(int i) = 0;
    virtual int getNumVertCol() = 0;
    virtual VertColor getVertCol(int i) = 0;

    // The face arrays themselves, null when empty: the faces, the texture
    // faces (channel 1) and the colour faces (channel 0).
    virtual Face* faces() = 0;
    virtual TVFace* tvFace() = 0;
    virtual TVFace* vcFace() = 0;

    // Switching a channel on gives it as many map faces as the mesh has
    // faces, all (0, 0, 0), and no map vertices.
    virtual void setMapSupport(int mp, BOOL support = TRUE) = 0;
    virtual BOOL mapSupport(int mp) = 0;
    // FALSE for a channel that is not switched on.
    [[nodiscard]] virtual BOOL setNumMapVerts(int mp, int ct, BOOL keep = FALSE) = 0;
    [[nodiscard]] virtual BOOL setNumMapFaces(int mp, int ct, BOOL keep = FALSE, int oldCt = 0) = 0;
    // 0 for a channel that is off.
    virtual int getNumMapVerts(int mp) = 0;
    virtual int getNumMapFaces(int mp) = 0;
    virtual UVVert* mapVerts(int mp) = 0;
    virtual TVFace* mapFaces(int mp) = 0;

    // Specified normals (ExplicitNormals.h): SpecifyNormals gives the mesh
    // its set, empty the first time, and GetSpecifiedNormals hands it out,
    // null for a mesh that has none.
    virtual void SpecifyNormals() = 0;
    virtual MeshNormalSpec* GetSpecifiedNormals() = 0;

    // After a mesh is filled: drop the caches built from the old content and
    // rebuild the normals.
    virtual void InvalidateTopologyCache() = 0;
    virtual void InvalidateGeomCache() = 0;
    virtual void buildNormals() = 0;

protected:
    virtual ~Mesh() = default;
};

}  // namespace hostapi
