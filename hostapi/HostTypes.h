// The host's value types: time, points, colours, matrices and class ids.
//
// Conventions the host follows and the plug-ins rely on:
//   - Time is in ticks (TimeValue). The importer sets 160 ticks per frame.
//   - Matrix3 is four rows of three floats for row vectors: a point p maps
//     to p * M, rows 0..2 are the images of the x, y and z axes and row 3 is
//     the translation. A scene-document Matrix4 (column vectors) therefore
//     puts its column r into host row r.
//   - A default Matrix3 is the identity (the SDK's own default constructor
//     leaves the matrix undefined; nothing here depends on that).
#pragma once

#include <array>
#include <limits>

#include "hostapi/WinTypes.h"

namespace hostapi {

using TimeValue = int;

class Interval {
public:
    constexpr Interval() = default;
    constexpr Interval(TimeValue start, TimeValue end) : start_(start), end_(end) {}

    constexpr TimeValue Start() const { return start_; }
    constexpr TimeValue End() const { return end_; }
    constexpr void Set(TimeValue start, TimeValue end) {
        start_ = start;
        end_ = end;
    }

    constexpr bool operator==(const Interval&) const = default;

private:
    TimeValue start_ = 0;
    TimeValue end_ = 0;
};

inline constexpr TimeValue TIME_NegInfinity = std::numeric_limits<TimeValue>::min();
inline constexpr TimeValue TIME_PosInfinity = std::numeric_limits<TimeValue>::max();
// All time: what a value that never changes is valid for.
inline constexpr Interval FOREVER{TIME_NegInfinity, TIME_PosInfinity};

class Point3 {
public:
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    constexpr Point3() = default;
    constexpr Point3(float px, float py, float pz) : x(px), y(py), z(pz) {}

    constexpr Point3& Set(float px, float py, float pz) {
        x = px;
        y = py;
        z = pz;
        return *this;
    }

    constexpr bool operator==(const Point3&) const = default;
};

// Texture coordinates (u, v, w) are points.
using UVVert = Point3;

// An RGB colour, components 0 to 1.
class Color {
public:
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;

    constexpr Color() = default;
    constexpr Color(float red, float green, float blue) : r(red), g(green), b(blue) {}

    constexpr bool operator==(const Color&) const = default;
};

class Matrix3 {
public:
    constexpr Matrix3() = default;

    constexpr void IdentityMatrix() { *this = Matrix3(); }
    // Rows outside 0..3 are ignored on write and read as (0, 0, 0).
    constexpr void SetRow(int i, const Point3& p) {
        if (i >= 0 && i < 4) {
            rows_[static_cast<unsigned>(i)] = p;
        }
    }
    constexpr Point3 GetRow(int i) const { return i >= 0 && i < 4 ? rows_[static_cast<unsigned>(i)] : Point3(); }
    constexpr Point3 GetTrans() const { return rows_[3]; }

    constexpr bool operator==(const Matrix3&) const = default;

private:
    std::array<Point3, 4> rows_{Point3(1, 0, 0), Point3(0, 1, 0), Point3(0, 0, 1), Point3(0, 0, 0)};
};

// The host's own arithmetic on these types, in single precision as its
// libraries do it, for row vectors: p * M maps a point, A * B applies A
// first.
constexpr Point3 CrossProd(const Point3& a, const Point3& b) {
    return Point3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

constexpr Point3 operator*(const Point3& p, const Matrix3& m) {
    const Point3 x = m.GetRow(0);
    const Point3 y = m.GetRow(1);
    const Point3 z = m.GetRow(2);
    const Point3 t = m.GetRow(3);
    return Point3(p.x * x.x + p.y * y.x + p.z * z.x + t.x, p.x * x.y + p.y * y.y + p.z * z.y + t.y,
                  p.x * x.z + p.y * y.z + p.z * z.z + t.z);
}

constexpr Matrix3 operator*(const Matrix3& a, const Matrix3& b) {
    const Point3 x = b.GetRow(0);
    const Point3 y = b.GetRow(1);
    const Point3 z = b.GetRow(2);
    Matrix3 out;
    for (int i = 0; i < 4; ++i) {
        const Point3 r = a.GetRow(i);
        Point3 row(r.x * x.x + r.y * y.x + r.z * z.x, r.x * x.y + r.y * y.y + r.z * z.y,
                   r.x * x.z + r.y * y.z + r.z * z.z);
        // Only the translation row moves with b's translation; the axis rows
        // are directions.
        if (i == 3) {
            const Point3 t = b.GetRow(3);
            row = Point3(row.x + t.x, row.y + t.y, row.z + t.z);
        }
        out.SetRow(i, row);
    }
    return out;
}

// The inverse of an affine matrix; a singular one (determinant exactly 0)
// gives the identity.
constexpr Matrix3 Inverse(const Matrix3& m) {
    const Point3 a = m.GetRow(0);
    const Point3 b = m.GetRow(1);
    const Point3 c = m.GetRow(2);
    const Point3 t = m.GetRow(3);
    // Columns of the inverse's 3 x 3 part are the cross products of the rows.
    const Point3 bc = CrossProd(b, c);
    const Point3 ca = CrossProd(c, a);
    const Point3 ab = CrossProd(a, b);
    const float det = a.x * bc.x + a.y * bc.y + a.z * bc.z;
    if (det == 0.0f) {
        return Matrix3();
    }
    const float k = 1.0f / det;
    Matrix3 out;
    out.SetRow(0, Point3(bc.x * k, ca.x * k, ab.x * k));
    out.SetRow(1, Point3(bc.y * k, ca.y * k, ab.y * k));
    out.SetRow(2, Point3(bc.z * k, ca.z * k, ab.z * k));
    // The translation row is still zero here, so this is t * inverse(A).
    const Point3 moved = t * out;
    out.SetRow(3, Point3(-moved.x, -moved.y, -moved.z));
    return out;
}

// Super class ids name a family of host classes (geometric object,
// controller of positions, texture map, ...).
using SClass_ID = ULONG;

class Class_ID {
public:
    constexpr Class_ID() = default;
    constexpr Class_ID(ULONG a, ULONG b) : a_(a), b_(b) {}

    constexpr ULONG PartA() const { return a_; }
    constexpr ULONG PartB() const { return b_; }

    constexpr bool operator==(const Class_ID&) const = default;

private:
    ULONG a_ = 0xFFFFFFFFu;
    ULONG b_ = 0xFFFFFFFFu;
};

// Names a core interface that the host may or may not offer.
class Interface_ID {
public:
    constexpr Interface_ID() = default;
    constexpr Interface_ID(ULONG a, ULONG b) : a_(a), b_(b) {}

    constexpr ULONG PartA() const { return a_; }
    constexpr ULONG PartB() const { return b_; }

    constexpr bool operator==(const Interface_ID&) const = default;

private:
    ULONG a_ = 0;
    ULONG b_ = 0;
};

// A face's material id: 16 bits, so larger indices keep their low 16 bits.
using MtlID = WORD;

// Identifies a parameter within a parameter block.
using ParamID = short;

}  // namespace hostapi
