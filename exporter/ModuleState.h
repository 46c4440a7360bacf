// What the exporter library keeps for its whole life: its module handle,
// whether the common controls have been initialised, and whether the
// export running now takes the selected nodes only.
#pragma once

#include "hostapi/WinTypes.h"

namespace tvx::exporter {

struct ModuleState {
    hostapi::HINSTANCE instance = nullptr;
    bool commonControlsInitialized = false;
    int commonControlsInitializations = 0;  // stays 1 however often the entry runs
    // Set by every export from the host's option bits; read by the scene
    // enumeration.
    bool selectedOnly = false;
};

[[nodiscard]] ModuleState& TheModule();

}  // namespace tvx::exporter
