#include "tools/tvx/LoadFailure.h"

#include <ostream>

#include "fileformat/container/LoadStatusMessage.h"

namespace tvx::tool {

void PrintLoadFailure(std::ostream& err, const std::filesystem::path& file, int status, const LoadReport& report,
                      std::uint64_t maxInflatedBytes) {
    err << "tvx: " << file.string() << ": " << LoadStatusMessage(status) << " (status " << status << ")";
    if (report.fault.noted) {
        err << ": " << DescribeFault(report.fault);
    }
    if (const LoadLimit limit = report.limit; limit != LoadLimit::None) {
        err << ": " << LoadLimitMessage(limit, maxInflatedBytes);
        if (limit == LoadLimit::InflatedSize) {
            err << "; --max-inflated-mib raises the limit";
        }
    }
    err << '\n';
}

}  // namespace tvx::tool
