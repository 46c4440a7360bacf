// A whole scene file in memory with a read position.
//
// Every read first checks that its bytes lie wholly inside the buffer
// (comparing against the bytes remaining, so no sum can wrap). A read that
// does not fit fails: it leaves the position where it was, sets its output to
// zero and returns false. Composite reads (vectors, matrices, the transform
// block, strings) are all-or-nothing in the same way. The first failure is
// noted with its kind and position (fault()), for tools that say where a
// file went wrong.
#pragma once

#include <cstdint>
#include <span>

#include "document/MathTypes.h"
#include "document/TVXString.h"
#include "document/TVXTransform.h"
#include "fileformat/container/ByteBuffer.h"
#include "fileformat/container/ByteOrder.h"
#include "fileformat/container/ReadFault.h"

namespace tvx {

enum class StringEncoding {
    Narrow,  // Latin-1 bytes
    Utf16,   // UTF-16LE code units
};

class TVXFileReader {
public:
    TVXFileReader() = default;
    explicit TVXFileReader(ByteBuffer buffer) : buffer_(std::move(buffer)) {}

    std::uint32_t length() const { return buffer_.size; }
    std::uint32_t position() const { return position_; }
    std::uint32_t remaining() const { return buffer_.size - position_; }
    std::span<const std::uint8_t> bytes() const { return buffer_.bytes(); }

    // Moves to an absolute position inside or at the end of the buffer.
    [[nodiscard]] bool SetPosition(std::uint32_t position);
    [[nodiscard]] bool Skip(std::uint32_t count);
    // The new buffer (an inflated body) replaces the old one; the position
    // returns to 0, and a fault noted from now on counts its bytes.
    void ReplaceBuffer(ByteBuffer buffer);

    // Notes a fault at the current position unless one is noted already:
    // the first is the cause, later ones its consequences.
    void NoteFault(FaultKind kind);
    // Adds the record a noted fault lay in, as the failure leaves it.
    void LocateFault(const char* record, int index = -1);
    const ReadFault& fault() const { return fault_; }

    // The hot reads of both passes are inline.
    [[nodiscard]] bool ReadUInt(std::uint32_t& out) {
        out = 0;
        if (!Fits(4)) {
            NoteFault(FaultKind::Truncated);
            return false;
        }
        out = TakeU32();
        return true;
    }
    [[nodiscard]] bool ReadInt(std::int32_t& out) {
        std::uint32_t bits = 0;
        const bool ok = ReadUInt(bits);
        out = static_cast<std::int32_t>(bits);
        return ok;
    }
    [[nodiscard]] bool ReadFloat(float& out) {
        std::uint32_t bits = 0;
        const bool ok = ReadUInt(bits);
        out = BitsToFloat(bits);
        return ok;
    }
    [[nodiscard]] bool ReadInt16(std::int16_t& out);
    [[nodiscard]] bool ReadBytes(std::span<std::uint8_t> out);

    // Runs of ints with one bounds check for the whole run, all or nothing:
    // `out.size()` ints, or that many pairs split into `first` and `second`
    // (which must be the same size). SkipInts passes over `count` ints.
    [[nodiscard]] bool ReadInts(std::span<std::int32_t> out);
    [[nodiscard]] bool ReadIntPairs(std::span<std::int32_t> first, std::span<std::int32_t> second);
    [[nodiscard]] bool SkipInts(std::uint64_t count);

    [[nodiscard]] bool ReadVector3(Vector3& out);
    [[nodiscard]] bool ReadQuaternion(Quaternion& out);
    [[nodiscard]] bool ReadRGBA(RGBA& out);
    [[nodiscard]] bool ReadMatrix4(Matrix4& out);
    // The 152-byte block, field by field in its stored order.
    [[nodiscard]] bool ReadTransform(TVXTransform& out);

    // A signed 16-bit byte count, then that many bytes of text. A negative
    // count fails. The text ends at its first zero; text beyond the string's
    // capacity is cut, its bytes still consumed.
    [[nodiscard]] bool ReadString(TVXString& out, StringEncoding encoding);

private:
    bool Fits(std::uint32_t count) const { return count <= remaining(); }
    // The caller has checked Fits(4).
    std::uint32_t TakeU32() {
        const std::uint32_t v = LoadU32LE(buffer_.data.get() + position_);
        position_ += 4;
        return v;
    }
    float TakeFloat() { return BitsToFloat(TakeU32()); }

    ByteBuffer buffer_;
    std::uint32_t position_ = 0;
    bool inflated_ = false;
    ReadFault fault_;
};

}  // namespace tvx
