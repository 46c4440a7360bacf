// Cutting every polygon of the scene's face lists into triangles.
#pragma once

#include <array>

#include "document/TVXScene.h"

namespace tvx {

using CornerTriple = std::array<int, 3>;

// Calls fn with the corners of each triangle that cuts a polygon of n
// corners, n - 2 of them: a fan closed from both ends, (n-1, 0, n-2),
// (0, 1, n-2), (n-2, 1, n-3), ... so a quad (a, b, c, d) becomes (d, a, c)
// and (a, b, c). Nothing below 3 corners.
template <class Fn>
void ForEachTriangle(int n, Fn&& fn) {
    if (n == 3) {
        fn(CornerTriple{0, 1, 2});
        return;
    }
    const int half = n >= 4 ? (n - 2) / 2 : 0;
    for (int k = 0; k < half; ++k) {
        const int c = n - 1 - k;
        fn(CornerTriple{c, k, c - 1});
        fn(CornerTriple{k, k + 1, c - 1});
    }
    if (n >= 4 && n % 2 == 1) {
        const int c = n - 1 - half;
        fn(CornerTriple{c, half, c - 1});
    }
}

// When any polygon has 4 or more corners, every face list is replaced by one
// of triangles only: each triangle takes its polygon's material, smoothing
// number, vertex and second indices and its first two UV channels; its group
// index is -1. Polygons with fewer than 3 corners are dropped. Otherwise
// (and without face lists or vertices) nothing changes. All or nothing:
// when memory runs out the old face lists stay. Returns 1 when the face
// lists were replaced.
int TriangulatePolygons(TVXScene& scene);

// Whether TriangulatePolygons has anything to cut: face lists, vertices and
// a polygon of 4 corners or more.
[[nodiscard]] bool NeedsTriangulation(const TVXScene& scene);

}  // namespace tvx
