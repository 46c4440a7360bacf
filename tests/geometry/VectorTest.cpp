#include "geometry/Vector.h"

#include <gtest/gtest.h>

namespace tvx {
namespace {

TEST(GeometryVector, ZeroVectorNormalisesToZero) {
    EXPECT_EQ(Normalize(Vector3{}), (Vector3{}));
    EXPECT_EQ(Length(Vector3{}), 0.0f);
    EXPECT_TRUE(NearlyEqual(Normalize(Vector3{3.0f, 0.0f, -4.0f}), Vector3{0.6f, 0.0f, -0.8f}));
    // Tiny but non-zero lengths still normalise rather than collapse.
    EXPECT_FLOAT_EQ(Length(Normalize(Vector3{1e-20f, 2e-20f, 0.0f})), 1.0f);
}

TEST(GeometryVector, NearEqualityIsStrictAtTheTolerance) {
    struct Case {
        float a, b;
        bool equal;
    };
    const Case cases[] = {
        {0.0f, 0.00009f, true}, {0.0f, 0.0001f, false}, {1.0f, 1.00005f, true}, {-2.0f, -2.0002f, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NearlyEqual(c.a, c.b), c.equal) << c.a << " vs " << c.b;
        EXPECT_EQ(NearlyZero(c.a - c.b), c.equal) << c.a << " - " << c.b;
    }
    EXPECT_FALSE(NearlyEqual(Vector3{1.0f, 2.0f, 3.0f}, Vector3{1.0f, 2.0f, 3.001f}));
}

}  // namespace
}  // namespace tvx
