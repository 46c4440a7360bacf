#include "gltf/Sampler.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "gltf/Accessors.h"
#include "gltf/GltfError.h"

namespace tvx::gltf {

namespace {

void Normalise(std::vector<double>& q) {
    const double len = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    if (len > 0.0 && std::isfinite(len)) {
        for (double& c : q) {
            c /= len;
        }
    } else {
        q = {0.0, 0.0, 0.0, 1.0};
    }
}

std::vector<double> Slerp(std::vector<double> a, std::vector<double> b, double u) {
    Normalise(a);
    Normalise(b);
    double dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3];
    if (dot < 0.0) {
        dot = -dot;
        for (double& c : b) {
            c = -c;
        }
    }
    double wa = 1.0 - u;
    double wb = u;
    // Close quaternions interpolate linearly: the sine below would vanish.
    if (dot < 0.9995) {
        const double angle = std::acos(std::min(dot, 1.0));
        wa = std::sin((1.0 - u) * angle) / std::sin(angle);
        wb = std::sin(u * angle) / std::sin(angle);
    }
    std::vector<double> r(4);
    for (std::size_t i = 0; i < 4; ++i) {
        r[i] = wa * a[i] + wb * b[i];
    }
    Normalise(r);
    return r;
}

}  // namespace

Track::Track(const tinygltf::Model& model, const tinygltf::AnimationSampler& sampler, int components, bool rotation)
    : components_(static_cast<std::size_t>(components)), rotation_(rotation) {
    if (sampler.interpolation == "STEP") {
        mode_ = Mode::Step;
    } else if (sampler.interpolation == "CUBICSPLINE") {
        mode_ = Mode::Cubic;
    } else if (!sampler.interpolation.empty() && sampler.interpolation != "LINEAR") {
        throw GltfError("unknown animation interpolation \"" + sampler.interpolation + "\"");
    }
    times_ = ReadNumbers(model, sampler.input, 1, "animation input");
    values_ = ReadNumbers(model, sampler.output, components, "animation output");
    if (times_.empty()) {
        throw GltfError("an animation sampler has no keys");
    }
    for (std::size_t i = 0; i < times_.size(); ++i) {
        if (!std::isfinite(times_[i]) || times_[i] < 0.0 || (i > 0 && times_[i] < times_[i - 1])) {
            throw GltfError("animation input times must be finite, not negative and increasing");
        }
    }
    const std::size_t perKey = mode_ == Mode::Cubic ? 3 : 1;
    if (values_.size() != times_.size() * perKey * components_) {
        throw GltfError("an animation sampler has " + std::to_string(values_.size() / components_) +
                        " output values for " + std::to_string(times_.size()) + " keys");
    }
}

// part: 0 in-tangent, 1 value, 2 out-tangent for cubic splines.
std::vector<double> Track::Value(std::size_t key, std::size_t part) const {
    const std::size_t element = mode_ == Mode::Cubic ? 3 * key + part : key;
    const auto first = values_.begin() + static_cast<std::ptrdiff_t>(element * components_);
    return {first, first + static_cast<std::ptrdiff_t>(components_)};
}

std::vector<double> Track::Cubic(std::size_t k, double u, double dt) const {
    const std::vector<double> p0 = Value(k, 1);
    const std::vector<double> m0 = Value(k, 2);
    const std::vector<double> p1 = Value(k + 1, 1);
    const std::vector<double> m1 = Value(k + 1, 0);
    const double u2 = u * u;
    const double u3 = u2 * u;
    std::vector<double> r(components_);
    for (std::size_t i = 0; i < components_; ++i) {
        r[i] = (2 * u3 - 3 * u2 + 1) * p0[i] + (u3 - 2 * u2 + u) * dt * m0[i] + (-2 * u3 + 3 * u2) * p1[i] +
               (u3 - u2) * dt * m1[i];
    }
    if (rotation_) {
        Normalise(r);
    }
    return r;
}

std::vector<double> Track::At(double t) const {
    if (t <= times_.front()) {
        return Value(0, 1);
    }
    if (t >= times_.back()) {
        return Value(times_.size() - 1, 1);
    }
    const auto k = static_cast<std::size_t>(std::upper_bound(times_.begin(), times_.end(), t) - times_.begin()) - 1;
    const double dt = times_[k + 1] - times_[k];
    if (mode_ == Mode::Step || dt <= 0.0) {
        return Value(mode_ == Mode::Step ? k : k + 1, 1);
    }
    const double u = (t - times_[k]) / dt;
    if (mode_ == Mode::Cubic) {
        return Cubic(k, u, dt);
    }
    const std::vector<double> a = Value(k, 1);
    const std::vector<double> b = Value(k + 1, 1);
    if (rotation_) {
        return Slerp(a, b, u);
    }
    std::vector<double> r(components_);
    for (std::size_t i = 0; i < components_; ++i) {
        r[i] = a[i] + (b[i] - a[i]) * u;
    }
    return r;
}

}  // namespace tvx::gltf
