#include "geometry/Frames.h"

#include <gtest/gtest.h>

#include "geometry/Vector.h"

namespace tvx {
namespace {

Vector3 Column(const Matrix4& m, int c) { return {m(0, c), m(1, c), m(2, c)}; }

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

}  // namespace
}  // namespace tvx
