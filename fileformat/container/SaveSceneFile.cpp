#include "fileformat/container/SaveSceneFile.h"

#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <string>
#include <system_error>

#include "fileformat/container/CompressAndCopy.h"
#include "fileformat/legacy/LayoutWriters.h"
#include "fileformat/container/OutputFile.h"

namespace tvx {
namespace {

std::filesystem::path MakeTemporaryFile() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    std::string pattern = ((error ? std::filesystem::path("/tmp") : folder) / "tvxXXXXXX").string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        return {};
    }
    ::close(fd);
    return pattern;
}

// The temporary folder is shared: once CompressAndCopy has deleted the
// file, its name may already be another export's, so it is removed exactly
// once, here or there, never again after.
void RemoveTemporary(const std::filesystem::path& temporary) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
}

// Runs one writer into the open temporary file and the container step
// after it.
template <std::size_t Words, class Writer>
int WriteAndCompress(TVXExporterData& data, StdioOutputFile& file, const std::filesystem::path& temporary,
                     const std::filesystem::path& target, Writer writer) {
    std::array<std::uint32_t, Words> header{};
    bool written = false;
    try {
        written = writer(data, file, std::span(header)) == 1;
    } catch (...) {
        // Whatever escapes a writer still ends here, so the temporary file
        // is removed by this function and by nobody else.
    }
    if (!file.Close() || !written) {
        RemoveTemporary(temporary);
        return 0;
    }
    return CompressAndCopy(header, temporary, target);
}

}  // namespace

int SaveSceneFileVia(TVXExporterData& data, StdioOutputFile& file, const std::filesystem::path& temporary,
                     const std::filesystem::path& target) {
    return IsOn(data.options.exportLegacyLayout)
               ? WriteAndCompress<kVersion9HeaderWords>(data, file, temporary, target, WriteVersion9File)
               : WriteAndCompress<kVersion31HeaderWords>(data, file, temporary, target, WriteVersion31);
}

int SaveSceneFile(TVXExporterData& data, const std::filesystem::path& target) {
    const std::filesystem::path temporary = MakeTemporaryFile();
    if (temporary.empty()) {
        return 0;
    }
    StdioOutputFile file;
    if (!file.Open(temporary)) {
        RemoveTemporary(temporary);
        return 0;
    }
    return SaveSceneFileVia(data, file, temporary, target);
}

}  // namespace tvx
