// A whole scene file in memory with a read position.
//
// Every read first checks that its bytes lie wholly inside the buffer
// (comparing against the bytes remaining, so no sum can wrap). A read that
// does not fit fails: it leaves the position where it was, sets its output to
// zero and returns false. Composite reads (vectors, matrices, the transform
// block, strings) are all-or-nothing in the same way.
#pragma once

#include <cstdint>
#include <span>

#include "document/MathTypes.h"
#include "document/TVXString.h"
#include "document/TVXTransform.h"
#include "fileformat/ByteBuffer.h"

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
    // The new buffer replaces the old one; the position returns to 0.
    void ReplaceBuffer(ByteBuffer buffer);

    [[nodiscard]] bool ReadUInt(std::uint32_t& out);
    [[nodiscard]] bool ReadInt(std::int32_t& out);
    [[nodiscard]] bool ReadFloat(float& out);
    [[nodiscard]] bool ReadInt16(std::int16_t& out);
    [[nodiscard]] bool ReadBytes(std::span<std::uint8_t> out);

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
    std::uint32_t TakeU32();  // caller has checked Fits(4)
    float TakeFloat();        // likewise

    ByteBuffer buffer_;
    std::uint32_t position_ = 0;
};

}  // namespace tvx
