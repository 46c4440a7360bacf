// Where an imported light or camera is placed.
#pragma once

#include "document/TVXTransform.h"
#include "hostapi/HostTypes.h"

namespace tvx::importer {

// Lights and cameras look down their z axis, which the file stores pointing
// the other way. The stored matrix's z column is turned round and the
// matrix rebuilt as a look-at frame around it, both written back into the
// record; the host transform has the frame's axes as rows 0..2 and the
// record's position (not the matrix's translation) as row 3.
[[nodiscard]] hostapi::Matrix3 RebuildViewTransform(TVXTransform& transform);

}  // namespace tvx::importer
