// Transform controllers: the one every node has, and the linear key
// controllers a plug-in makes and hands to it.
//
// A node's transform controller holds, for each of position, rotation and
// scale, optionally a key controller that animates that part; the node's
// static local transform (what SetNodeTM sets, see MemNode) gives every part
// without one.
//
// Evaluation at a time t: keys are taken in time order (keys with equal
// times in index order). Before the first key the first key's value holds,
// after the last key the last one's; between two keys positions and scales
// are interpolated linearly and rotations (and the axes of a scale) by
// spherical interpolation along the shorter arc. Rotation keys are absolute
// host quaternions (see hostapi/Quat.h). The local transform is then
// scale * rotation * translation (row vectors: the scale applies first),
// where the scale is a ScaleValue's matrix (see HostMath.h). A node with a
// position controller only keeps the 3 x 3 part of its static transform as
// it is; with a rotation or a scale controller, the part without one comes
// from the static transform split into row lengths and directions.
//
// A transform controller is of the host's position/rotation/scale class, or
// one of the biped's: the body or slave controller (which offer the biped
// interfaces of hostapi/Biped.h and record every call on them in the
// session) or the footstep controller (which offers none). The biped
// controllers animate their nodes as any other does.
#pragma once

#include <vector>

#include "hostapi/Biped.h"
#include "hostapi/Controllers.h"
#include "hostapi/HostConstants.h"
#include "memhost/HostContext.h"

namespace memhost {

enum class KeyKind { Position, Rotation, Scale };

template <class Key>
struct KeyTraits;

template <>
struct KeyTraits<hostapi::ILinPoint3Key> {
    static constexpr KeyKind kind = KeyKind::Position;
    static constexpr hostapi::SClass_ID superClass = hostapi::CTRL_POSITION_CLASS_ID;
    static constexpr hostapi::ULONG classId = hostapi::LININTERP_POSITION_CLASS_ID;
    using Value = hostapi::Point3;
};

template <>
struct KeyTraits<hostapi::ILinRotKey> {
    static constexpr KeyKind kind = KeyKind::Rotation;
    static constexpr hostapi::SClass_ID superClass = hostapi::CTRL_ROTATION_CLASS_ID;
    static constexpr hostapi::ULONG classId = hostapi::LININTERP_ROTATION_CLASS_ID;
    using Value = hostapi::Quat;
};

template <>
struct KeyTraits<hostapi::ILinScaleKey> {
    static constexpr KeyKind kind = KeyKind::Scale;
    static constexpr hostapi::SClass_ID superClass = hostapi::CTRL_SCALE_CLASS_ID;
    static constexpr hostapi::ULONG classId = hostapi::LININTERP_SCALE_CLASS_ID;
    using Value = hostapi::ScaleValue;
};

// What every key controller answers, whatever its key type.
class MemKeyControllerBase : public MemAnimatable<hostapi::Control> {
public:
    virtual KeyKind kind() const = 0;

    // A key controller has no parts of its own.
    hostapi::BOOL SetPositionController(hostapi::Control*) override { return Refuse("SetPositionController"); }
    hostapi::BOOL SetRotationController(hostapi::Control*) override { return Refuse("SetRotationController"); }
    hostapi::BOOL SetScaleController(hostapi::Control*) override { return Refuse("SetScaleController"); }

protected:
    MemKeyControllerBase(HostContext& context, int id) : MemAnimatable(context, id) {}
    hostapi::BOOL Refuse(const char* call);
};

template <class Key>
class MemLinearController final : public MemKeyControllerBase, public hostapi::IKeyControl {
public:
    using Value = typename KeyTraits<Key>::Value;

    MemLinearController(HostContext& context, int id) : MemKeyControllerBase(context, id) {}

    KeyKind kind() const override { return KeyTraits<Key>::kind; }
    hostapi::Class_ID ClassID() override { return hostapi::Class_ID(KeyTraits<Key>::classId, 0); }
    hostapi::SClass_ID SuperClassID() override { return KeyTraits<Key>::superClass; }
    void* GetInterface(hostapi::ULONG id) override;

