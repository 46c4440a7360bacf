// The state every part of the stand-in host shares: the things it owns, the
// animation settings, the session record and the failure injector.
//
// Everything the host creates lives in one of the lists below, in creation
// order, and its id is its index there. Nothing is ever deleted before the
// host itself, so pointers handed to a plug-in stay valid for the host's
// life, as the real host keeps its scene objects alive for the plug-in. Even
// an object a conversion made for the plug-in only gives up its content
// when the plug-in ends it with DeleteThis.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "hostapi/Animatable.h"
#include "hostapi/HostTypes.h"
#include "memhost/Failures.h"
#include "memhost/Session.h"

namespace memhost {

class HostContext;
class MemNode;
class MemEntity;

// Something the host owns and can find again from a plug-in's pointer.
class MemEntity {
public:
    MemEntity(const MemEntity&) = delete;
    MemEntity& operator=(const MemEntity&) = delete;
    virtual ~MemEntity() = default;

    // Index in the host's list of this kind of thing.
    int id() const { return id_; }
    HostContext& context() const { return *context_; }

protected:
    MemEntity(HostContext& context, int id) : context_(&context), id_(id) {}

private:
    HostContext* context_;
    int id_;
};

// The Animatable part that every host class shares: flags, no interfaces
// and no parameter blocks unless the class offers them.
template <class Base>
class MemAnimatable : public Base, public MemEntity {
public:
    void* GetInterface(hostapi::ULONG) override { return nullptr; }
    // Classes that hand out interfaces to be released say so themselves.
    void ReleaseInterface(hostapi::ULONG id, void*) override;
    // Only a conversion's result may be ended by a plug-in.
    void DeleteThis() override;
    void SetAFlag(hostapi::DWORD mask) override { aflags_ |= mask; }
    void ClearAFlag(hostapi::DWORD mask) override { aflags_ &= ~mask; }
    hostapi::IParamBlock2* GetParamBlock(int) override { return nullptr; }

    bool TestAFlag(hostapi::DWORD mask) const { return (aflags_ & mask) != 0; }

protected:
    MemAnimatable(HostContext& context, int id) : MemEntity(context, id) {}

private:
    hostapi::DWORD aflags_ = 0;
};

struct AnimationSettings {
    int frameRate = 30;
    int ticksPerFrame = 160;
    hostapi::Interval range{0, 100 * 160};
    bool animateOn = false;
    bool setKeyModeOn = false;
    // What each unmatched Suspend call found, innermost last.
    std::vector<bool> suspendedAnimate;
    std::vector<bool> suspendedSetKeyMode;
};

class HostContext {
public:
    Session session;
    FailureInjector failures;
    AnimationSettings animation;

    std::vector<std::unique_ptr<MemNode>> nodes;
    // Triangle meshes, lights, cameras, bone objects and derived objects.
    std::vector<std::unique_ptr<MemEntity>> objects;
    std::vector<std::unique_ptr<MemEntity>> modifiers;
    // Key controllers made by CreateInstance (a node's own transform
    // controller lives with the node).
    std::vector<std::unique_ptr<MemEntity>> controllers;
    std::vector<std::unique_ptr<MemEntity>> materials;
    std::vector<std::unique_ptr<MemEntity>> texmaps;
    // Triangle objects that Object::ConvertToType made for a plug-in; they
    // are no part of the scene.
    std::vector<std::unique_ptr<MemEntity>> conversions;

    // Bumped by every change of keys or of a transform controller's parts:
    // key controllers may be shared, so every node's cached world transform
    // from an earlier epoch is stale (see MemNode.h).
    std::uint64_t transformEpoch = 1;

    void Error(std::string message) { session.HostError(std::move(message)); }
    void TransformsChanged() { ++transformEpoch; }

    // Every call that sets a value at a time reports here: with animate or
    // set-key mode on, the real host would have made a key of it.
    void NoteTimedChange(const char* call) {
        if (animation.animateOn || animation.setKeyModeOn) {
            session.ChangeWhileAnimating(call);
        }
    }

    // Makes a T with (context, id, args...) at the end of list.
    template <class T, class... Args>
    T& Adopt(std::vector<std::unique_ptr<MemEntity>>& list, Args&&... args) {
        auto owned = std::make_unique<T>(*this, static_cast<int>(list.size()), std::forward<Args>(args)...);
        T& made = *owned;
        list.push_back(std::move(owned));
        return made;
    }

    // The host's own T behind a plug-in's pointer; null for null, for a
    // different class, or for an object of another host.
    template <class T, class From>
    T* Find(From* pointer) const {
        T* found = dynamic_cast<T*>(pointer);
        return found && &found->context() == this ? found : nullptr;
    }
};

// "0x1A2B".
std::string HexText(hostapi::ULONG value);

template <class Base>
void MemAnimatable<Base>::ReleaseInterface(hostapi::ULONG id, void*) {
    context().Error("Animatable::ReleaseInterface: interface " + HexText(id) + " was never given by this object");
}

template <class Base>
void MemAnimatable<Base>::DeleteThis() {
    context().Error("Animatable::DeleteThis: the host owns this object");
}

}  // namespace memhost
