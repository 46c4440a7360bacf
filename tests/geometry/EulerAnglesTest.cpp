#include "geometry/EulerAngles.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "GeometryTestHelpers.h"
#include "geometry/Matrix.h"
#include "geometry/Vector.h"

namespace tvx {
namespace {

using testing::AxisAngle;
using testing::MatricesNear;

constexpr float kHalfPi = 1.57079633f;

Matrix4 AboutAxis(char axis, float angle) {
    const Vector3 direction{axis == 'X' ? 1.0f : 0.0f, axis == 'Y' ? 1.0f : 0.0f, axis == 'Z' ? 1.0f : 0.0f};
    return RotationMatrix(AxisAngle(direction, angle));
}

// The conventional names: letters in the order the rotations are applied, the
// n-th letter taking the n-th angle. "s" composes about fixed axes (the first
// letter is the rightmost factor), "r" about moving ones (leftmost factor).
Matrix4 Compose(const std::string& name, const Vector3& angles) {
    const Matrix4 first = AboutAxis(name[0], angles.x);
    const Matrix4 second = AboutAxis(name[1], angles.y);
    const Matrix4 third = AboutAxis(name[2], angles.z);
    return name[3] == 's' ? Multiply(third, Multiply(second, first)) : Multiply(first, Multiply(second, third));
}

struct NamedOrder {
    unsigned code;
    const char* name;
};

// The conventional name of each order code.
constexpr NamedOrder kOrders[] = {
    {0, "XYZs"},  {1, "ZYXr"},  {2, "XYXs"},  {3, "XYXr"},  {4, "XZYs"},  {5, "YZXr"},
    {6, "XZXs"},  {7, "XZXr"},  {8, "YZXs"},  {9, "XZYr"},  {10, "YZYs"}, {11, "YZYr"},
    {12, "YXZs"}, {13, "ZXYr"}, {14, "YXYs"}, {15, "YXYr"}, {16, "ZXYs"}, {17, "YXZr"},
    {18, "ZXZs"}, {19, "ZXZr"}, {20, "ZYXs"}, {21, "XYZr"}, {22, "ZYZs"}, {23, "ZYZr"},
};

TEST(GeometryEuler, GimbalLockPutsTheWholeTurnInTheFirstAngle) {
    for (const float pitch : {kHalfPi, -kHalfPi}) {
        const Matrix4 m = Compose("XYZs", {0.4f, pitch, -0.3f});
        const Vector3 angles = EulerAngles(m);
        EXPECT_EQ(angles.z, 0.0f);
        EXPECT_NEAR(angles.y, pitch, 1e-4f);
        EXPECT_TRUE(MatricesNear(m, Compose("XYZs", angles), 1e-5f)) << "pitch " << pitch;
    }
    // Through the quaternion overload, which converts to the matrix first.
    const Quaternion aboutX = AxisAngle({1.0f, 0.0f, 0.0f}, 0.7f);
    EXPECT_TRUE(NearlyEqual(EulerAngles(aboutX, EulerOrder::FromCode(2)), Vector3{0.7f, 0.0f, 0.0f}));
}

TEST(GeometryEuler, EveryOrderRoundTrips) {
    std::mt19937 rng(17);
    std::uniform_real_distribution<float> outer(-3.0f, 3.0f);
    std::uniform_real_distribution<float> taitBryanMiddle(-1.4f, 1.4f);
    std::uniform_real_distribution<float> properMiddle(0.2f, 2.9f);
    for (const NamedOrder& order : kOrders) {
        const std::string name = order.name;
        const bool repeated = name[0] == name[2];
        // Code 0 is the order every caller uses.
        for (int trial = 0; trial < (order.code == 0 ? 50 : 5); ++trial) {
            const Vector3 angles{outer(rng), repeated ? properMiddle(rng) : taitBryanMiddle(rng), outer(rng)};
            const Matrix4 m = Compose(name, angles);
            const Vector3 extracted = EulerAngles(m, EulerOrder::FromCode(order.code));
            EXPECT_TRUE(MatricesNear(m, Compose(name, extracted), 1e-5f)) << name << " trial " << trial;
            // Repeated orders have two angle triples per rotation (odd parity
            // reports the one with a negative middle angle); the others have
            // one in this range.
            if (!repeated) {
                EXPECT_TRUE(NearlyEqual(extracted, angles)) << name << " trial " << trial;
            }
        }
    }
}

}  // namespace
}  // namespace tvx
