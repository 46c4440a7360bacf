// What a plug-in library keeps for its whole life: its module handle (its
// dialog templates are looked up through it) and whether the common
// controls have been initialised. Each plug-in is its own shared library,
// so each has its own.
#pragma once

#include "hostapi/WinTypes.h"

namespace tvx::pluginkit {

struct ModuleState {
    hostapi::HINSTANCE instance = nullptr;
    bool commonControlsInitialized = false;
    int commonControlsInitializations = 0;  // stays 1 however often the entry runs
};

[[nodiscard]] ModuleState& TheModule();

// The library entry's work (DllMain on the host's platform): keeps the
// module handle and initialises the common controls once.
void EnterModule(hostapi::HINSTANCE module);

// The handle of the loaded library that holds `address`, as the host's
// loader would pass it to the library entry; null when none does.
[[nodiscard]] hostapi::HINSTANCE ModuleContaining(const void* address);

}  // namespace tvx::pluginkit
