#include "fileformat/LayoutWriters.h"

namespace tvx {

int WriteVersion31(TVXExporterData&, OutputFile&, std::span<std::uint32_t, kVersion31HeaderWords>) { return 0; }

}  // namespace tvx
