// The plug-ins' progress bar as lines on stderr: the title when it opens,
// then the percentage each time it reaches a further tenth, so a long
// import or export shows it is moving without flooding a log.
#pragma once

#include <ostream>

#include "memhost/MemHost.h"

namespace tvx::tool {

void ShowProgressOn(memhost::MemHost& host, std::ostream& err);

}  // namespace tvx::tool
