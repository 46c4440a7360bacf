// The host's transform conventions: its quaternion and Euler conversion
// agree with its matrices, and node transforms are world transforms with
// local = world * inverse(parent world).
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "memhost/HostMath.h"
#include "memhost/MemHost.h"

namespace memhost {
namespace {

using hostapi::Matrix3;
using hostapi::Point3;
using hostapi::Quat;

constexpr float kTolerance = 2e-5f;

using Mat3 = std::array<std::array<float, 3>, 3>;

Mat3 Product(const Mat3& a, const Mat3& b) {
    Mat3 c{};
    for (std::size_t i = 0; i < 3; ++i) {
        for (std::size_t j = 0; j < 3; ++j) {
            for (std::size_t k = 0; k < 3; ++k) {
                c[i][j] += a[i][k] * b[k][j];
            }
        }
    }
    return c;
}

// The scene document's form of the same rotation, worked out on its own:
// column vectors, Rz * Ry * Rx.
Mat3 DocumentRotation(float x, float y, float z) {
    const Mat3 rx{{{1, 0, 0}, {0, std::cos(x), -std::sin(x)}, {0, std::sin(x), std::cos(x)}}};
    const Mat3 ry{{{std::cos(y), 0, std::sin(y)}, {0, 1, 0}, {-std::sin(y), 0, std::cos(y)}}};
    const Mat3 rz{{{std::cos(z), -std::sin(z), 0}, {std::sin(z), std::cos(z), 0}, {0, 0, 1}}};
    return Product(rz, Product(ry, rx));
}

float At(const Point3& p, std::size_t c) { return c == 0 ? p.x : c == 1 ? p.y : p.z; }

struct Euler {
    float x, y, z;
};

class EulerAgreement : public ::testing::TestWithParam<Euler> {};

TEST_P(EulerAgreement, SetEulerMatchesTheHostMatricesAndTheDocumentForm) {
    const Euler e = GetParam();
    Quat q;
    q.SetEuler(e.x, e.y, e.z);
    const Matrix3 m = QuatToMatrix(q);

    // Row vectors: x applied first.
    const Matrix3 composed = Multiply(Multiply(RotateXMatrix(e.x), RotateYMatrix(e.y)), RotateZMatrix(e.z));
    EXPECT_TRUE(NearlyEqual(m, composed, kTolerance));

    // Host row r is the document's column r.
    const Mat3 doc = DocumentRotation(e.x, e.y, e.z);
    for (std::size_t r = 0; r < 3; ++r) {
        for (std::size_t c = 0; c < 3; ++c) {
            EXPECT_NEAR(At(m.GetRow(static_cast<int>(r)), c), doc[c][r], kTolerance) << "row " << r << " column " << c;
        }
    }

    // And the angles come back out by the static x-y-z extraction.
    const float cy = std::sqrt(doc[0][0] * doc[0][0] + doc[1][0] * doc[1][0]);
    EXPECT_NEAR(std::atan2(doc[2][1], doc[2][2]), e.x, kTolerance);
    EXPECT_NEAR(std::atan2(-doc[2][0], cy), e.y, kTolerance);
    EXPECT_NEAR(std::atan2(doc[1][0], doc[0][0]), e.z, kTolerance);

    EXPECT_NEAR(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w, 1.0f, kTolerance);
}

INSTANTIATE_TEST_SUITE_P(Angles, EulerAgreement,
                         ::testing::Values(Euler{0, 0, 0}, Euler{0.3f, 0, 0}, Euler{0, 0.4f, 0}, Euler{0, 0, 1.2f},
                                           Euler{0.3f, -0.5f, 1.1f}, Euler{-2.0f, 0.7f, 2.9f},
                                           Euler{1.0f, 1.4f, -0.3f}));

TEST(HostQuat, TurnsTheOtherWayFromTheTextbook) {
    // A quarter turn about z takes x to y; the host stores it with a
    // negative vector part.
    Quat q;
    q.SetEuler(0, 0, 1.5707964f);
    EXPECT_NEAR(q.z, -0.7071068f, 1e-6f);
    EXPECT_NEAR(q.w, 0.7071068f, 1e-6f);
    const Point3 x = TransformPoint(Point3(1, 0, 0), QuatToMatrix(q));
    EXPECT_NEAR(x.x, 0.0f, 1e-6f);
    EXPECT_NEAR(x.y, 1.0f, 1e-6f);
}

Matrix3 Placement(float ex, float ey, float ez, const Point3& scale, const Point3& translation) {
    Quat q;
    q.SetEuler(ex, ey, ez);
    Matrix3 s;
    s.SetRow(0, Point3(scale.x, 0, 0));
    s.SetRow(1, Point3(0, scale.y, 0));
    s.SetRow(2, Point3(0, 0, scale.z));
    Matrix3 m = Multiply(s, QuatToMatrix(q));
    m.SetRow(3, translation);
    return m;
}

TEST(HostMatrix, InverseUndoesAnAffineMatrixAndIsTheIdentityWhenSingular) {
    const Matrix3 m = Placement(0.4f, -1.1f, 2.0f, Point3(2, 0.5f, 3), Point3(10, -4, 7));
    EXPECT_TRUE(NearlyEqual(Multiply(m, memhost::Inverse(m)), Matrix3(), kTolerance));
    EXPECT_TRUE(NearlyEqual(Multiply(memhost::Inverse(m), m), Matrix3(), kTolerance));

    Matrix3 flat = m;
    flat.SetRow(2, Point3(0, 0, 0));
    EXPECT_EQ(memhost::Inverse(flat), Matrix3());
}

TEST(HostMatrix, ThePlugInsArithmeticAgreesWithTheHostsOwn) {
    // The layer's single-precision operators against the host's double-
    // precision ones.
    const Matrix3 a = Placement(0.4f, -1.1f, 2.0f, Point3(2, 0.5f, 3), Point3(10, -4, 7));
    const Matrix3 b = Placement(-0.3f, 0.2f, 0.9f, Point3(1, 1, -1), Point3(0.5f, 2, -3));
    EXPECT_TRUE(NearlyEqual(a * b, Multiply(a, b), 1e-4f));
    EXPECT_TRUE(NearlyEqual(hostapi::Inverse(a), memhost::Inverse(a), 1e-4f));
    EXPECT_TRUE(NearlyEqual(a * hostapi::Inverse(a), Matrix3(), 1e-5f));
    const Point3 p = Point3(1, -2, 0.5f) * a;
    const Point3 q = TransformPoint(Point3(1, -2, 0.5f), a);
    EXPECT_NEAR(p.x, q.x, 1e-4f);
    EXPECT_NEAR(p.y, q.y, 1e-4f);
    EXPECT_NEAR(p.z, q.z, 1e-4f);
    EXPECT_EQ(hostapi::CrossProd(Point3(1, 0, 0), Point3(0, 1, 0)), Point3(0, 0, 1));
    Matrix3 flat = a;
    flat.SetRow(1, Point3(0, 0, 0));
    EXPECT_EQ(hostapi::Inverse(flat), Matrix3());
}

TEST(HostMatrix, ProductAppliesTheLeftMatrixFirst) {
    Matrix3 move;
    move.SetRow(3, Point3(1, 0, 0));
    const Matrix3 turn = RotateZMatrix(1.5707964f);
    // Move then turn: (1, 0, 0) goes to (2, 0, 0), then to (0, 2, 0).
    const Point3 p = TransformPoint(Point3(1, 0, 0), Multiply(move, turn));
    EXPECT_NEAR(p.x, 0.0f, 1e-5f);
    EXPECT_NEAR(p.y, 2.0f, 1e-5f);
}

class NodeTransforms : public ::testing::Test {
protected:
    MemNode& NewNode() {
        hostapi::ImpNode* node = host.CreateNode();
        EXPECT_NE(node, nullptr);
        return *dynamic_cast<MemNode*>(node->GetINode());
    }

