// A mesh's specified normals: normals of its own that face corners use in
// place of those the host computes from smoothing groups.
//
// A corner uses a specified normal only when it is specified and names one;
// an explicit normal keeps the value it was given, while the host computes
// a normal that is not explicit from the smoothing groups of the faces that
// share it. A fresh normal is (0, 0, 0) and not explicit, a fresh face has
// no corner specified.
//
// Reading: the normals may have other counts than their mesh, and a face's
// normal ids need not lie within its normals, so a reader checks both.
#pragma once

#include "hostapi/HostTypes.h"

namespace hostapi {

class MeshNormalFace {
public:
    int GetNormalID(int corner) const { return InCorner(corner) ? normalID_[corner] : -1; }
    void SetNormalID(int corner, int norm) {
        if (InCorner(corner)) {
            normalID_[corner] = norm;
        }
    }
    bool GetSpecified(int corner) const { return InCorner(corner) && (specified_ & (1u << corner)) != 0; }
    void SetSpecified(int corner, bool value = true) {
        if (InCorner(corner)) {
            specified_ = value ? specified_ | (1u << corner) : specified_ & ~(1u << corner);
        }
    }
    void SpecifyAll(bool value = true) { specified_ = value ? 7u : 0u; }

private:
    static bool InCorner(int corner) { return corner >= 0 && corner < 3; }

    int normalID_[3] = {-1, -1, -1};
    unsigned specified_ = 0;
};

class MeshNormalSpec {
public:
    // Keep what the arrays held below the new size; FALSE when the host
    // refused, and then the array keeps its old size.
    [[nodiscard]] virtual bool SetNumFaces(int numFaces) = 0;
    [[nodiscard]] virtual bool SetNumNormals(int numNormals) = 0;
    virtual int GetNumFaces() const = 0;
    virtual int GetNumNormals() const = 0;

    // The index must lie within the array.
    virtual Point3& Normal(int normID) = 0;
    virtual MeshNormalFace& Face(int faceID) = 0;
    virtual bool GetNormalExplicit(int normID) const = 0;
    virtual void SetNormalExplicit(int normID, bool value) = 0;
    virtual void SetAllExplicit(bool value = true) = 0;

protected:
    virtual ~MeshNormalSpec() = default;
};

}  // namespace hostapi
