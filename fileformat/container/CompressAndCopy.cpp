#include "fileformat/container/CompressAndCopy.h"

#include <zlib.h>

#include <vector>

#include "fileformat/container/AtomicFile.h"
#include "fileformat/container/ByteOrder.h"
#include "fileformat/container/FileConstants.h"
#include "fileformat/container/WholeFile.h"

namespace tvx {
namespace {

// Deletes the temporary file when the copy ends, however it ends. It keeps
// the caller's path rather than a copy, which could fail for memory before
// the guard existed.
class TemporaryFileGuard {
public:
    explicit TemporaryFileGuard(const std::filesystem::path& path) : path_(path) {}
    ~TemporaryFileGuard() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    TemporaryFileGuard(const TemporaryFileGuard&) = delete;
    TemporaryFileGuard& operator=(const TemporaryFileGuard&) = delete;

private:
    const std::filesystem::path& path_;
};

// Room for the compressed stream: n + n/10 + 12, the product in single
// precision as the format's own writer computes it; far above zlib's bound.
uLongf OutputCapacity(std::uint32_t n) {
    return static_cast<uLongf>(n) + static_cast<uLongf>(static_cast<float>(n) * 0.1f) + 12;
}

std::vector<std::uint8_t> EncodeHeader(std::span<const std::uint32_t> header) {
    std::vector<std::uint8_t> bytes(header.size() * 4);
    for (std::size_t i = 0; i < header.size(); ++i) {
        StoreU32LE(bytes.data() + 4 * i, header[i]);
    }
    return bytes;
}

}  // namespace

int CompressAndCopy(std::span<std::uint32_t> header, const std::filesystem::path& tempPath,
                    const std::filesystem::path& targetPath) {
    if (tempPath.empty() || targetPath.empty() || header.size() < 6) {
        return 0;
    }
    const TemporaryFileGuard deleteTemporary(tempPath);
    try {
        ByteBuffer input;
        if (ReadWholeFile(tempPath, input) != WholeFileResult::Ok) {
            return 0;
        }
        uLongf compressedSize = OutputCapacity(input.size);
        std::vector<std::uint8_t> compressed(compressedSize);
        if (compress(compressed.data(), &compressedSize, input.data.get(), input.size) != Z_OK ||
            compressedSize == 0) {
            return 0;
        }
        compressed.resize(compressedSize);

        header[0] = kTvxMagic;
        header[1] = kExportOuterVersion;
        header[2] = kExportOuterFlags;
        header[3] = input.size;

        AtomicFile target;
        if (!target.Open(targetPath) || !target.Write(EncodeHeader(header)) || !target.Write(compressed) ||
            !target.Commit()) {
            return 0;
        }
        return 1;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

}  // namespace tvx
