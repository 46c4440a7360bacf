#include "fileformat/LayoutWriters.h"

namespace tvx {

int WriteVersion9File(TVXExporterData&, OutputFile&, std::span<std::uint32_t, kVersion9HeaderWords>) { return 0; }

}  // namespace tvx
