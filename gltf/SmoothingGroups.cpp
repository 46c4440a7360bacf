#include "gltf/SmoothingGroups.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numeric>

namespace tvx::gltf {
namespace {

// Unit vectors this close are one direction: far tighter than any crease,
// loose enough for normals a file stores as floats.
constexpr double kSameDirection = 1e-3;
constexpr int kGroups = 32;
// More normals than this at one position is no surface anyone smooths, and
// comparing every corner with each of them would let a file make the work
// grow with the square of its corners; further corners there join nothing.
constexpr std::size_t kMostNormalsAtOnePosition = 64;

using Triangle = std::array<std::uint32_t, 3>;

std::optional<Vec3d> Unit(const Vec3d& v) {
    const double length = std::sqrt(Dot(v, v));
    if (!(length > 0.0) || !std::isfinite(length)) {
        return std::nullopt;
    }
    return Vec3d{v.x / length, v.y / length, v.z / length};
}

bool Same(const Vec3d& a, const Vec3d& b) {
    const Vec3d d = Towards(a, b);
    return Dot(d, d) <= kSameDirection * kSameDirection;
}

// Each vertex's position id: vertices at exactly the same place share one.
// Positions are compared by their bits, an order that holds for any value
// a file may hold.
std::vector<std::size_t> WeldedPositions(const std::vector<NormalVertex>& vertices, std::size_t& count) {
    std::vector<std::size_t> order(vertices.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto key = [&](std::size_t i) {
        const Vec3d& p = vertices[i].position;
        return std::array<std::uint64_t, 3>{std::bit_cast<std::uint64_t>(p.x), std::bit_cast<std::uint64_t>(p.y),
                                            std::bit_cast<std::uint64_t>(p.z)};
    };
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
    std::vector<std::size_t> id(vertices.size());
    count = 0;
    for (std::size_t k = 0; k < order.size(); ++k) {
        count += k == 0 || key(order[k]) != key(order[k - 1]) ? 1 : 0;
        id[order[k]] = count - 1;
    }
    return id;
}

struct Regions {
    std::vector<std::size_t> parent;

    explicit Regions(std::size_t n) : parent(n) { std::iota(parent.begin(), parent.end(), std::size_t{0}); }
    std::size_t Find(std::size_t i) {
        while (parent[i] != i) {
            parent[i] = parent[parent[i]];
            i = parent[i];
        }
        return i;
    }
    void Join(std::size_t a, std::size_t b) { parent[Find(a)] = Find(b); }
};

struct Corner {
    std::size_t triangle;
    Vec3d normal;
};

// Per position, the corners there that have a normal.
std::vector<std::vector<Corner>> CornersByPosition(const std::vector<NormalVertex>& vertices,
                                                   const std::vector<Triangle>& triangles,
                                                   const std::vector<std::size_t>& position, std::size_t positions) {
    std::vector<std::vector<Corner>> out(positions);
    for (std::size_t t = 0; t < triangles.size(); ++t) {
        for (const std::uint32_t v : triangles[t]) {
            if (const std::optional<Vec3d> n = vertices[v].normal ? Unit(*vertices[v].normal) : std::nullopt) {
                out[position[v]].push_back({t, *n});
            }
        }
    }
    return out;
}

// Faces meeting at a position with one normal there join; the corners are
// clustered by normal, and a position has few clusters however many faces.
void JoinAlongNormals(const std::vector<std::vector<Corner>>& byPosition, Regions& regions) {
    for (const std::vector<Corner>& corners : byPosition) {
        std::vector<const Corner*> clusters;
        for (const Corner& corner : corners) {
            const auto same = std::find_if(clusters.begin(), clusters.end(),
                                           [&](const Corner* c) { return Same(c->normal, corner.normal); });
            if (same == clusters.end()) {
                if (clusters.size() < kMostNormalsAtOnePosition) {
                    clusters.push_back(&corner);
                }
            } else {
                regions.Join(corner.triangle, (*same)->triangle);
            }
        }
    }
}

// Whether a face shades flat whatever its group: it has no normals, or each
// corner's is its face's own (a degenerate face, with none, counts as flat).
bool ShadesFlat(const std::vector<NormalVertex>& vertices, const Triangle& t) {
    const Vec3d& a = vertices[t[0]].position;
    const Vec3d& b = vertices[t[1]].position;
    const Vec3d& c = vertices[t[2]].position;
    const std::optional<Vec3d> face = Unit(Cross(Towards(a, b), Towards(a, c)));
    return std::all_of(t.begin(), t.end(), [&](std::uint32_t i) {
        const std::optional<Vec3d> n = vertices[i].normal ? Unit(*vertices[i].normal) : std::nullopt;
        return !n || !face || Same(*n, *face);
    });
}

// The group of each region root that needs one, lowest first, none (0)
// when every group is taken by a region it touches. Regions take their
// groups in order, and each position keeps the groups of the regions given
// one there so far: the work grows with the corners, however many regions
// crowd one position.
std::vector<std::uint32_t> ColourRegions(const std::vector<std::vector<Corner>>& byPosition, Regions& regions,
                                         const std::vector<bool>& needsGroup) {
    std::vector<std::pair<std::size_t, std::size_t>> regionAt;  // (region, position)
    for (std::size_t p = 0; p < byPosition.size(); ++p) {
        for (const Corner& c : byPosition[p]) {
            const std::size_t r = regions.Find(c.triangle);
            if (needsGroup[r]) {
                regionAt.emplace_back(r, p);
            }
        }
    }
    std::sort(regionAt.begin(), regionAt.end());
    std::vector<std::uint32_t> groupsAt(byPosition.size(), 0);
    std::vector<std::uint32_t> group(needsGroup.size(), 0);
    for (std::size_t first = 0; first < regionAt.size();) {
        const std::size_t r = regionAt[first].first;
        std::size_t last = first;
        std::uint32_t taken = 0;
        for (; last < regionAt.size() && regionAt[last].first == r; ++last) {
            taken |= groupsAt[regionAt[last].second];
        }
        for (int k = 0; k < kGroups && group[r] == 0; ++k) {
            group[r] = (taken & (1u << k)) == 0 ? 1u << k : 0u;
        }
        for (; first < last; ++first) {
            groupsAt[regionAt[first].second] |= group[r];
        }
    }
    return group;
}

}  // namespace

std::vector<std::uint32_t> SmoothingGroupsFromNormals(const std::vector<NormalVertex>& vertices,
                                                      const std::vector<Triangle>& triangles) {
    std::size_t positions = 0;
    const std::vector<std::size_t> position = WeldedPositions(vertices, positions);
    const std::vector<std::vector<Corner>> byPosition = CornersByPosition(vertices, triangles, position, positions);
    Regions regions(triangles.size());
    JoinAlongNormals(byPosition, regions);

    // A region needs a group unless it is one face or every face of it is flat.
    std::vector<std::size_t> faces(triangles.size(), 0);
    std::vector<bool> curved(triangles.size(), false);
    for (std::size_t t = 0; t < triangles.size(); ++t) {
        const std::size_t r = regions.Find(t);
        ++faces[r];
        curved[r] = curved[r] || !ShadesFlat(vertices, triangles[t]);
    }
    std::vector<bool> needsGroup(triangles.size(), false);
    for (std::size_t r = 0; r < triangles.size(); ++r) {
        needsGroup[r] = faces[r] > 1 && curved[r];
    }
    const std::vector<std::uint32_t> group = ColourRegions(byPosition, regions, needsGroup);
    std::vector<std::uint32_t> out(triangles.size());
    for (std::size_t t = 0; t < triangles.size(); ++t) {
        out[t] = group[regions.Find(t)];
    }
    return out;
}

}  // namespace tvx::gltf
