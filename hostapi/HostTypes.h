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
