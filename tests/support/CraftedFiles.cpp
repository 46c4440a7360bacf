#include "tests/support/CraftedFiles.h"

#include <zlib.h>

#include <stdexcept>

#include "tests/support/ByteWriter.h"

namespace tvx::test {
namespace {

int HeaderBytes(int version) {
    if (version == 34) {
        return 48;
    }
    return version < 30 ? 96 : 128;
}

}  // namespace

void PatchWord(Bytes& file, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        file.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

Bytes LegacyFile(int version, const Bytes& body, std::uint32_t flags) {
    ByteWriter w;
    w.Bytes("TVXH").I32(version).U32(flags).U32(0);
    w.Zeros(static_cast<std::size_t>(HeaderBytes(version) - 16));
    w.Bytes(body);
    Bytes file = w.bytes();
    PatchWord(file, 12, static_cast<std::uint32_t>(file.size()));
    return file;
}

Bytes ChunkedFile(const Bytes& body, std::uint32_t flags, int version) {
    ByteWriter w;
    w.Bytes("TVXH").I32(version).U32(flags).U32(0).U32(48).Zeros(28).Bytes(body);
    Bytes file = w.bytes();
    PatchWord(file, 12, static_cast<std::uint32_t>(file.size()));
    return file;
}

Bytes CompressedFile(int outerVersion, const Bytes& inner, std::int64_t lengthField) {
    const int headerBytes = HeaderBytes(outerVersion);
    ByteWriter w;
    w.Bytes("TVXH").I32(outerVersion).U32(0x10);
    w.U32(lengthField < 0 ? static_cast<std::uint32_t>(inner.size()) : static_cast<std::uint32_t>(lengthField));
    w.Zeros(static_cast<std::size_t>(headerBytes - 16));
    Bytes file = w.bytes();
    PatchWord(file, outerVersion == 34 ? 16 : 20, static_cast<std::uint32_t>(headerBytes));
    const Bytes stream = ZlibCompress(inner);
    file.insert(file.end(), stream.begin(), stream.end());
    return file;
}

Bytes ZlibCompress(const Bytes& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    Bytes out(size);
    if (compress(out.data(), &size, data.data(), static_cast<uLong>(data.size())) != Z_OK) {
        throw std::runtime_error("compress failed");
    }
    out.resize(size);
    return out;
}

Bytes ZlibUncompress(const Bytes& data, std::size_t expectedSize) {
    Bytes out(expectedSize + 1);
    uLongf size = static_cast<uLongf>(out.size());
    if (uncompress(out.data(), &size, data.data(), static_cast<uLong>(data.size())) != Z_OK) {
        throw std::runtime_error("uncompress failed");
    }
    out.resize(size);
    return out;
}

}  // namespace tvx::test
