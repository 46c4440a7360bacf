// Transform controllers: the one every node has, and the linear key
// controllers a plug-in makes and hands to it.
//
// A node's transform controller holds its static local transform (what
// SetNodeTM sets, see MemNode) and, for each of position, rotation and
// scale, optionally a key controller that animates that part. Keys are kept
// in index order with their times in ticks, so that evaluating a node at a
// time can later be added here without changing what is stored.
#pragma once

#include <vector>

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
};

template <>
struct KeyTraits<hostapi::ILinRotKey> {
    static constexpr KeyKind kind = KeyKind::Rotation;
    static constexpr hostapi::SClass_ID superClass = hostapi::CTRL_ROTATION_CLASS_ID;
    static constexpr hostapi::ULONG classId = hostapi::LININTERP_ROTATION_CLASS_ID;
};

template <>
struct KeyTraits<hostapi::ILinScaleKey> {
    static constexpr KeyKind kind = KeyKind::Scale;
    static constexpr hostapi::SClass_ID superClass = hostapi::CTRL_SCALE_CLASS_ID;
    static constexpr hostapi::ULONG classId = hostapi::LININTERP_SCALE_CLASS_ID;
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
    MemLinearController(HostContext& context, int id) : MemKeyControllerBase(context, id) {}

    KeyKind kind() const override { return KeyTraits<Key>::kind; }
    hostapi::Class_ID ClassID() override { return hostapi::Class_ID(KeyTraits<Key>::classId, 0); }
    hostapi::SClass_ID SuperClassID() override { return KeyTraits<Key>::superClass; }
    void* GetInterface(hostapi::ULONG id) override;

    void SetNumKeys(int n) override;
    void SetKey(int i, hostapi::IKey* key) override;

    const std::vector<Key>& keys() const { return keys_; }

private:
    std::vector<Key> keys_;
};

using MemPositionController = MemLinearController<hostapi::ILinPoint3Key>;
using MemRotationController = MemLinearController<hostapi::ILinRotKey>;
using MemScaleController = MemLinearController<hostapi::ILinScaleKey>;

// The node's own transform controller (a position/rotation/scale
// controller). Its id is its node's id.
class MemTMController final : public MemAnimatable<hostapi::Control> {
public:
    MemTMController(HostContext& context, int nodeId) : MemAnimatable(context, nodeId) {}

    hostapi::Class_ID ClassID() override { return hostapi::Class_ID(hostapi::PRS_CONTROL_CLASS_ID, 0); }
    hostapi::SClass_ID SuperClassID() override { return hostapi::CTRL_MATRIX3_CLASS_ID; }
    hostapi::BOOL SetPositionController(hostapi::Control* c) override;
    hostapi::BOOL SetRotationController(hostapi::Control* c) override;
    hostapi::BOOL SetScaleController(hostapi::Control* c) override;

    // Null while the node's static transform rules that part.
    const MemPositionController* position() const { return position_; }
    const MemRotationController* rotation() const { return rotation_; }
    const MemScaleController* scale() const { return scale_; }

private:
    template <class Controller>
    hostapi::BOOL Assign(hostapi::Control* c, Controller*& slot, const char* call);

    MemPositionController* position_ = nullptr;
    MemRotationController* rotation_ = nullptr;
    MemScaleController* scale_ = nullptr;
};

extern template class MemLinearController<hostapi::ILinPoint3Key>;
extern template class MemLinearController<hostapi::ILinRotKey>;
extern template class MemLinearController<hostapi::ILinScaleKey>;

}  // namespace memhost
