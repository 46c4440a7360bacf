// Small files that ask for far more than they hold: the shapes a hostile
// user would send to exhaust memory or time, each well under 1 MB.
#pragma once

#include "tests/support/CraftedFiles.h"

namespace tvx::test {

// A version-34 scene compressed three times over: each level multiplies the
// last, so a few hundred bytes stand for a body of `innerBytes`.
Bytes NestedCompressionBomb(std::size_t innerBytes = 16u << 20);

// A compressed version-9 file of `groups` groups with empty names.
Bytes FloodOfEmptyGroups(int groups);

// A compressed version-34 file with one material of `maps` cube maps, each
// with six empty face names.
Bytes FloodOfCubeMaps(int maps);

// A compressed version-34 file with one layered map of `entries` entries,
// each with an empty file name.
Bytes FloodOfLayeredEntries(int entries);

// A version-34 scene of one group, padded with an unknown section of
// `padding` zero bytes (uncompressed).
Bytes PaddedScene(std::size_t padding);

}  // namespace tvx::test
