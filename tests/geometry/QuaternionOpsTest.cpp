#include "geometry/QuaternionOps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "GeometryTestHelpers.h"
#include "geometry/Matrix.h"
#include "geometry/Vector.h"

namespace tvx {
namespace {

using testing::AxisAngle;
using testing::QuaternionsNear;

constexpr float kHalfPi = 1.5707964f;

TEST(GeometryQuaternion, ProductRotatesByTheRightOperandFirst) {
    std::mt19937 rng(11);
    for (int trial = 0; trial < 10; ++trial) {
        const Quaternion a = testing::RandomRotation(rng);
        const Quaternion b = testing::RandomRotation(rng);
        EXPECT_TRUE(testing::MatricesNear(Multiply(RotationMatrix(a), RotationMatrix(b)),
                                          RotationMatrix(Multiply(a, b)), 1e-5f));
    }
    const Quaternion q{1.0f, -2.0f, 0.5f, 3.0f};  // the inverse also undoes non-unit quaternions
    EXPECT_TRUE(QuaternionsNear(Quaternion{}, Multiply(q, Inverse(q)), 1e-6f));
    EXPECT_EQ(Inverse(Quaternion::Zero()), Quaternion::Zero());
}

TEST(GeometryQuaternion, SlerpFollowsTheShorterArc) {
    const Quaternion identity;
    const Quaternion quarterZ = AxisAngle({0.0f, 0.0f, 1.0f}, kHalfPi);
    const Quaternion eighthZ = AxisAngle({0.0f, 0.0f, 1.0f}, 0.5f * kHalfPi);
    const Quaternion negatedQuarterZ{-quarterZ.x, -quarterZ.y, -quarterZ.z, -quarterZ.w};
    struct Case {
        Quaternion p, q;
        float t;
        Quaternion expected;
    };
    const Case cases[] = {
        {identity, quarterZ, 0.0f, identity},
        {identity, quarterZ, 0.5f, eighthZ},
        {identity, negatedQuarterZ, 0.5f, eighthZ},  // -q is the same rotation: no long way round
        {identity, negatedQuarterZ, 1.0f, quarterZ},
        {Quaternion{0, 0, 0, 1}, Quaternion{0, 0, 0, -1}, 0.5f, Quaternion{0, 0, 0, 1}},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(QuaternionsNear(c.expected, Slerp(c.p, c.q, c.t), 1e-6f)) << "t = " << c.t;
    }
    const Quaternion q = AxisAngle({0.3f, -1.0f, 0.2f}, 2.0f);
    for (const float t : {0.0f, 0.1f, 0.5f, 1.0f, 1.7f, -0.5f}) {
        EXPECT_TRUE(QuaternionsNear(q, Slerp(q, q, t), 1e-6f)) << "t = " << t;
    }
}

TEST(GeometryQuaternion, SlerpTakesThePerpendicularPathWhenTheDotProductOverflows) {
    // Finite unit quaternions are never opposite after the shorter-arc flip.
    // Here both squared distances overflow, so q is not flipped, while the dot
    // product stays finite at -1e38.
    const Quaternion half = Slerp(Quaternion{1e19f, 0.0f, 0.0f, 0.0f}, Quaternion{-1e19f, 2e19f, 0.0f, 0.0f}, 0.5f);
    const float s = std::sin(0.5f * kHalfPi);
    EXPECT_FLOAT_EQ(half.x, s * 1e19f);
    EXPECT_FLOAT_EQ(half.y, s * 1e19f);  // the perpendicular (-p.y, p.x, -p.w, p.z)
    EXPECT_EQ(half.z, 0.0f);
    EXPECT_EQ(half.w, 0.0f);  // w is the perpendicular's: p.z
}

TEST(GeometryQuaternion, RotationMatrixRoundTripsThroughQuaternionNearHalfTurns) {
    const Quaternion rotations[] = {
        Quaternion{1, 0, 0, 0}, Quaternion{0, 1, 0, 0}, Quaternion{0, 0, 1, 0},
        AxisAngle({0.0f, -1.0f, 1.0f}, 1.999f * kHalfPi), AxisAngle({0.2f, 0.5f, -1.0f}, 0.8f),
    };
    for (const Quaternion& q : rotations) {
        const Quaternion back = QuaternionFromRotation(RotationMatrix(q));
        const float sign = q.x * back.x + q.y * back.y + q.z * back.z + q.w * back.w < 0.0f ? -1.0f : 1.0f;
        EXPECT_TRUE(QuaternionsNear(q, Quaternion{sign * back.x, sign * back.y, sign * back.z, sign * back.w}, 1e-6f));
    }
}

}  // namespace
}  // namespace tvx
