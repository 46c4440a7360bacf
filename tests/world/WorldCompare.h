// Comparing what two scenes show over the same row of times.
//
// Vertices are compared as paths, not one time at a time: a vertex of one
// scene is matched with the vertex of the other whose path stays closest to
// its own over all the times, so a vertex that passes through another's
// place at one time cannot stand in for it. Conversions may split or merge
// vertices (UV seams, welding), so the match is made both ways and no count
// needs to agree.
#pragma once

#include <string>

#include "tests/world/WorldScene.h"

namespace tvx::world {

// The worst gap found, and a sentence saying where.
struct Gap {
    double value = 0.0;
    std::string where;
};

// The farthest any vertex strays from the path that matches it best, in
// either direction, over `scale` (the diagonal, usually). A scene without
// vertices against one with vertices is an infinite gap.
Gap VertexGap(const Timeline& a, const Timeline& b, double scale);

// For every node name of `a` that `b` also has, over all times: the
// distance between the origins over `scale`, and the largest difference of
// the 3 x 3 parts (turn and scale).
Gap NodeGap(const Timeline& a, const Timeline& b, double scale);
Gap NodeAxesGap(const Timeline& a, const Timeline& b);

// For every view of `a`: missing from `b` or of another kind is an
// infinite gap; else the larger of the origins' distance over `scale`, the
// difference of the -Z and +Y directions and, where both carry the same
// names, the largest difference of the values relative to their size.
Gap ViewGap(const Timeline& a, const Timeline& b, double scale);

// The names of `a`'s nodes that `b` lacks, separated by ", ".
std::string MissingNodes(const WorldScene& a, const WorldScene& b);

}  // namespace tvx::world
