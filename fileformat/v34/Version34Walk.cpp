#include "fileformat/v34/Version34Walk.h"

#include <algorithm>

#include "fileformat/legacy/MeshRecordFields.h"

namespace tvx::v34 {

bool ReadChunkHead(TVXFileReader& reader, ChunkHead& head) {
    head = {};
    const std::uint32_t start = reader.position();
    std::uint32_t size = 0;
    if (!reader.ReadUInt(head.id) || !reader.ReadUInt(size) || size > reader.remaining()) {
        (void)reader.SetPosition(start);
        reader.NoteFault(FaultKind::Truncated);
        return false;
    }
    head.end = reader.position() + size;
    return true;
}

void FinishChunk(TVXFileReader& reader, std::uint32_t end) {
    if (reader.position() < end) {
        // end never lies beyond the buffer (ReadChunkHead saw to it).
        (void)reader.SetPosition(end);
    }
}

bool ReadName(TVXFileReader& reader, TVXString& out) { return reader.ReadString(out, StringEncoding::Utf16); }

bool ReadCount(TVXFileReader& reader, int& count) {
    std::int32_t value = 0;
    if (!reader.ReadInt(value)) {
        count = 0;
        return false;
    }
    count = std::max(value, 0);
    return true;
}

bool BytesCanHold(TVXFileReader& reader, int count, std::uint32_t minBytes) {
    if (count <= 0 || static_cast<std::uint32_t>(count) <= reader.remaining() / minBytes) {
        return true;
    }
    reader.NoteFault(FaultKind::BadCount);
    return false;
}

bool SkipRecords(TVXFileReader& reader, int count, std::uint32_t recordBytes) {
    if (count <= 0) {
        return true;
    }
    if (!BytesCanHold(reader, count, recordBytes)) {
        return false;
    }
    return reader.Skip(static_cast<std::uint32_t>(count) * recordBytes);
}

bool ReadTriangle(TVXFileReader& reader, TVXTriangle& out) {
    Version34Io io(reader);
    return kTriangleFields(io, out);
}

}  // namespace tvx::v34
