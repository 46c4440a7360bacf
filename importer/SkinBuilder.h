// The Skin modifier that binds the mesh node to the bone nodes with the
// document's vertex weights.
#pragma once

#include "importer/ImportSession.h"

namespace tvx::importer {

// Registers the bones that weight a vertex some face uses (and that weight
// any vertex at all), then gives every weighted vertex its weights as
// stored. Builds nothing without such bones; any refused step ends it,
// keeping what was done.
void BuildSkin(ImportSession& session, hostapi::INode* meshNode);

}  // namespace tvx::importer
