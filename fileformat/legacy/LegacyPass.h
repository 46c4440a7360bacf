// One walk over the body of a legacy scene file (see TwoPassRead).
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "document/TVXScene.h"
#include "fileformat/container/MemoryBudget.h"
#include "fileformat/container/RecordNames.h"
#include "fileformat/container/TVXFileReader.h"
#include "fileformat/container/TwoPassRead.h"
#include "fileformat/legacy/LegacyFormat.h"

namespace tvx {

struct LegacyPass : TwoPassRead {
    LegacyPass(TVXFileReader& r, TVXScene& s, const LegacyFormat& f, bool fillPass, MemoryBudget& b)
        : TwoPassRead{r, b, fillPass}, scene(s), format(f) {}

    TVXScene& scene;
    LegacyFormat format;

    // Count pass: the corners of all polygons, which size the inline UV
    // coordinates of versions 6..29.
    std::int64_t cornerTotal = 0;
    // Fill pass: the next free coordinate of the inline UVs; it runs on
    // across face lists.
    int uvCursor = 0;
    // Fill pass: where texture names are relinked to.
    std::filesystem::path sceneFolder;

    [[nodiscard]] bool Int(int& out) { return reader.ReadInt(out); }
    // A "word" stored into a float field: the same four bytes, bit for bit.
    [[nodiscard]] bool Float(float& out) { return reader.ReadFloat(out); }
    [[nodiscard]] bool String(TVXString& out) { return reader.ReadString(out, format.strings); }
};

// Reads the int that opens a section or a nested list; a count of zero or
// less means no records. The count pass records it in `learned`; the fill
// pass reads the same bytes and so must find the same number, which is what
// keeps its record indices inside the arrays sized from `learned`.
[[nodiscard]] inline bool ReadSectionCount(LegacyPass& pass, int& learned, int& n) {
    int raw = 0;
    if (!pass.Int(raw)) {
        return false;
    }
    n = raw > 0 ? raw : 0;
    if (!pass.filling()) {
        learned = n;
        return true;
    }
    return n == learned;
}

// Where record i of a list goes. Without a list (the count pass, or records
// that are read and dropped) it is the scratch record; otherwise element i,
// or nothing when i lies outside the list.
template <class T>
T* RecordTarget(std::vector<T>* records, int i, T& scratch) {
    if (records == nullptr) {
        return &scratch;
    }
    if (i < 0 || i >= Count(*records)) {
        return nullptr;
    }
    return &(*records)[static_cast<std::size_t>(i)];
}

// The list that the fill pass stores into; none in the count pass.
template <class T>
std::vector<T>* FillList(const LegacyPass& pass, std::vector<T>& records) {
    return pass.filling() ? &records : nullptr;
}

// Reads n records with `readRecord`: into `records` (which allocation has
// sized) in the fill pass, into one scratch record otherwise.
template <class T, class ReadRecord>
bool ReadRecords(LegacyPass& pass, std::vector<T>* records, int n, ReadRecord readRecord) {
    for (int i = 0; i < n; ++i) {
        T scratch;
        T* record = RecordTarget(records, i, scratch);
        if (record == nullptr || !readRecord(pass, *record)) {
            pass.reader.LocateFault(kRecordName<T>, i);
            return false;
        }
    }
    return true;
}

// A whole section: its count, then its records.
template <class T, class ReadRecord>
bool ReadSection(LegacyPass& pass, std::vector<T>& records, int& learned, ReadRecord readRecord) {
    int n = 0;
    return ReadSectionCount(pass, learned, n) && ReadRecords(pass, FillList(pass, records), n, readRecord);
}

}  // namespace tvx
