#include "importer/ModuleState.h"

namespace tvx::importer {

ModuleState& TheModule() {
    static ModuleState state;
    return state;
}

}  // namespace tvx::importer
