// Where an imported light or camera is placed.
#pragma once

#include "document/TVXTransform.h"
#include "hostapi/HostTypes.h"

namespace tvx::importer {

// Lights and cameras look down their z axis, which the file stores pointing
// the other way. The stored matrix's z column is turned round; when the
// matrix then is a whole view frame (IsViewFrame) it is kept with its roll,
// otherwise (older files store a bare direction, an identity or a frame of
// the other hand) it is rebuilt as a look-at frame around z. Both changes
// are written back into the record. The host transform has the frame's
// axes as rows 0..2 and the record's position (not the matrix's
// translation) as row 3.
[[nodiscard]] hostapi::Matrix3 RebuildViewTransform(TVXTransform& transform);

}  // namespace tvx::importer
