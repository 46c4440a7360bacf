// A small scene built only through the host interfaces, the way an importer
// builds one: two bones (the second animated), a skinned mesh with two map
// channels under a multi-material, an omni light, and a camera never added
// to the scene; with a dialog, progress and a current directory on the way.
#pragma once

#include "memhost/MemHost.h"

namespace memhost {

void BuildScene(MemHost& host);

}  // namespace memhost
