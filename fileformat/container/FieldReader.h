// The reading side of a record's field list.
//
// Each record layout is written down once, as a function template over a
// field walker `io` (see fileformat/legacy/SceneRecordFields.h): the readers
// walk it with a FieldReader or one built on it, which fills the record's
// fields from the file; the writers walk the same list with a walker that
// writes them. So what one side writes is what the other reads, field for
// field.
#pragma once

#include "document/MathTypes.h"
#include "document/TVXString.h"
#include "document/TVXTransform.h"
#include "fileformat/container/TVXFileReader.h"

namespace tvx {

class FieldReader {
public:
    static constexpr bool kWrites = false;

    FieldReader(TVXFileReader& reader, StringEncoding strings) : reader_(reader), strings_(strings) {}

    [[nodiscard]] bool Int(std::int32_t& value) { return reader_.ReadInt(value); }
    // A "word" stored into a float field: the same four bytes, bit for bit.
    [[nodiscard]] bool Float(float& value) { return reader_.ReadFloat(value); }
    [[nodiscard]] bool String(TVXString& text) { return reader_.ReadString(text, strings_); }
    [[nodiscard]] bool Vector(Vector3& v) { return reader_.ReadVector3(v); }
    [[nodiscard]] bool Quat(Quaternion& q) { return reader_.ReadQuaternion(q); }
    [[nodiscard]] bool Colour(RGBA& c) { return reader_.ReadRGBA(c); }
    [[nodiscard]] bool Transform(TVXTransform& t) { return reader_.ReadTransform(t); }

    // A field that the writers store as `written` whatever the record holds
    // (a layout constant, or a neutral placement). A reader keeps what the
    // file says.
    template <class Field, class Written>
    [[nodiscard]] bool Fixed(Field& field, const Written& /*written*/) {
        return Value(field);
    }
    // A field that the writers work out from the rest of the record (a mask
    // of what a payload holds); `compute` is theirs alone.
    template <class Compute>
    [[nodiscard]] bool Derived(std::int32_t& field, Compute /*compute*/) {
        return Int(field);
    }

private:
    bool Value(std::int32_t& v) { return Int(v); }
    bool Value(float& v) { return Float(v); }
    bool Value(TVXTransform& t) { return Transform(t); }

    TVXFileReader& reader_;
    StringEncoding strings_;
};

}  // namespace tvx
