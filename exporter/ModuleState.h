// What the exporter library keeps for its whole life: its module handle and
// whether the common controls have been initialised.
#pragma once

#include "hostapi/WinTypes.h"

namespace tvx::exporter {

struct ModuleState {
    hostapi::HINSTANCE instance = nullptr;
    bool commonControlsInitialized = false;
    int commonControlsInitializations = 0;  // stays 1 however often the entry runs
};

[[nodiscard]] ModuleState& TheModule();

}  // namespace tvx::exporter