    void SetNumKeys(int n) override;
    void SetKey(int i, hostapi::IKey* key) override;

    // In index order.
    const std::vector<Key>& keys() const { return keys_; }
    // The value at t; a controller without keys gives the identity value.
    Value ValueAt(hostapi::TimeValue t) const;

private:
    // Key indices in time order, rebuilt after the keys change.
    const std::vector<std::size_t>& TimeOrder() const;

    std::vector<Key> keys_;
    mutable std::vector<std::size_t> order_;
    mutable bool orderStale_ = true;
};

using MemPositionController = MemLinearController<hostapi::ILinPoint3Key>;
using MemRotationController = MemLinearController<hostapi::ILinRotKey>;
using MemScaleController = MemLinearController<hostapi::ILinScaleKey>;

enum class TMControllerClass { PositionRotationScale, BipedBody, BipedSlave, Footstep };

class MemTMController;

// The biped interfaces of one biped controller; each call is recorded.
class MemBipedExport final : public hostapi::IBipedExport {
public:
    explicit MemBipedExport(MemTMController& owner) : owner_(owner) {}
    ~MemBipedExport() override = default;

    void RemoveNonUniformScale(hostapi::BOOL onOff) override;
    void BeginFigureMode(int redraw) override;
    void EndFigureMode(int redraw) override;

private:
    MemTMController& owner_;
};

class MemBipMaster final : public hostapi::IBipMaster {
public:
    explicit MemBipMaster(MemTMController& owner) : owner_(owner) {}
    ~MemBipMaster() override = default;

    void ExitModes(hostapi::Interval range) override;

private:
    MemTMController& owner_;
};

// The node's own transform controller. Its id is its node's id.
class MemTMController final : public MemAnimatable<hostapi::Control> {
public:
    MemTMController(HostContext& context, int nodeId)
        : MemAnimatable(context, nodeId), bipedExport_(*this), bipMaster_(*this) {}

    hostapi::Class_ID ClassID() override;
    hostapi::SClass_ID SuperClassID() override { return hostapi::CTRL_MATRIX3_CLASS_ID; }
    void* GetInterface(hostapi::ULONG id) override;
    void ReleaseInterface(hostapi::ULONG id, void* i) override;
    hostapi::BOOL SetPositionController(hostapi::Control* c) override;
    hostapi::BOOL SetRotationController(hostapi::Control* c) override;
    hostapi::BOOL SetScaleController(hostapi::Control* c) override;

    // Null while the node's static transform rules that part.
    const MemPositionController* position() const { return position_; }
    const MemRotationController* rotation() const { return rotation_; }
    const MemScaleController* scale() const { return scale_; }
    bool animated() const { return position_ || rotation_ || scale_; }

    TMControllerClass controllerClass() const { return class_; }
    void SetControllerClass(TMControllerClass c) { class_ = c; }
    bool isBiped() const {
        return class_ == TMControllerClass::BipedBody || class_ == TMControllerClass::BipedSlave;
    }
    // Biped interfaces given and not yet released, by interface.
    int bipedExportHeld() const { return bipedExportHeld_; }
    int bipMasterHeld() const { return bipMasterHeld_; }

    // The local transform at t, given the node's static local transform.
    hostapi::Matrix3 LocalAt(hostapi::TimeValue t, const hostapi::Matrix3& staticLocal) const;

    void RecordBipedCall(BipedCall call);

private:
    template <class Controller>
    hostapi::BOOL Assign(hostapi::Control* c, Controller*& slot, const char* call);

    MemPositionController* position_ = nullptr;
    MemRotationController* rotation_ = nullptr;
    MemScaleController* scale_ = nullptr;
    TMControllerClass class_ = TMControllerClass::PositionRotationScale;
    MemBipedExport bipedExport_;
    MemBipMaster bipMaster_;
    int bipedExportHeld_ = 0;
    int bipMasterHeld_ = 0;
};

extern template class MemLinearController<hostapi::ILinPoint3Key>;
extern template class MemLinearController<hostapi::ILinRotKey>;
extern template class MemLinearController<hostapi::ILinScaleKey>;

}  // namespace memhost
