#include "geometry/Vector.h"

#include <cmath>

namespace tvx {

bool NearlyEqual(float a, float b) { return std::fabs(a - b) < kNearlyEqualTolerance; }

bool NearlyZero(float a) { return std::fabs(a) < kNearlyEqualTolerance; }

bool NearlyEqual(const Vector3& a, const Vector3& b) {
    return NearlyEqual(a.x, b.x) && NearlyEqual(a.y, b.y) && NearlyEqual(a.z, b.z);
}

float Length(const Vector3& a) {
    const float squared = LengthSquared(a);
    // Skipping the root of an exact zero keeps a zero length exactly 0.
    return squared != 0.0f ? std::sqrt(squared) : 0.0f;
}

float Distance(const Vector3& a, const Vector3& b) { return Length(a - b); }

Vector3 Normalize(const Vector3& a) {
    const float length = Length(a);
    if (!(length > 0.0f)) {
        return {};
    }
    return a * (1.0f / length);
}

}  // namespace tvx
