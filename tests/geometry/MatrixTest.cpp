#include "geometry/Matrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "GeometryTestHelpers.h"
#include "geometry/Vector.h"

namespace tvx {
namespace {

using testing::Diagonal;
using testing::MatricesNear;
using testing::Translation;

TEST(GeometryMatrix, InverseUndoesGeneralMatricesAndIsIdentityWhenSingular) {
    EXPECT_EQ(Inverse(Matrix4::Zero()), Matrix4::Identity());
    EXPECT_EQ(Inverse(Diagonal(1.0f, 0.0f, 2.0f)), Matrix4::Identity());
    // Invertible on paper, but single precision cannot hold the inverse:
    // the reciprocal of the determinant or a cofactor overflows.
    for (const Matrix4& unheld : {Diagonal(1e-40f, 1.0f, 1.0f), Diagonal(1e13f, 1e13f, 1e13f),
                                  Diagonal(std::nanf(""), 1.0f, 1.0f)}) {
        EXPECT_FALSE(InverseIfAny(unheld).has_value());
        EXPECT_EQ(Inverse(unheld), Matrix4::Identity());
    }
    EXPECT_EQ(InverseIfAny(Diagonal(2.0f, 4.0f, 0.5f)), Diagonal(0.5f, 0.25f, 2.0f));
    std::mt19937 rng(20240611);
    std::uniform_real_distribution<float> entry(-1.0f, 1.0f);
    for (int trial = 0; trial < 20; ++trial) {
        Matrix4 m;
        for (int i = 0; i < 16; ++i) {
            m.m[static_cast<std::size_t>(i)] = entry(rng) + (i % 5 == 0 ? 4.0f : 0.0f);  // row 3 included
        }
        EXPECT_TRUE(MatricesNear(Matrix4::Identity(), Multiply(m, Inverse(m)), 1e-5f)) << "trial " << trial;
        EXPECT_TRUE(MatricesNear(Matrix4::Identity(), Multiply(Inverse(m), m), 1e-5f)) << "trial " << trial;
    }
}

TEST(GeometryMatrix, AffineProductComposesTranslationsAndIgnoresRowThree) {
    Matrix4 a = Translation(1.0f, 2.0f, 3.0f);
    Matrix4 b = Translation(4.0f, 5.0f, 6.0f);
    a(3, 0) = 7.0f;
    a(3, 3) = -2.0f;
    b(3, 1) = 9.0f;
    EXPECT_EQ(MultiplyAffine(a, b), Translation(5.0f, 7.0f, 9.0f));
}

TEST(GeometryMatrix, AffineProductMayOverwriteEitherInput) {
    const Matrix4 a =
        MultiplyAffine(Translation(1.0f, -2.0f, 0.5f), RotationMatrix(testing::AxisAngle({1.0f, 2.0f, 3.0f}, 0.7f)));
    const Matrix4 b = MultiplyAffine(Diagonal(2.0f, 3.0f, -1.0f), Translation(4.0f, 0.0f, 1.0f));
    const Matrix4 expected = MultiplyAffine(a, b);
    Matrix4 left = a;
    left = MultiplyAffine(left, b);
    EXPECT_EQ(left, expected);
    Matrix4 right = b;
    right = MultiplyAffine(a, right);
    EXPECT_EQ(right, expected);
    EXPECT_TRUE(MatricesNear(Multiply(a, b), expected, 1e-5f));  // same as the full product on affine input
}

TEST(GeometryMatrix, QuarterTurnAboutZMapsXToY) {
    const Matrix4 r = RotationMatrix(Quaternion{0.0f, 0.0f, 0.7071068f, 0.7071068f});
    EXPECT_TRUE(NearlyEqual(TransformPoint(r, Vector3{1.0f, 0.0f, 0.0f}), Vector3{0.0f, 1.0f, 0.0f}));
}

}  // namespace
}  // namespace tvx
