// Building the host scene from a loaded, processed document: bones and their
// animation first (the skin refers to their nodes), then the mesh with its
// materials and skin, then lights and cameras.
#pragma once

#include "importer/ImportSession.h"

namespace tvx::importer {

// Animate mode is off while building and restored afterwards. Always 1:
// whatever the host refuses to create is skipped. The nodes join the scene
// only once everything is built; an exception (the host or the build out of
// memory) leaves none of them in it and the animation settings as they were,
// and passes on to the caller.
int BuildScene(ImportSession& session);

}  // namespace tvx::importer
