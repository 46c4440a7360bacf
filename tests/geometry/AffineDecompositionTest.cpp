#include "geometry/AffineDecomposition.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "GeometryTestHelpers.h"
#include "geometry/Matrix.h"
#include "geometry/Vector.h"

namespace tvx {
namespace {

using testing::AxisAngle;
using testing::Diagonal;
using testing::MatricesNear;
using testing::QuaternionsNear;
using testing::Translation;

Matrix4 Stretch(const Quaternion& axes, float x, float y, float z) {
    const Quaternion inverse{-axes.x, -axes.y, -axes.z, axes.w};
    return MultiplyAffine(RotationMatrix(axes), MultiplyAffine(Diagonal(x, y, z), RotationMatrix(inverse)));
}

// T * F R * U K U^T
Matrix4 Recompose(const AffineParts& p) {
    const Matrix4 signedRotation = MultiplyAffine(Diagonal(p.f, p.f, p.f), RotationMatrix(p.q));
    return MultiplyAffine(Translation(p.t.x, p.t.y, p.t.z),
                          MultiplyAffine(signedRotation, Stretch(p.u, p.k.x, p.k.y, p.k.z)));
}

Matrix4 TranslateRotateScale(const Vector3& t, const Quaternion& r, const Vector3& s) {
    return MultiplyAffine(Translation(t.x, t.y, t.z), MultiplyAffine(RotationMatrix(r), Diagonal(s.x, s.y, s.z)));
}

Vector3 Factors(const AffineParts& p) { return {p.k.x, p.k.y, p.k.z}; }

float Norm(const Quaternion& q) { return std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w); }

float RotationAngle(const Quaternion& q) { return 2.0f * std::acos(std::fmin(1.0f, std::fabs(q.w))); }

TEST(GeometryAffineDecomposition, NegativeScaleBecomesSignAndHalfTurn) {
    const AffineParts p = DecomposeAffine(MultiplyAffine(Translation(1.0f, 2.0f, 3.0f), Diagonal(-2.0f, 3.0f, 4.0f)));
    EXPECT_EQ(p.t, (AffineParts::Vector4{1.0f, 2.0f, 3.0f, 0.0f}));
    EXPECT_EQ(p.f, -1.0f);
    EXPECT_TRUE(QuaternionsNear(Quaternion{std::copysign(1.0f, p.q.x), 0.0f, 0.0f, 0.0f}, p.q, 1e-6f));
    EXPECT_TRUE(QuaternionsNear(Quaternion{}, p.u, 1e-6f));
    EXPECT_TRUE(NearlyEqual(Factors(p), Vector3{2.0f, 3.0f, 4.0f}));
}

TEST(GeometryAffineDecomposition, RandomTransformsRecomposeWithUnitRotations) {
    std::mt19937 rng(1234);
    std::uniform_real_distribution<float> offset(-100.0f, 100.0f);
    std::uniform_real_distribution<float> magnitude(0.2f, 5.0f);
    std::bernoulli_distribution negative(0.5);
    auto scale = [&] { return negative(rng) ? -magnitude(rng) : magnitude(rng); };
    for (int trial = 0; trial < 200; ++trial) {
        const Vector3 t{offset(rng), offset(rng), offset(rng)};
        const Quaternion r = testing::RandomRotation(rng);
        const Vector3 s{scale(), scale(), scale()};
        const Matrix4 m = TranslateRotateScale(t, r, s);
        const AffineParts p = DecomposeAffine(m);
        EXPECT_TRUE(MatricesNear(m, Recompose(p), 5e-5f)) << "trial " << trial;
        EXPECT_NEAR(Norm(p.q), 1.0f, 1e-6f);
        EXPECT_NEAR(Norm(p.u), 1.0f, 1e-6f);
        EXPECT_EQ(p.f, s.x * s.y * s.z < 0.0f ? -1.0f : 1.0f);
        // Canonical: the recomposed matrix decomposes to the same stretch.
        const AffineParts again = DecomposeAffine(Recompose(p));
        EXPECT_TRUE(QuaternionsNear(p.u, again.u, 1e-4f)) << "trial " << trial;
        EXPECT_TRUE(NearlyEqual(Factors(p), Factors(again)));
    }
}

TEST(GeometryAffineDecomposition, StretchRotationIsTheOneClosestToIdentity) {
    const Quaternion quarterZ = AxisAngle({0.0f, 0.0f, 1.0f}, 1.5707964f);
    const Quaternion small = AxisAngle({1.0f, 2.0f, 3.0f}, 0.5f);
    struct Case {
        Quaternion axes;
        Vector3 k;
        Quaternion expectedU;
        Vector3 expectedK;
    };
    const Case cases[] = {
        // A quarter turn of the stretch axes is the same stretch with x and y swapped.
        {quarterZ, {2.0f, 3.0f, 4.0f}, Quaternion{}, {3.0f, 2.0f, 4.0f}},
        {small, {2.0f, 3.0f, 5.0f}, small, {2.0f, 3.0f, 5.0f}},
    };
    for (const Case& c : cases) {
        const AffineParts p = DecomposeAffine(Stretch(c.axes, c.k.x, c.k.y, c.k.z));
        EXPECT_TRUE(QuaternionsNear(c.expectedU, p.u, 1e-5f));
        EXPECT_TRUE(NearlyEqual(Factors(p), c.expectedK));
    }
}

TEST(GeometryAffineDecomposition, RepeatedStretchFactorsTakeTheShortestStretchRotation) {
    std::mt19937 rng(99);
    const Quaternion r = testing::RandomRotation(rng);
    const AffineParts uniform = DecomposeAffine(TranslateRotateScale({1.0f, 0.0f, 0.0f}, r, {2.5f, 2.5f, 2.5f}));
    EXPECT_EQ(uniform.u, Quaternion{});
    EXPECT_EQ(uniform.k, (AffineParts::Vector4{2.5f, 2.5f, 2.5f, 1.0f}));
    EXPECT_TRUE(MatricesNear(RotationMatrix(r), RotationMatrix(uniform.q), 1e-5f));

    // Stretch of 5 along e and 2 across it: only e is determined, so u is the
    // rotation taking z onto e by the angle between them, with no twist.
    const Quaternion axes = AxisAngle({1.0f, -1.0f, 0.5f}, 0.6f);
    const float cosineToZ = RotationMatrix(axes)(2, 2);
    const Matrix4 m = MultiplyAffine(RotationMatrix(r), Stretch(axes, 2.0f, 2.0f, 5.0f));
    const AffineParts p = DecomposeAffine(m);
    EXPECT_TRUE(MatricesNear(m, Recompose(p), 1e-5f));
    EXPECT_TRUE(NearlyEqual(Factors(p), Vector3{2.0f, 2.0f, 5.0f}));
    EXPECT_NEAR(RotationAngle(p.u), std::acos(cosineToZ), 1e-4f);
    EXPECT_NEAR(p.u.z, 0.0f, 1e-6f);
}

TEST(GeometryAffineDecomposition, RankDeficientMatricesGiveFiniteProperParts) {
    std::mt19937 rng(42);
    const Vector3 scales[] = {
        {2.0f, 3.0f, 0.0f}, {0.0f, -3.0f, 4.0f}, {2.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -1.5f}, {0.0f, 0.0f, 0.0f},
    };
    for (const Vector3& s : scales) {
        for (int trial = 0; trial < 5; ++trial) {
            const Quaternion r = trial == 0 ? Quaternion{} : testing::RandomRotation(rng);
            const Matrix4 m = TranslateRotateScale({3.0f, -4.0f, 5.0f}, r, s);
            const AffineParts p = DecomposeAffine(m);
            // Recomposing also fails on NaN, so this checks finiteness too.
            EXPECT_TRUE(MatricesNear(m, Recompose(p), 1e-5f)) << s.x << ", " << s.y << ", " << s.z << " #" << trial;
            EXPECT_EQ(p.f, 1.0f);
            EXPECT_GE(std::fmin(p.k.x, std::fmin(p.k.y, p.k.z)), 0.0f);
        }
    }
    const AffineParts zero = DecomposeAffine(Matrix4::Zero());
    EXPECT_EQ(zero.q, Quaternion{});
    EXPECT_EQ(zero.u, Quaternion{});
    EXPECT_EQ(Factors(zero), (Vector3{}));
}

TEST(GeometryAffineDecomposition, RowThreeIsIgnored) {
    const Matrix4 m = TranslateRotateScale({1.0f, 2.0f, 3.0f}, AxisAngle({0.0f, 1.0f, 1.0f}, 1.0f), {1.0f, 2.0f, 3.0f});
    Matrix4 garbage = m;
    garbage(3, 0) = 4.0f;
    garbage(3, 3) = 0.0f;
    EXPECT_EQ(DecomposeAffine(garbage), DecomposeAffine(m));
}

}  // namespace
}  // namespace tvx
