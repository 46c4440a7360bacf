#include "geometry/Frames.h"

#include <gtest/gtest.h>

#include <limits>

#include "geometry/Vector.h"

namespace tvx {
namespace {

Vector3 Column(const Matrix4& m, int c) { return {m(0, c), m(1, c), m(2, c)}; }

Matrix4 WithColumns(Vector3 x, Vector3 y, Vector3 z) {
    Matrix4 m;
    const Vector3 columns[] = {x, y, z};
    for (int c = 0; c < 3; ++c) {
        m(0, c) = columns[c].x;
        m(1, c) = columns[c].y;
        m(2, c) = columns[c].z;
    }
    return m;
}

// A frame turned by 30 degrees about its z axis.
constexpr Vector3 kRolledX{0.8660254f, 0.5f, 0.0f};
constexpr Vector3 kRolledY{-0.5f, 0.8660254f, 0.0f};

TEST(GeometryFrames, PointInFrameMeasuresAlongTheRowAxesFromRowThreeOrigin) {
    Matrix4 frame = Matrix4::Zero();
    frame(0, 1) = 1.0f;   // x' = +y
    frame(1, 0) = -1.0f;  // y' = -x
    frame(2, 2) = 1.0f;   // z' = +z
    frame(3, 0) = 1.0f;   // origin (1, 2, 3)
    frame(3, 1) = 2.0f;
    frame(3, 2) = 3.0f;
    // origin + 2 x' + 3 y' - z'
    EXPECT_EQ(PointInFrame(frame, Vector3{-2.0f, 4.0f, 2.0f}), (Vector3{2.0f, 3.0f, -1.0f}));
}

TEST(GeometryFrames, LookAtFrameIsARightHandedBasisAroundTheViewAxis) {
    struct Case {
        Vector3 z;
        Vector3 expectedX;
    };
    const Case cases[] = {
        {{0.0f, 0.0f, 1.0f}, {1.0f, 0.0f, 0.0f}},   {{0.0f, 0.0f, -1.0f}, {-1.0f, 0.0f, 0.0f}},
        {{0.6f, 0.0f, 0.8f}, {0.8f, 0.0f, -0.6f}},
        // Along +-y the default up would be parallel, so it switches to -+z.
        {{0.0f, 1.0f, 0.0f}, {1.0f, 0.0f, 0.0f}},   {{0.0f, -1.0f, 0.0f}, {1.0f, 0.0f, 0.0f}},
        {{0.00005f, 1.0f, 0.0f}, {1.0f, 0.0f, 0.0f}},
    };
    for (const Case& c : cases) {
        Matrix4 m;
        m(0, 2) = c.z.x;
        m(1, 2) = c.z.y;
        m(2, 2) = c.z.z;
        m(0, 3) = 5.0f;
        m(3, 1) = 7.0f;  // row 3 is carried over even when it is not affine
        const Matrix4 frame = LookAtFrame(m);
        const Vector3 x = Column(frame, 0);
        EXPECT_TRUE(NearlyEqual(x, c.expectedX)) << c.z.x << ", " << c.z.y << ", " << c.z.z;
        EXPECT_TRUE(NearlyEqual(Cross(x, Column(frame, 1)), c.z));
        EXPECT_EQ(Column(frame, 2), c.z);
        EXPECT_EQ(frame(0, 3), 5.0f);
        EXPECT_EQ(frame(3, 1), 7.0f);
    }
}

TEST(GeometryFrames, OnlyAWholeRightHandedFrameIsAViewFrame) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* what;
        Matrix4 m;
        bool isFrame;
    };
    const Case cases[] = {
        {"identity", Matrix4{}, true},
        {"rolled", WithColumns(kRolledX, kRolledY, {0, 0, 1}), true},
        {"long view axis", WithColumns({1, 0, 0}, {0, 1, 0}, {0, 0, 3}), true},
        {"within rounding", WithColumns({1.00005f, 0, 0}, {0.00005f, 1, 0}, {0, 0, 1}), true},
        {"left-handed", WithColumns({1, 0, 0}, {0, 1, 0}, {0, 0, -1}), false},
        {"scaled x", WithColumns({2, 0, 0}, {0, 1, 0}, {0, 0, 1}), false},
        {"y along the view axis", WithColumns({1, 0, 0}, {0, 1, 0}, {0, 1, 0}), false},
        {"sheared", WithColumns({1, 0, 0}, {0.01f, 0.99995f, 0}, {0, 0, 1}), false},
        {"zero view axis", WithColumns({1, 0, 0}, {0, 1, 0}, {}), false},
        {"not a number", WithColumns({nan, 0, 0}, {0, 1, 0}, {0, 0, 1}), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsViewFrame(c.m), c.isFrame) << c.what;
    }
}

TEST(GeometryFrames, OrthonormalViewFrameKeepsTheViewAxisAndTheUpItSees) {
    struct Case {
        const char* what;
        Matrix4 axes;
        Vector3 x, y, z;
    };
    const Case cases[] = {
        {"rolled", WithColumns(kRolledX, kRolledY, {0, 0, 1}), kRolledX, kRolledY, {0, 0, 1}},
        {"scaled and sheared", WithColumns({5, 0, 0}, {0, 3, 1}, {0, 0, 2}), {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
        {"mirrored", WithColumns({-1, 0, 0}, {0, 1, 0}, {0, 0, 1}), {1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
    };
    for (const Case& c : cases) {
        Matrix4 axes = c.axes;
        axes(0, 3) = 4.0f;
        axes(3, 2) = 6.0f;
        const std::optional<Matrix4> frame = OrthonormalViewFrame(axes);
        ASSERT_TRUE(frame.has_value()) << c.what;
        EXPECT_TRUE(NearlyEqual(Column(*frame, 0), c.x)) << c.what;
        EXPECT_TRUE(NearlyEqual(Column(*frame, 1), c.y)) << c.what;
        EXPECT_TRUE(NearlyEqual(Column(*frame, 2), c.z)) << c.what;
        EXPECT_TRUE(IsViewFrame(*frame)) << c.what;
        EXPECT_EQ((*frame)(0, 3), 4.0f);
        EXPECT_EQ((*frame)(3, 2), 6.0f);
    }
    EXPECT_FALSE(OrthonormalViewFrame(WithColumns({1, 0, 0}, {0, 1, 0}, {})).has_value()) << "no view axis";
    EXPECT_FALSE(OrthonormalViewFrame(WithColumns({1, 0, 0}, {0, 0, 2}, {0, 0, 1})).has_value()) << "y along z";
    EXPECT_FALSE(OrthonormalViewFrame(WithColumns({1, 0, 0}, {}, {0, 0, 1})).has_value()) << "no y";
}

}  // namespace
}  // namespace tvx
