// Plain value types shared by the scene document and the geometry routines.
//
// Only storage lives here; the operations on these types are in geometry/.
// Conventions that the file format and every routine rely on:
//   - Matrix4 is row-major (element (r, c) at index 4r + c) and maps column
//     vectors: p' = M * p, translation in column 3. A default Matrix4 is the
//     identity.
//   - Quaternion is stored x, y, z, w; the default is the identity (0, 0, 0, 1).
#pragma once

#include <array>
#include <cstddef>

namespace tvx {

struct Vector2 {
    float u = 0.0f;
    float v = 0.0f;

    constexpr bool operator==(const Vector2&) const = default;
};

struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    constexpr bool operator==(const Vector3&) const = default;
};

struct Quaternion {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;

    constexpr bool operator==(const Quaternion&) const = default;
    static constexpr Quaternion Zero() { return {0.0f, 0.0f, 0.0f, 0.0f}; }
};

struct RGBA {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;

    constexpr bool operator==(const RGBA&) const = default;
};

struct Matrix4 {
    std::array<float, 16> m{1.0f, 0.0f, 0.0f, 0.0f,
                            0.0f, 1.0f, 0.0f, 0.0f,
                            0.0f, 0.0f, 1.0f, 0.0f,
                            0.0f, 0.0f, 0.0f, 1.0f};

    constexpr float& operator()(int row, int col) { return m[static_cast<std::size_t>(4 * row + col)]; }
    constexpr float operator()(int row, int col) const { return m[static_cast<std::size_t>(4 * row + col)]; }

    constexpr bool operator==(const Matrix4&) const = default;
    static constexpr Matrix4 Identity() { return {}; }
    static constexpr Matrix4 Zero() {
        Matrix4 z;
        z.m.fill(0.0f);
        return z;
    }
};

}  // namespace tvx
