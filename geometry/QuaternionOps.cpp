#include "geometry/QuaternionOps.h"

#include <cmath>

namespace tvx {

namespace {

float Dot4(const Quaternion& a, const Quaternion& b) { return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w; }

float DistanceSquared4(const Quaternion& a, const Quaternion& b) {
    const Quaternion d{a.x - b.x, a.y - b.y, a.z - b.z, a.w - b.w};
    return Dot4(d, d);
}

Quaternion Negated(const Quaternion& q) { return {-q.x, -q.y, -q.z, -q.w}; }

Quaternion Blend(const Quaternion& p, float s0, const Quaternion& q, float s1) {
    return {s0 * p.x + s1 * q.x, s0 * p.y + s1 * q.y, s0 * p.z + s1 * q.z, s0 * p.w + s1 * q.w};
}

// Builds the quaternion from one component computed by a square root (index
// `largest`: 0..2 for x..z, 3 for w) and the other three from sums and
// differences of the off-diagonal pairs divided by four times it.
Quaternion FromLargestComponent(const Matrix4& m, int largest) {
    const float sumZY = m(2, 1) + m(1, 2);
    const float sumXZ = m(0, 2) + m(2, 0);
    const float sumYX = m(1, 0) + m(0, 1);
    const float diffZY = m(2, 1) - m(1, 2);
    const float diffXZ = m(0, 2) - m(2, 0);
    const float diffYX = m(1, 0) - m(0, 1);
    const float trace = m(0, 0) + m(1, 1) + m(2, 2);

    if (largest == 3) {
        const float w = 0.5f * std::sqrt(1.0f + trace);
        const float k = 0.25f / w;
        return {diffZY * k, diffXZ * k, diffYX * k, w};
    }
    if (largest == 0) {
        const float x = 0.5f * std::sqrt(1.0f + m(0, 0) - m(1, 1) - m(2, 2));
        const float k = 0.25f / x;
        return {x, sumYX * k, sumXZ * k, diffZY * k};
    }
    if (largest == 1) {
        const float y = 0.5f * std::sqrt(1.0f - m(0, 0) + m(1, 1) - m(2, 2));
        const float k = 0.25f / y;
        return {sumYX * k, y, sumZY * k, diffXZ * k};
    }
    const float z = 0.5f * std::sqrt(1.0f - m(0, 0) - m(1, 1) + m(2, 2));
    const float k = 0.25f / z;
    return {sumXZ * k, sumZY * k, z, diffYX * k};
}

}  // namespace

Quaternion Multiply(const Quaternion& a, const Quaternion& b) {
    return {a.x * b.w + a.y * b.z - a.z * b.y + a.w * b.x,
            -a.x * b.z + a.y * b.w + a.z * b.x + a.w * b.y,
            a.x * b.y - a.y * b.x + a.z * b.w + a.w * b.z,
            -a.x * b.x - a.y * b.y - a.z * b.z + a.w * b.w};
}

Quaternion Inverse(const Quaternion& q) {
    const float normSquared = Dot4(q, q);
    if (!(normSquared > 0.0f)) {
        return q;
    }
    return {-q.x / normSquared, -q.y / normSquared, -q.z / normSquared, q.w / normSquared};
}

Quaternion Slerp(const Quaternion& p, const Quaternion& q, float t) {
    // q and -q are the same rotation; take the one nearer p for the short arc.
    const Quaternion target = DistanceSquared4(p, q) > DistanceSquared4(p, Negated(q)) ? Negated(q) : q;
    const float cosine = Dot4(p, target);

    // The thresholds are double constants: the float sums are promoted for the
    // comparison only.
    if (static_cast<double>(1.0f + cosine) > 1e-8) {
        if (static_cast<double>(1.0f - cosine) > 1e-8) {
            const float angle = std::acos(cosine);
            const float sine = std::sin(angle);
            return Blend(p, std::sin((1.0f - t) * angle) / sine, target, std::sin(t * angle) / sine);
        }
        // Nearly the same rotation: sin(angle) is too small to divide by, and
        // the arc is indistinguishable from the chord.
        return Blend(p, 1.0f - t, target, t);
    }

    // Opposite: no unique great circle, so go through a quaternion
    // perpendicular to p, a quarter turn away in 4D.
    constexpr float kHalfPi = 0.5f * 3.1415927f;
    const Quaternion perpendicular{-p.y, p.x, -p.w, p.z};
    const float s0 = std::sin((1.0f - t) * kHalfPi);
    const float s1 = std::sin(t * kHalfPi);
    return {s0 * p.x + s1 * perpendicular.x, s0 * p.y + s1 * perpendicular.y, s0 * p.z + s1 * perpendicular.z,
            perpendicular.w};
}

Quaternion QuaternionFromRotation(const Matrix4& m) {
    // 4w^2 - 1 = trace, 4x^2 - 1 = m00 - m11 - m22, and so on: the largest of
    // these picks the component that is safest to divide by.
    const float trace = m(0, 0) + m(1, 1) + m(2, 2);
    int largest = 3;
    float largestValue = trace;
    for (int i = 0; i < 3; ++i) {
        const float value = 2.0f * m(i, i) - trace;
        if (value > largestValue) {
            largest = i;
            largestValue = value;
        }
    }
    return FromLargestComponent(m, largest);
}

}  // namespace tvx
