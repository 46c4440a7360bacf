#include "tests/world/WorldCompare.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>

namespace tvx::world {
namespace {

constexpr double kInfinite = std::numeric_limits<double>::infinity();

double Distance(const Vec3d& a, const Vec3d& b) { return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z); }

std::string Text(const Vec3d& p) {
    std::ostringstream out;
    out << "(" << p.x << ", " << p.y << ", " << p.z << ")";
    return out.str();
}

Vec3d Origin(const Mat4& m) { return {m.at(0, 3), m.at(1, 3), m.at(2, 3)}; }

Vec3d Unit(const Vec3d& v) {
    const double length = std::hypot(v.x, v.y, v.z);
    return length > 0.0 ? Vec3d{v.x / length, v.y / length, v.z / length} : v;
}

double LinearGap(const Mat4& a, const Mat4& b) {
    double gap = 0.0;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            gap = std::max(gap, std::fabs(a.at(r, c) - b.at(r, c)));
        }
    }
    return gap;
}

void Keep(Gap& worst, double value, const std::string& where) {
    if (value > worst.value || (std::isinf(value) && !std::isinf(worst.value))) {
        worst = {value, where};
    }
}

// How far vertex i of `a` strays, at worst, from the path of `b` that
// follows it best; `times` is the number of times both timelines hold.
Gap Straying(const Timeline& a, const Timeline& b, std::size_t i, std::size_t times) {
    double best = kInfinite;
    std::size_t bestJ = 0, bestT = 0;
    for (std::size_t j = 0; j < b.front().vertices.size(); ++j) {
        double farthest = 0.0;
        std::size_t at = 0;
        for (std::size_t t = 0; t < times && farthest < best; ++t) {
            const double d = Distance(a[t].vertices[i], b[t].vertices[j]);
            if (d > farthest) {
                farthest = d;
                at = t;
            }
        }
        if (farthest < best) {
            best = farthest;
            bestJ = j;
            bestT = at;
        }
    }
    if (std::isinf(best)) {
        return {kInfinite, "the other scene has no vertices"};
    }
    return {best, "at " + std::to_string(a[bestT].seconds) + " s the vertex at " + Text(a[bestT].vertices[i]) +
                      ", whose closest match is at " + Text(b[bestT].vertices[bestJ])};
}

Gap DirectedVertexGap(const Timeline& a, const Timeline& b, const char* direction) {
    Gap worst;
    const std::size_t times = std::min(a.size(), b.size());
    if (times == 0 || a.front().vertices.empty()) {
        return worst;
    }
    for (std::size_t i = 0; i < a.front().vertices.size(); ++i) {
        const Gap gap = Straying(a, b, i, times);
        Keep(worst, gap.value, std::string(direction) + ": " + gap.where);
    }
    return worst;
}

double ValueGap(const View& a, const View& b) {
    double gap = 0.0;
    for (const auto& [name, value] : a.values) {
        const double other = b.values.at(name);
        gap = std::max(gap, std::fabs(value - other) / std::max(1.0, std::fabs(value)));
    }
    return gap;
}

bool SameNames(const View& a, const View& b) {
    return a.values.size() == b.values.size() &&
           std::equal(a.values.begin(), a.values.end(), b.values.begin(),
                      [](const auto& x, const auto& y) { return x.first == y.first; });
}

}  // namespace

double Diagonal(const Timeline& timeline) {
    Vec3d low{kInfinite, kInfinite, kInfinite};
    Vec3d high{-kInfinite, -kInfinite, -kInfinite};
    const auto take = [&](const Vec3d& p) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    };
    for (const WorldScene& scene : timeline) {
        std::for_each(scene.vertices.begin(), scene.vertices.end(), take);
        for (const auto& entry : scene.nodes) {
            take(Origin(entry.second));
        }
    }
    return low.x > high.x ? 1e-6 : std::max(Distance(low, high), 1e-6);
}

Gap VertexGap(const Timeline& a, const Timeline& b, double scale) {
    Gap worst = DirectedVertexGap(a, b, "a vertex came out elsewhere");
    const Gap back = DirectedVertexGap(b, a, "a vertex was lost");
    Keep(worst, back.value, back.where);
    worst.value /= scale;
    return worst;
}

// The worst of `measure`(before, after, where) over the nodes both have.
template <class Measure>
Gap OverCommonNodes(const Timeline& a, const Timeline& b, Measure measure) {
    Gap worst;
    for (std::size_t t = 0; t < std::min(a.size(), b.size()); ++t) {
        for (const auto& [name, world] : a[t].nodes) {
            const auto other = b[t].nodes.find(name);
            if (other != b[t].nodes.end()) {
                const Gap gap = measure(world, other->second);
                Keep(worst, gap.value, "node " + name + " at " + std::to_string(a[t].seconds) + " s: " + gap.where);
            }
        }
    }
    return worst;
}

Gap NodeGap(const Timeline& a, const Timeline& b, double scale) {
    return OverCommonNodes(a, b, [&](const Mat4& before, const Mat4& after) {
        return Gap{Distance(Origin(before), Origin(after)) / scale,
                   "origin " + Text(Origin(after)) + ", was " + Text(Origin(before))};
    });
}

Gap NodeAxesGap(const Timeline& a, const Timeline& b) {
    return OverCommonNodes(a, b, [](const Mat4& before, const Mat4& after) {
        return Gap{LinearGap(before, after), "its axes turned or scaled"};
    });
}

Gap ViewGap(const Timeline& a, const Timeline& b, double scale) {
    Gap worst;
    for (std::size_t t = 0; t < std::min(a.size(), b.size()); ++t) {
        for (const auto& [name, view] : a[t].views) {
            const std::string where = "view " + name + " at " + std::to_string(a[t].seconds) + " s";
            const auto found = b[t].views.find(name);
            if (found == b[t].views.end() || found->second.kind != view.kind) {
                Keep(worst, kInfinite, where + ": missing, or of another kind");
                continue;
            }
            const View& other = found->second;
            Keep(worst, Distance(Origin(view.world), Origin(other.world)) / scale, where + ": moved");
            const Vec3d forward = Unit(gltf::TransformDirection(view.world, {0, 0, -1}));
            const Vec3d up = Unit(gltf::TransformDirection(view.world, {0, 1, 0}));
            Keep(worst, Distance(forward, Unit(gltf::TransformDirection(other.world, {0, 0, -1}))),
                 where + ": looks elsewhere");
            Keep(worst, Distance(up, Unit(gltf::TransformDirection(other.world, {0, 1, 0}))), where + ": rolled");
            if (SameNames(view, other)) {
                Keep(worst, ValueGap(view, other), where + ": a value changed");
            }
        }
    }
    return worst;
}

std::string MissingNodes(const WorldScene& a, const WorldScene& b) {
    std::string out;
    for (const auto& entry : a.nodes) {
        if (b.nodes.count(entry.first) == 0) {
            out += (out.empty() ? "" : ", ") + entry.first;
        }
    }
    return out;
}

}  // namespace tvx::world
