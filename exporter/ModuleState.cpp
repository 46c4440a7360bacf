#include "exporter/ModuleState.h"

namespace tvx::exporter {

ModuleState& TheModule() {
    static ModuleState state;
    return state;
}

}  // namespace tvx::exporter
