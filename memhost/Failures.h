// Failure injection: the stand-in host can make any single creation or
// look-up return null (or a temporary-file call fail), so that a plug-in's
// "a null result skips that item" and error paths run in tests.
//
// A rule names a call and, optionally, the class or interface it must ask
// for; it fires on the nth matching call after the rule was added (1 = the
// next one), and with `every` on each matching call from then on. Each
// fired failure is recorded with the call's running number since the host
// was made, so a test can check that its failure really happened.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "hostapi/HostTypes.h"

namespace memhost {

enum class HostCall {
    CreateNode,
    CreateNewTriObject,
    CreateLightObject,
    CreateCameraObject,
    CreateInstance,
    CreateDerivedObject,
    NewDefaultMultiMtl,
    NewDefaultStdMat,
    NewDefaultBitmapTex,
    GetUVGen,
    GetInterface,
    GetCOREInterface,
    GetTMController,
    ConvertToType,
    GetTempPathA,
    GetTempFileNameA,
};
inline constexpr int kHostCallCount = static_cast<int>(HostCall::GetTempFileNameA) + 1;

// The SDK name of the call, such as "CreateInstance".
const char* HostCallName(HostCall call);

// What a call asked for, as far as a rule can filter on it.
struct CallDetail {
    std::optional<hostapi::SClass_ID> superClass;
    std::optional<hostapi::Class_ID> classId;
    std::optional<hostapi::ULONG> interfaceId;
    std::optional<hostapi::Interface_ID> coreInterface;
};

struct FailureRule {
    HostCall call = HostCall::CreateNode;
    int nth = 1;
    bool every = false;
    // Unset filters match anything.
    std::optional<hostapi::SClass_ID> superClass;
    std::optional<hostapi::Class_ID> classId;
    std::optional<hostapi::ULONG> interfaceId;
};

struct InjectedFailure {
    HostCall call = HostCall::CreateNode;
    // 1-based count of calls of this kind since the host was made.
    int callNumber = 0;
    // The class or interface asked for, when the call names one.
    std::string detail;
};

class FailureInjector {
public:
    // nth below 1 counts as 1.
    void Add(FailureRule rule);
    // Convenience: the nth next call of that kind fails.
    void FailCall(HostCall call, int nth = 1);
    // The nth next CreateInstance of (superClass, classId) fails.
    void FailCreateInstance(hostapi::SClass_ID superClass, hostapi::Class_ID classId, int nth = 1);
    // The nth next GetInterface(interfaceId) fails, on whatever object.
    void FailGetInterface(hostapi::ULONG interfaceId, int nth = 1);

    // Counts the call; true when it is to fail (and records that).
    bool ShouldFail(HostCall call, const CallDetail& detail = {});

    int Calls(HostCall call) const { return calls_[static_cast<unsigned>(call)]; }
    // Rules that have not fired yet.
    int PendingRules() const;
    const std::vector<InjectedFailure>& injected() const { return injected_; }

private:
    struct ActiveRule {
        FailureRule rule;
        int remaining = 1;
        bool fired = false;
    };

    std::vector<ActiveRule> rules_;
    std::array<int, kHostCallCount> calls_{};
    std::vector<InjectedFailure> injected_;
};

}  // namespace memhost
