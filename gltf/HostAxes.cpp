#include "gltf/HostAxes.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>

#include "gltf/GltfError.h"

namespace tvx::gltf {

namespace {

Mat4 Frame(bool view) { return view ? Mat4{} : AxisChangeBack(); }

// A as a quaternion: a quarter turn about x.
constexpr double kHalfRoot2 = std::numbers::sqrt2 / 2.0;
constexpr Quat kAxisTurn{kHalfRoot2, 0.0, 0.0, kHalfRoot2};
constexpr Quat kAxisTurnBack{-kHalfRoot2, 0.0, 0.0, kHalfRoot2};
constexpr Quat kNoTurn{0.0, 0.0, 0.0, 1.0};

}  // namespace

Vec3d HostPoint(const Vec3d& p) { return {p.x, -p.z, p.y}; }

Mat4 HostLocal(const Mat4& local, Frames frames) {
    return Multiply(Multiply(Frame(frames.parentIsView), local), InverseAffine(Frame(frames.isView)));
}

nlohmann::ordered_json HostRows(const Mat4& host) {
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    // Row i of the host matrix is column i of the column-vector matrix.
    for (int col = 0; col < 4; ++col) {
        rows.push_back({HostNumber(host.at(0, col), "a node transform"),
                        HostNumber(host.at(1, col), "a node transform"),
                        HostNumber(host.at(2, col), "a node transform")});
    }
    return rows;
}

Vec3 HostTranslation(const Vec3& t, Frames frames) {
    if (frames.parentIsView) {
        return t;
    }
    const Vec3d p = HostPoint({t[0], t[1], t[2]});
    return {p.x, p.y, p.z};
}

Quat HostRotation(const Quat& q, Frames frames) {
    const Quat turned = QuatProduct(QuatProduct(frames.parentIsView ? kNoTurn : kAxisTurn, q),
                                    frames.isView ? kNoTurn : kAxisTurnBack);
    return {-turned[0], -turned[1], -turned[2], turned[3]};
}

Vec3 HostScale(const Vec3& s, Frames frames) { return frames.isView ? s : Vec3{s[0], s[2], s[1]}; }

double HostNumber(double v, const char* what) {
    if (!std::isfinite(v) || std::fabs(v) > kLargestHostNumber) {
        char digits[32];
        const std::string shown(digits, std::to_chars(digits, digits + sizeof digits, v).ptr);
        throw GltfError(std::string("a value of ") + what + " is " + shown + ", not a finite number within 1e30 of 0");
    }
    return static_cast<double>(static_cast<float>(v));
}

}  // namespace tvx::gltf
