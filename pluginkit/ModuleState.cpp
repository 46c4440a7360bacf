#include "pluginkit/ModuleState.h"

#include <dlfcn.h>

namespace tvx::pluginkit {

ModuleState& TheModule() {
    static ModuleState state;
    return state;
}

void EnterModule(hostapi::HINSTANCE module) {
    ModuleState& state = TheModule();
    state.instance = module;
    if (!state.commonControlsInitialized) {
        state.commonControlsInitialized = true;
        ++state.commonControlsInitializations;
    }
}

hostapi::HINSTANCE ModuleContaining(const void* address) {
    Dl_info info{};
    if (dladdr(address, &info) == 0) {
        return nullptr;
    }
    return static_cast<hostapi::HINSTANCE>(info.dli_fbase);
}

}  // namespace tvx::pluginkit
