// Euler angles of a rotation, for every axis order of the classic 24-order
// scheme: an order is its inner (first) axis, the parity of the axis
// sequence, whether the first axis is repeated as the last, and whether the
// axes are fixed (static) or move with the body (rotating).
#pragma once

#include "document/MathTypes.h"

namespace tvx {

enum class EulerAxis : unsigned { X = 0, Y = 1, Z = 2 };
// Even: the axes follow x -> y -> z -> x from the inner axis; odd: the reverse.
enum class EulerParity : unsigned { Even = 0, Odd = 1 };
// Repeated: the first and last axes are the same (x-y-x rather than x-y-z).
enum class EulerRepetition : unsigned { No = 0, Yes = 1 };
enum class EulerFrame : unsigned { Static = 0, Rotating = 1 };

struct EulerOrder {
    EulerAxis innerAxis = EulerAxis::X;
    EulerParity parity = EulerParity::Even;
    EulerRepetition repetition = EulerRepetition::No;
    EulerFrame frame = EulerFrame::Static;

    // Packed as ((axis * 2 + parity) * 2 + repetition) * 2 + frame, as in
    // Shoemake's Euler-angle conversion, so code 0 is x-y-z in static axes.
    [[nodiscard]] constexpr unsigned Code() const {
        return ((static_cast<unsigned>(innerAxis) * 2U + static_cast<unsigned>(parity)) * 2U +
                static_cast<unsigned>(repetition)) * 2U +
               static_cast<unsigned>(frame);
    }
    // An inner-axis field above 2 wraps around, so every code maps to a valid order.
    [[nodiscard]] static constexpr EulerOrder FromCode(unsigned code) {
        return {static_cast<EulerAxis>((code >> 3U) % 3U), static_cast<EulerParity>((code >> 2U) & 1U),
                static_cast<EulerRepetition>((code >> 1U) & 1U), static_cast<EulerFrame>(code & 1U)};
    }
    constexpr bool operator==(const EulerOrder&) const = default;
};

// x, then y, then z about the fixed axes: M = Rz(angles.z) * Ry(angles.y) * Rx(angles.x).
inline constexpr EulerOrder kEulerXYZStatic{};

// Angles in radians of the rotation in rows and columns 0..2 of m. With the
// axes inner, middle and outer (outer = inner when repeated):
//   static frame:   M = R_outer(angles.z) * R_middle(angles.y) * R_inner(angles.x)
//   rotating frame: M = R_outer(angles.x) * R_middle(angles.y) * R_inner(angles.z)
// so a rotating order reads left to right as x, y, z. At gimbal lock the
// angle that would be undetermined is set to 0 and the other one carries the
// whole turn about the aligned axes.
[[nodiscard]] Vector3 EulerAngles(const Matrix4& m, EulerOrder order = kEulerXYZStatic);
// Goes through RotationMatrix(q), so q should be unit length.
[[nodiscard]] Vector3 EulerAngles(const Quaternion& q, EulerOrder order = kEulerXYZStatic);

}  // namespace tvx
