// Node transforms at a time, from the controllers: linear positions and
// scales, spherical rotations, the end keys held outside the keys, the
// static transform for every part without keys, and the world transform up
// an animated hierarchy.
#include <gtest/gtest.h>

#include <cmath>

#include "memhost/HostMath.h"
#include "memhost/MemHost.h"

namespace memhost {
namespace {

using namespace hostapi;

constexpr float kTolerance = 1e-5f;
constexpr float kQuarterTurn = 1.5707964f;

void ExpectNear(const Point3& actual, const Point3& expected) {
    EXPECT_NEAR(actual.x, expected.x, kTolerance);
    EXPECT_NEAR(actual.y, expected.y, kTolerance);
    EXPECT_NEAR(actual.z, expected.z, kTolerance);
}

Quat AboutZ(float angle) {
    Quat q;
    q.SetEuler(0, 0, angle);
    return q;
}

class Evaluation : public ::testing::Test {
protected:
    MemNode& NewNode() { return *dynamic_cast<MemNode*>(host.CreateNode()->GetINode()); }

    template <class Key, class Controller>
    void Keys(MemNode& node, const std::vector<std::pair<TimeValue, decltype(Key::val)>>& keys, SClass_ID superClass,
              ULONG classId, BOOL (Control::*assign)(Control*)) {
        auto* controller = static_cast<Control*>(host.CreateInstance(superClass, Class_ID(classId, 0)));
        ASSERT_TRUE((node.GetTMController()->*assign)(controller));
        IKeyControl* control = GetKeyControlInterface(controller);
        control->SetNumKeys(static_cast<int>(keys.size()));
        for (std::size_t i = 0; i < keys.size(); ++i) {
            Key key;
            key.time = keys[i].first;
            key.val = keys[i].second;
            control->SetKey(static_cast<int>(i), &key);
        }
    }
    void Positions(MemNode& node, const std::vector<std::pair<TimeValue, Point3>>& keys) {
        Keys<ILinPoint3Key, MemPositionController>(node, keys, CTRL_POSITION_CLASS_ID, LININTERP_POSITION_CLASS_ID,
                                                   &Control::SetPositionController);
    }
    void Rotations(MemNode& node, const std::vector<std::pair<TimeValue, Quat>>& keys) {
        Keys<ILinRotKey, MemRotationController>(node, keys, CTRL_ROTATION_CLASS_ID, LININTERP_ROTATION_CLASS_ID,
                                                &Control::SetRotationController);
    }
    void Scales(MemNode& node, const std::vector<std::pair<TimeValue, ScaleValue>>& keys) {
        Keys<ILinScaleKey, MemScaleController>(node, keys, CTRL_SCALE_CLASS_ID, LININTERP_SCALE_CLASS_ID,
                                               &Control::SetScaleController);
    }

