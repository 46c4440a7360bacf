#include "memhost/Failures.h"

#include <algorithm>
#include <cstdio>

namespace memhost {
namespace {

bool Matches(const FailureRule& rule, HostCall call, const CallDetail& detail) {
    if (rule.call != call) {
        return false;
    }
    if (rule.superClass && rule.superClass != detail.superClass) {
        return false;
    }
    if (rule.classId && rule.classId != detail.classId) {
        return false;
    }
    return !rule.interfaceId || rule.interfaceId == detail.interfaceId;
}

std::string Describe(const CallDetail& detail) {
    char buffer[96];
    if (detail.superClass && detail.classId) {
        std::snprintf(buffer, sizeof buffer, "0x%X (0x%X, 0x%X)", *detail.superClass, detail.classId->PartA(),
                      detail.classId->PartB());
        return buffer;
    }
    if (detail.interfaceId) {
        std::snprintf(buffer, sizeof buffer, "0x%X", *detail.interfaceId);
        return buffer;
    }
    if (detail.coreInterface) {
        std::snprintf(buffer, sizeof buffer, "(0x%X, 0x%X)", detail.coreInterface->PartA(),
                      detail.coreInterface->PartB());
        return buffer;
    }
    return {};
}

}  // namespace

const char* HostCallName(HostCall call) {
    switch (call) {
    case HostCall::CreateNode:
        return "CreateNode";
    case HostCall::CreateNewTriObject:
        return "CreateNewTriObject";
    case HostCall::CreateLightObject:
        return "CreateLightObject";
    case HostCall::CreateCameraObject:
        return "CreateCameraObject";
    case HostCall::CreateInstance:
        return "CreateInstance";
    case HostCall::CreateDerivedObject:
        return "CreateDerivedObject";
    case HostCall::NewDefaultMultiMtl:
        return "NewDefaultMultiMtl";
    case HostCall::NewDefaultStdMat:
        return "NewDefaultStdMat";
    case HostCall::NewDefaultBitmapTex:
        return "NewDefaultBitmapTex";
    case HostCall::GetUVGen:
        return "GetUVGen";
    case HostCall::GetInterface:
        return "GetInterface";
    case HostCall::GetCOREInterface:
        return "GetCOREInterface";
    case HostCall::GetTMController:
        return "GetTMController";
    case HostCall::ConvertToType:
        return "ConvertToType";
    case HostCall::GetTempPathA:
        return "GetTempPathA";
    case HostCall::GetTempFileNameA:
        return "GetTempFileNameA";
    }
    return "?";
}

void FailureInjector::Add(FailureRule rule) {
    const int nth = std::max(rule.nth, 1);
    rules_.push_back({std::move(rule), nth, false});
}

void FailureInjector::FailCall(HostCall call, int nth) {
    FailureRule rule;
    rule.call = call;
    rule.nth = nth;
    Add(rule);
}

void FailureInjector::FailCreateInstance(hostapi::SClass_ID superClass, hostapi::Class_ID classId, int nth) {
    FailureRule rule;
    rule.call = HostCall::CreateInstance;
    rule.nth = nth;
    rule.superClass = superClass;
    rule.classId = classId;
    Add(rule);
}

void FailureInjector::FailGetInterface(hostapi::ULONG interfaceId, int nth) {
    FailureRule rule;
    rule.call = HostCall::GetInterface;
    rule.nth = nth;
    rule.interfaceId = interfaceId;
    Add(rule);
}

bool FailureInjector::ShouldFail(HostCall call, const CallDetail& detail) {
    const int number = ++calls_[static_cast<unsigned>(call)];
    bool fail = false;
    // Every matching rule counts the call, so two rules on the same call
    // (the 1st and the 3rd) both fire where they say.
    for (ActiveRule& active : rules_) {
        if (!Matches(active.rule, call, detail)) {
            continue;
        }
        if (active.fired && !active.rule.every) {
            continue;
        }
        if (active.remaining > 1) {
            --active.remaining;
            continue;
        }
        active.fired = true;
        fail = true;
    }
    if (fail) {
        injected_.push_back({call, number, Describe(detail)});
    }
    return fail;
}

int FailureInjector::PendingRules() const {
    return static_cast<int>(std::count_if(rules_.begin(), rules_.end(), [](const ActiveRule& r) { return !r.fired; }));
}

}  // namespace memhost