    MemHost host;
};

TEST_F(NodeTransforms, WorldTransformsOfAChainGiveTheLocalsAfterLinking) {
    const std::array<Matrix3, 3> locals{Placement(0.2f, 0, 0.5f, Point3(1, 1, 1), Point3(1, 2, 3)),
                                        Placement(0, 0.3f, -0.7f, Point3(1, 1, 1), Point3(4, 0, 0)),
                                        Placement(1.0f, 0, 0, Point3(1, 1, 1), Point3(0, 5, 0))};
    const Matrix3 world1 = Multiply(locals[1], locals[0]);
    const std::array<Matrix3, 3> worlds{locals[0], world1, Multiply(locals[2], world1)};

    std::array<MemNode*, 3> nodes{};
    for (std::size_t i = 0; i < 3; ++i) {
        nodes[i] = &NewNode();
        nodes[i]->SetNodeTM(0, worlds[i]);
        if (i > 0) {
            nodes[i - 1]->AttachChild(nodes[i], 1);
        }
    }
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(NearlyEqual(nodes[i]->StaticWorld(), worlds[i], kTolerance)) << "bone " << i;
        EXPECT_TRUE(NearlyEqual(nodes[i]->staticLocal(), locals[i], kTolerance)) << "bone " << i;
    }
}

TEST_F(NodeTransforms, SettingAChildsLocalMatrixAsItsTransformPutsItAtTheOrigin) {
    // SetNodeTM is world space: a parent-relative matrix given to it is
    // taken as a place in the world, and linking keeps that place.
    MemNode& parent = NewNode();
    MemNode& child = NewNode();
    parent.SetNodeTM(0, Placement(0, 0, 0, Point3(1, 1, 1), Point3(10, 0, 0)));
    child.SetNodeTM(0, Placement(0, 0, 0, Point3(1, 1, 1), Point3(0, 1, 0)));
    parent.AttachChild(&child, 1);
    EXPECT_EQ(child.StaticWorld().GetTrans(), Point3(0, 1, 0));
    EXPECT_EQ(child.staticLocal().GetTrans(), Point3(-10, 1, 0));
}

TEST_F(NodeTransforms, LinkingWithoutKeepTMKeepsTheLocalTransform) {
    MemNode& parent = NewNode();
    MemNode& child = NewNode();
    parent.SetNodeTM(0, Placement(0, 0, 1.5707964f, Point3(1, 1, 1), Point3(5, 0, 0)));
    child.SetNodeTM(0, Placement(0, 0, 0, Point3(1, 1, 1), Point3(1, 0, 0)));
    parent.AttachChild(&child, 0);
    EXPECT_EQ(child.staticLocal().GetTrans(), Point3(1, 0, 0));
    const Point3 world = child.StaticWorld().GetTrans();
    EXPECT_NEAR(world.x, 5.0f, 1e-5f);
    EXPECT_NEAR(world.y, 1.0f, 1e-5f);
}

TEST_F(NodeTransforms, ChildrenFollowTheirParentAndKeepTheWorldWhenRelinked) {
    MemNode& a = NewNode();
    MemNode& b = NewNode();
    MemNode& child = NewNode();
    a.SetNodeTM(0, Placement(0, 0, 0, Point3(1, 1, 1), Point3(1, 0, 0)));
    b.SetNodeTM(0, Placement(0, 0, 0, Point3(2, 2, 2), Point3(0, 0, 3)));
    child.SetNodeTM(0, Placement(0, 0, 0, Point3(1, 1, 1), Point3(1, 1, 1)));
    a.AttachChild(&child, 1);

    // Moving the parent moves the child.
    a.SetNodeTM(0, Placement(0, 0, 0, Point3(1, 1, 1), Point3(2, 0, 0)));
    EXPECT_EQ(child.StaticWorld().GetTrans(), Point3(2, 1, 1));

    // Relinking under another parent keeps the world transform.
    b.AttachChild(&child, 1);
    EXPECT_EQ(child.parent(), &b);
    EXPECT_TRUE(NearlyEqual(child.StaticWorld(), Placement(0, 0, 0, Point3(1, 1, 1), Point3(2, 1, 1)), kTolerance));

    // A child's world transform set under a parent is kept exactly, the
    // parent unchanged.
    const Matrix3 wanted = Placement(0.5f, 0.1f, 0, Point3(1, 1, 1), Point3(-3, 2, 8));
    child.SetTransform(0, wanted);
    EXPECT_TRUE(NearlyEqual(child.StaticWorld(), wanted, kTolerance));
    EXPECT_TRUE(NearlyEqual(b.StaticWorld(), Placement(0, 0, 0, Point3(2, 2, 2), Point3(0, 0, 3)), kTolerance));
}

TEST_F(NodeTransforms, LinksThatWouldMakeALoopAreRefused) {
    MemNode& root = NewNode();
    MemNode& middle = NewNode();
    MemNode& leaf = NewNode();
    root.AttachChild(&middle, 1);
    middle.AttachChild(&leaf, 1);

    leaf.AttachChild(&root, 1);
    leaf.AttachChild(&leaf, 1);
    EXPECT_EQ(root.parent(), nullptr);
    EXPECT_EQ(leaf.parent(), &middle);
    EXPECT_EQ(host.session().hostErrors().size(), 2u);
    // The world transform can still be worked out.
    EXPECT_EQ(leaf.StaticWorld(), Matrix3());
}

}  // namespace
}  // namespace memhost
