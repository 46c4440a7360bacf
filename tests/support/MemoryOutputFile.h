// The writer tests' in-memory file, which can fail once a given number of
// bytes has been written.
#pragma once

#include "fileformat/container/MemoryOutputFile.h"

namespace tvx::test {

using tvx::MemoryOutputFile;

}  // namespace tvx::test
