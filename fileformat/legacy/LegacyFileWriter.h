// What the version-31 and version-9 writers share: the header, its table of
// sections, the creator trailer and the header's second writing.
//
// A written legacy file is a header of 32-bit words (magic, version, vertex
// flags, file length, then per section its count and the offset of that
// count) followed by the sections in table order, each its count and its
// records. The header goes out first as a placeholder with a zero length
// and is written again over itself once every offset and the length are
// known; a write that fails in between leaves the placeholder, which no
// reader accepts.
#pragma once

#include <cstdint>
#include <new>
#include <span>

#include "fileformat/container/FileWriter.h"
#include "fileformat/container/OutputFile.h"
#include "fileformat/legacy/ExporterData.h"
#include "fileformat/legacy/LegacyFormat.h"
#include "fileformat/legacy/LegacyIo.h"

namespace tvx {

class LegacyFileWriter {
public:
    // `header` is the caller's, and ends as the final header. `format`
    // names the version and the vertex parts the header's flags announce.
    LegacyFileWriter(OutputFile& file, std::span<std::uint32_t> header, const LegacyFormat& format);

    // Clears the header (a word the layout leaves unused is zero whatever
    // the caller left there) and writes it as the placeholder.
    [[nodiscard]] bool Start();

    // Section `index` of `count` records: enters it in the table, writes
    // the count, then `writeRecord(io, i)` for i in 0..count-1. Header and
    // count in front of the records can never disagree with them.
    template <class WriteRecord>
    [[nodiscard]] bool Section(std::size_t index, int count, WriteRecord writeRecord) {
        if (!BeginSection(index, count)) {
            return false;
        }
        for (int i = 0; i < count; ++i) {
            if (!writeRecord(io_, i)) {
                return false;
            }
        }
        return true;
    }

    // A section of every record of `records`, each walked by `fields`.
    template <class Records, class Fields>
    [[nodiscard]] bool Section(std::size_t index, const Records& records, Fields fields) {
        return Section(index, static_cast<int>(std::size(records)),
                       [&records, &fields](LegacyWriteIo& io, int i) {
                           return fields(io, records[static_cast<std::size_t>(i)]);
                       });
    }

    // A section the layout keeps in its place, holding nothing.
    [[nodiscard]] bool EmptySection(std::size_t index) { return BeginSection(index, 0); }

    // The last section: the creator's name, version and note, the note set
    // to the time of the save.
    [[nodiscard]] bool Trailer(std::size_t index, TVXExporterData& data);

    // Writes the length and the header again, and flushes. A file that
    // outgrew the 32-bit length and offsets would carry a header that lies
    // about it, so that is a failure.
    [[nodiscard]] bool Finish();

private:
    [[nodiscard]] bool BeginSection(std::size_t index, int count);

    FileWriter writer_;
    LegacyWriteIo io_;
    std::span<std::uint32_t> header_;
    LegacyFormat format_;
};

// 1 when `write` succeeded, 0 when it failed or ran out of memory: a
// writer's failure never leaves as an exception.
template <class Write>
[[nodiscard]] int GuardedWrite(Write write) {
    try {
        return write() ? 1 : 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

}  // namespace tvx