    MemHost host;
};

TEST_F(Evaluation, PositionsRunLinearlyBetweenKeysInTimeOrderAndHoldOutside) {
    MemNode& node = NewNode();
    // Given out of time order; two keys share time 300.
    Positions(node, {{300, Point3(10, 20, 0)}, {0, Point3(0, 0, 0)}, {100, Point3(10, 0, 0)}, {300, Point3(0, 0, 9)}});
    ExpectNear(node.GetNodeTM(-50).GetTrans(), Point3(0, 0, 0));
    ExpectNear(node.GetNodeTM(50).GetTrans(), Point3(5, 0, 0));
    // Towards the first of the keys at 300 in index order, which the last
    // of them then replaces at 300 itself.
    ExpectNear(node.GetNodeTM(200).GetTrans(), Point3(10, 10, 0));
    ExpectNear(node.GetNodeTM(300).GetTrans(), Point3(0, 0, 9));
    ExpectNear(node.GetNodeTM(100000).GetTrans(), Point3(0, 0, 9));

    // Keys changed after an evaluation are what the next one sees.
    ILinPoint3Key key;
    key.time = 400;
    key.val = Point3(1, 1, 1);
    GetKeyControlInterface(const_cast<MemPositionController*>(node.tmController().position()))->SetKey(0, &key);
    ExpectNear(node.GetNodeTM(400).GetTrans(), Point3(1, 1, 1));
}

TEST_F(Evaluation, RotationsTurnAlongTheShorterArc) {
    MemNode& node = NewNode();
    Rotations(node, {{0, Quat()}, {100, AboutZ(kQuarterTurn)}});
    ExpectNear(TransformPoint(Point3(1, 0, 0), node.GetNodeTM(50)), Point3(std::sqrt(0.5f), std::sqrt(0.5f), 0));
    ExpectNear(TransformPoint(Point3(1, 0, 0), node.GetNodeTM(150)), Point3(0, 1, 0));

    // Three quarters one way is a quarter the other way; the same rotation
    // with its sign flipped turns the same way.
    MemNode& back = NewNode();
    Rotations(back, {{0, Quat()}, {100, AboutZ(3 * kQuarterTurn)}});
    ExpectNear(TransformPoint(Point3(1, 0, 0), back.GetNodeTM(50)), Point3(std::sqrt(0.5f), -std::sqrt(0.5f), 0));
    MemNode& flipped = NewNode();
    const Quat q = AboutZ(kQuarterTurn);
    Rotations(flipped, {{0, Quat()}, {100, Quat(-q.x, -q.y, -q.z, -q.w)}});
    ExpectNear(TransformPoint(Point3(1, 0, 0), flipped.GetNodeTM(50)), Point3(std::sqrt(0.5f), std::sqrt(0.5f), 0));
}

TEST_F(Evaluation, ScalesRunLinearlyAlongTheirAxes) {
    MemNode& node = NewNode();
    Scales(node, {{0, ScaleValue(Point3(1, 1, 1), Quat())}, {100, ScaleValue(Point3(3, 1, 1), Quat())}});
    ExpectNear(TransformPoint(Point3(1, 1, 1), node.GetNodeTM(50)), Point3(2, 1, 1));

    // Scale axes turned a quarter about z: the x scale stretches y.
    MemNode& turned = NewNode();
    Scales(turned, {{0, ScaleValue(Point3(2, 1, 1), AboutZ(kQuarterTurn))}});
    ExpectNear(TransformPoint(Point3(0, 1, 0), turned.GetNodeTM(0)), Point3(0, 2, 0));
    ExpectNear(TransformPoint(Point3(1, 0, 0), turned.GetNodeTM(0)), Point3(1, 0, 0));
}

TEST_F(Evaluation, PartsWithoutKeysComeFromTheStaticTransform) {
    // Static: scale (2, 3, 4), a quarter turn about z, at (1, 2, 3).
    Matrix3 placed = Multiply(ScaleValueMatrix(ScaleValue(Point3(2, 3, 4), Quat())), RotateZMatrix(kQuarterTurn));
    placed.SetRow(3, Point3(1, 2, 3));

    MemNode& moving = NewNode();
    moving.SetNodeTM(0, placed);
    Positions(moving, {{0, Point3(7, 8, 9)}});
    Matrix3 expected = placed;
    expected.SetRow(3, Point3(7, 8, 9));
    EXPECT_TRUE(NearlyEqual(moving.GetNodeTM(0), expected, kTolerance));

    // A rotation key keeps the static scale and position.
    MemNode& turning = NewNode();
    turning.SetNodeTM(0, placed);
    Rotations(turning, {{0, Quat()}});
    ExpectNear(TransformPoint(Point3(1, 1, 1), turning.GetNodeTM(0)), Point3(3, 5, 7));

    // A scale key keeps the static rotation: x, scaled, turns to y.
    MemNode& growing = NewNode();
    growing.SetNodeTM(0, placed);
    Scales(growing, {{0, ScaleValue(Point3(5, 1, 1), Quat())}});
    ExpectNear(TransformPoint(Point3(1, 0, 0), growing.GetNodeTM(0)), Point3(1, 7, 3));

    // A mirrored static transform stays mirrored under a rotation key.
    MemNode& mirrored = NewNode();
    Matrix3 mirror;
    mirror.SetRow(2, Point3(0, 0, -1));
    mirrored.SetNodeTM(0, mirror);
    Rotations(mirrored, {{0, Quat()}});
    ExpectNear(TransformPoint(Point3(0, 0, 1), mirrored.GetNodeTM(0)), Point3(0, 0, -1));
}

TEST_F(Evaluation, WorldTransformsFollowAnAnimatedHierarchy) {
    MemNode& root = NewNode();
    MemNode& arm = NewNode();
    MemNode& hand = NewNode();
    Matrix3 offset;
    offset.SetRow(3, Point3(1, 0, 0));
    arm.SetNodeTM(0, offset);
    hand.SetNodeTM(0, Multiply(offset, offset));
    root.AttachChild(&arm, 1);
    arm.AttachChild(&hand, 1);
    Positions(root, {{0, Point3(0, 0, 0)}, {100, Point3(0, 0, 10)}});
    Rotations(arm, {{0, Quat()}, {100, AboutZ(kQuarterTurn)}});

    ExpectNear(hand.GetNodeTM(0).GetTrans(), Point3(2, 0, 0));
    // At the end the arm has turned a quarter, so the hand lies along y
    // from it, and everything has risen with the root.
    ExpectNear(hand.GetNodeTM(100).GetTrans(), Point3(1, 1, 10));
    ExpectNear(hand.GetNodeTM(-100).GetTrans(), Point3(2, 0, 0));
    EXPECT_TRUE(NearlyEqual(hand.LocalAt(100), offset, kTolerance));

    // Setting a world transform under a moving parent is relative to where
    // the parent is at that time.
    Matrix3 wanted;
    wanted.SetRow(3, Point3(1, 5, 10));
    arm.SetNodeTM(100, wanted);
    ExpectNear(arm.staticLocal().GetTrans(), Point3(1, 5, 0));

    // The object offset is placed within the node; validity narrows to the
    // time asked for only when something up the chain is animated.
    Matrix3 lift;
    lift.SetRow(3, Point3(0, 0, 1));
    hand.SetObjectOffset(lift);
    Interval valid = FOREVER;
    ExpectNear(hand.GetObjectTM(0, &valid).GetTrans(), Point3(2, 5, 1));
    EXPECT_EQ(valid, Interval(0, 0));
    MemNode& still = NewNode();
    valid = FOREVER;
    (void)still.GetNodeTM(40, &valid);
    EXPECT_EQ(valid, FOREVER);
}

}  // namespace
}  // namespace memhost
