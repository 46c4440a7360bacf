// The two walkers of a legacy record's field list: LegacyReadIo over a pass
// of the reader (the count pass, which keeps nothing, or the fill pass), and
// LegacyWriteIo over the writer of version 31 or 9. Both know the layout
// (`format()`) that the field list consults for the fields a version adds or
// drops.
#pragma once

#include <algorithm>
#include <climits>
#include <iterator>
#include <vector>

#include "fileformat/container/FieldReader.h"
#include "fileformat/container/FileWriter.h"
#include "fileformat/legacy/LegacyFormat.h"
#include "fileformat/legacy/LegacyPass.h"

namespace tvx {

class LegacyReadIo : public FieldReader {
public:
    explicit LegacyReadIo(LegacyPass& pass) : LegacyReadIo(pass, pass.filling()) {}

    const LegacyFormat& format() const { return pass_.format; }
    // Whether the record walked is one of the scene's (the fill pass) or a
    // scratch record that is dropped (the count pass, or records the scene
    // has no room for).
    bool storing() const { return storing_; }
    LegacyPass& pass() { return pass_; }

    // A list inside a record: its count, then its records. The count pass
    // charges the budget with the list; the fill pass allocates it with
    // `alloc(owner, n)` and reads into it. Of a list longer than
    // `keepAtMost`, the records beyond are read and dropped.
    template <class Owner, class Record, class Alloc, class Fields>
    [[nodiscard]] bool List(Owner& owner, std::vector<Record>& records, Alloc alloc, Fields fields,
                            int keepAtMost = INT_MAX) {
        int n = 0;
        if (!Int(n) || !pass_.Reserve<Record>(n)) {
            return false;
        }
        const int kept = storing_ ? std::clamp(n, 0, keepAtMost) : 0;
        if (kept > 0 && !alloc(owner, kept)) {
            return false;
        }
        for (int i = 0; i < kept; ++i) {
            if (!fields(*this, records[static_cast<std::size_t>(i)])) {
                return Located<Record>(i);
            }
        }
        LegacyReadIo dropping(pass_, false);
        for (int i = kept; i < n; ++i) {
            Record scratch;
            if (!fields(dropping, scratch)) {
                return Located<Record>(i);
            }
        }
        return true;
    }

private:
    template <class Record>
    bool Located(int i) {
        pass_.reader.LocateFault(kRecordName<Record>, i);
        return false;
    }

    LegacyReadIo(LegacyPass& pass, bool storing)
        : FieldReader(pass.reader, pass.format.strings), pass_(pass), storing_(storing) {}

    LegacyPass& pass_;
    bool storing_;
};

class LegacyWriteIo {
public:
    static constexpr bool kWrites = true;

    // The written layouts store narrow text.
    LegacyWriteIo(FileWriter& writer, const LegacyFormat& format) : writer_(writer), format_(format) {}

    const LegacyFormat& format() const { return format_; }

    [[nodiscard]] bool Int(std::int32_t value) { return writer_.Int(value); }
    [[nodiscard]] bool Float(float value) { return writer_.Float(value); }
    [[nodiscard]] bool String(const TVXString& text) { return writer_.NarrowString(text.narrowView()); }
    [[nodiscard]] bool Vector(const Vector3& v) { return writer_.Vector(v); }
    [[nodiscard]] bool Quat(const Quaternion& q) { return writer_.Quat(q); }
    [[nodiscard]] bool Colour(const RGBA& c) { return writer_.Colour(c); }
    [[nodiscard]] bool Transform(const TVXTransform& t) { return writer_.Transform(t); }

    template <class Field>
    [[nodiscard]] bool Fixed(const Field& /*field*/, std::int32_t written) {
        return Int(written);
    }
    template <class Field>
    [[nodiscard]] bool Fixed(const Field& /*field*/, float written) {
        return Float(written);
    }
    template <class Field>
    [[nodiscard]] bool Fixed(const Field& /*field*/, const TVXTransform& written) {
        return Transform(written);
    }
    template <class Compute>
    [[nodiscard]] bool Derived(const std::int32_t& /*field*/, Compute compute) {
        return Int(compute());
    }

    // `records` is the record's own list or a view of what a writer stores
    // in its place; either never holds more than an int counts.
    template <class Owner, class Records, class Alloc, class Fields>
    [[nodiscard]] bool List(const Owner& /*owner*/, const Records& records, Alloc /*alloc*/, Fields fields,
                            int /*keepAtMost*/ = INT_MAX) {
        if (!Int(static_cast<std::int32_t>(std::size(records)))) {
            return false;
        }
        for (const auto& record : records) {
            if (!fields(*this, record)) {
                return false;
            }
        }
        return true;
    }

private:
    FileWriter& writer_;
    LegacyFormat format_;
};

// A whole section of the reader (see ReadSection), each record walked by its
// field list.
template <class Record, class Fields>
[[nodiscard]] bool ReadFieldSection(LegacyPass& pass, std::vector<Record>& records, int& learned, Fields fields) {
    return ReadSection(pass, records, learned, [fields](LegacyPass& inner, Record& record) {
        LegacyReadIo io(inner);
        return fields(io, record);
    });
}

}  // namespace tvx
