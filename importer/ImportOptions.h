// The three choices of an import, each 1 (on) or 0 (off). The dialog reads
// and writes them as one block, so they stay together in this order.
#pragma once

namespace tvx::importer {

struct ImportOptions {
    int importBones = 1;
    int importAnimation = 1;
    int hideBones = 1;
};

// An option counts as on only when it is exactly 1.
[[nodiscard]] constexpr bool IsOn(int option) { return option == 1; }

}  // namespace tvx::importer
