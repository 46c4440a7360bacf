// Building the host scene from a loaded, processed document: bones and their
// animation first (the skin refers to their nodes), then the mesh with its
// materials and skin, then lights and cameras.
#pragma once

#include "importer/ImportSession.h"

namespace tvx::importer {

// Animate mode is off while building and restored afterwards. Always 1:
// whatever the host refuses to create is skipped.
int BuildScene(ImportSession& session);

}  // namespace tvx::importer
