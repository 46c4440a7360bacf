#include "gltf/SmoothingNormals.h"

#include <cmath>

namespace tvx::gltf {
namespace {

void AddScaled(Vec3d& sum, const Vec3d& v, double w) {
    sum = {sum.x + w * v.x, sum.y + w * v.y, sum.z + w * v.z};
}

// (0, 0, 0) for a vector with no direction.
Vec3d Unit(const Vec3d& v) {
    const double length = std::sqrt(Dot(v, v));
    return length > 0.0 && std::isfinite(length) ? Vec3d{v.x / length, v.y / length, v.z / length} : Vec3d{};
}

struct Face {
    Vec3d normal;                  // unit, or zero when degenerate
    std::array<double, 3> angle{};  // at each corner, 0 when degenerate
};

Face FaceOf(const std::vector<Vec3d>& p, const SmoothedTriangle& t) {
    Face face;
    const Vec3d& a = p[t.v[0]];
    const Vec3d& b = p[t.v[1]];
    const Vec3d& c = p[t.v[2]];
    face.normal = Unit(Cross(Towards(a, b), Towards(a, c)));
    if (Dot(face.normal, face.normal) == 0.0) {
        return face;
    }
    const Vec3d corners[3] = {a, b, c};
    for (std::size_t k = 0; k < 3; ++k) {
        const Vec3d e1 = Towards(corners[k], corners[(k + 1) % 3]);
        const Vec3d e2 = Towards(corners[k], corners[(k + 2) % 3]);
        const Vec3d cross = Cross(e1, e2);
        face.angle[k] = std::atan2(std::sqrt(Dot(cross, cross)), Dot(e1, e2));
    }
    return face;
}

// Every corner on each vertex, as (triangle, corner) packed into one index.
struct Incidence {
    std::vector<std::size_t> start;  // per vertex, into corners; one more at the end
    std::vector<std::size_t> corners;
};

Incidence IncidenceOf(std::size_t vertexCount, const std::vector<SmoothedTriangle>& triangles) {
    Incidence out;
    out.start.assign(vertexCount + 1, 0);
    for (const SmoothedTriangle& t : triangles) {
        for (const std::uint32_t v : t.v) {
            ++out.start[v + 1];
        }
    }
    for (std::size_t v = 0; v < vertexCount; ++v) {
        out.start[v + 1] += out.start[v];
    }
    std::vector<std::size_t> next(out.start.begin(), out.start.end() - 1);
    out.corners.resize(3 * triangles.size());
    for (std::size_t t = 0; t < triangles.size(); ++t) {
        for (std::size_t c = 0; c < 3; ++c) {
            out.corners[next[triangles[t].v[c]]++] = 3 * t + c;
        }
    }
    return out;
}

// The angle-weighted normal sums on one vertex, one per distinct group mask;
// a vertex has few, however many faces meet there.
struct MaskSum {
    std::uint32_t groups;
    Vec3d sum;
};

std::vector<MaskSum> SumsAt(const Incidence& incidence, std::size_t v, const std::vector<SmoothedTriangle>& triangles,
                            const std::vector<Face>& faces) {
    std::vector<MaskSum> sums;
    for (std::size_t i = incidence.start[v]; i < incidence.start[v + 1]; ++i) {
        const std::size_t t = incidence.corners[i] / 3;
        const std::uint32_t groups = triangles[t].groups;
        if (groups == 0) {
            continue;
        }
        MaskSum* entry = nullptr;
        for (MaskSum& s : sums) {
            entry = s.groups == groups ? &s : entry;
        }
        if (entry == nullptr) {
            entry = &sums.emplace_back(MaskSum{groups, {}});
        }
        AddScaled(entry->sum, faces[t].normal, faces[t].angle[incidence.corners[i] % 3]);
    }
    return sums;
}

}  // namespace

std::vector<std::array<Vec3d, 3>> SmoothingNormals(const std::vector<Vec3d>& positions,
                                                   const std::vector<SmoothedTriangle>& triangles) {
    std::vector<Face> faces;
    faces.reserve(triangles.size());
    for (const SmoothedTriangle& t : triangles) {
        faces.push_back(FaceOf(positions, t));
    }
    std::vector<std::array<Vec3d, 3>> out(triangles.size());
    for (std::size_t t = 0; t < triangles.size(); ++t) {
        out[t] = {faces[t].normal, faces[t].normal, faces[t].normal};
    }
    const Incidence incidence = IncidenceOf(positions.size(), triangles);
    for (std::size_t v = 0; v < positions.size(); ++v) {
        const std::vector<MaskSum> sums = SumsAt(incidence, v, triangles, faces);
        for (std::size_t i = incidence.start[v]; i < incidence.start[v + 1] && !sums.empty(); ++i) {
            const std::size_t t = incidence.corners[i] / 3;
            Vec3d sum;
            for (const MaskSum& s : sums) {
                if ((s.groups & triangles[t].groups) != 0) {
                    AddScaled(sum, s.sum, 1.0);
                }
            }
            const Vec3d smooth = Unit(sum);
            if (Dot(smooth, smooth) > 0.0) {
                out[t][incidence.corners[i] % 3] = smooth;
            }
        }
    }
    return out;
}

}  // namespace tvx::gltf
