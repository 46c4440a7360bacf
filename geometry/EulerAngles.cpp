#include "geometry/EulerAngles.h"

#include <array>
#include <cfloat>
#include <cmath>

#include "geometry/Matrix.h"

namespace tvx {

namespace {

// Below this, the middle rotation has (numerically) aligned the outer axis
// with the inner one and the two outer angles can no longer be told apart.
constexpr float kGimbalThreshold = 16.0f * FLT_EPSILON;

struct AxisIndices {
    int i;  // inner
    int j;  // middle
    int k;  // the third index of the frame (the outer axis unless repeated)
};

AxisIndices IndicesOf(const EulerOrder& order) {
    constexpr std::array<int, 4> kNext{1, 2, 0, 1};
    const unsigned inner = static_cast<unsigned>(order.innerAxis) % 3U;
    const unsigned odd = order.parity == EulerParity::Odd ? 1U : 0U;
    return {static_cast<int>(inner), kNext[inner + odd], kNext[inner + 1U - odd]};
}

// Static frame, even parity, axes i -> j -> k: M = Rk(c) Rj(b) Ri(a). Then
// M(i,i) = cos b cos c and M(j,i) = cos b sin c give cos b directly, and the
// row k, M(k,i) = -sin b, M(k,j) = cos b sin a, M(k,k) = cos b cos a.
Vector3 TaitBryanAngles(const Matrix4& m, const AxisIndices& ax) {
    const float cosMiddle = std::sqrt(m(ax.i, ax.i) * m(ax.i, ax.i) + m(ax.j, ax.i) * m(ax.j, ax.i));
    const float middle = std::atan2(-m(ax.k, ax.i), cosMiddle);
    if (cosMiddle > kGimbalThreshold) {
        return {std::atan2(m(ax.k, ax.j), m(ax.k, ax.k)), middle, std::atan2(m(ax.j, ax.i), m(ax.i, ax.i))};
    }
    // cos b = 0: with c = 0 the middle row is (0, cos a, -sin a) in j, k.
    return {std::atan2(-m(ax.j, ax.k), m(ax.j, ax.j)), middle, 0.0f};
}

// Static frame, even parity, axes i -> j -> i: M = Ri(c) Rj(b) Ri(a). Row i
// is (cos b, sin b sin a, sin b cos a) and column i is
// (cos b, sin b sin c, -sin b cos c) in i, j, k.
Vector3 ProperEulerAngles(const Matrix4& m, const AxisIndices& ax) {
    const float sinMiddle = std::sqrt(m(ax.i, ax.j) * m(ax.i, ax.j) + m(ax.i, ax.k) * m(ax.i, ax.k));
    const float middle = std::atan2(sinMiddle, m(ax.i, ax.i));
    if (sinMiddle > kGimbalThreshold) {
        return {std::atan2(m(ax.i, ax.j), m(ax.i, ax.k)), middle, std::atan2(m(ax.j, ax.i), -m(ax.k, ax.i))};
    }
    // sin b = 0: with c = 0 row j is (0, cos a, -sin a) in i, j, k.
    return {std::atan2(-m(ax.j, ax.k), m(ax.j, ax.j)), middle, 0.0f};
}

}  // namespace

Vector3 EulerAngles(const Matrix4& m, EulerOrder order) {
    // Reading M through the index map (i, j, k) relabels the axes so the
    // order becomes x -> y -> z. For odd parity that relabelling is a
    // reflection, and conjugating a rotation by a reflection negates its
    // angle, hence the sign flip afterwards.
    const AxisIndices axes = IndicesOf(order);
    Vector3 angles = order.repetition == EulerRepetition::Yes ? ProperEulerAngles(m, axes) : TaitBryanAngles(m, axes);
    if (order.parity == EulerParity::Odd) {
        angles = {-angles.x, -angles.y, -angles.z};
    }
    // Rotating axes applied a, b, c are fixed axes applied c, b, a.
    if (order.frame == EulerFrame::Rotating) {
        angles = {angles.z, angles.y, angles.x};
    }
    return angles;
}

Vector3 EulerAngles(const Quaternion& q, EulerOrder order) { return EulerAngles(RotationMatrix(q), order); }

}  // namespace tvx
