// Little-endian encoding of the values a layout writer puts in a file,
// buffered in front of an OutputFile. A failure sticks: once a write has
// failed, every later call fails too, so a writer may chain its calls and
// test once.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "document/MathTypes.h"
#include "document/TVXTransform.h"
#include "fileformat/container/OutputFile.h"

namespace tvx {

class FileWriter {
public:
    explicit FileWriter(OutputFile& file);

    [[nodiscard]] bool Int(std::int32_t value);
    [[nodiscard]] bool UInt(std::uint32_t value);
    [[nodiscard]] bool Float(float value);
    [[nodiscard]] bool Vector(const Vector3& v);
    [[nodiscard]] bool Quat(const Quaternion& q);
    [[nodiscard]] bool Colour(const RGBA& c);
    [[nodiscard]] bool Matrix(const Matrix4& m);
    // The 152-byte block, field by field in its stored order.
    [[nodiscard]] bool Transform(const TVXTransform& t);
    // A 16-bit length (the text's bytes plus one), the text, a zero byte.
    // Text longer than a scene string can hold (259 bytes) is cut there.
    [[nodiscard]] bool NarrowString(std::string_view text);
    [[nodiscard]] bool Bytes(std::span<const std::uint8_t> bytes);

    // The position in the file that the next byte will have.
    std::uint32_t position() const;
    bool ok() const { return ok_; }

    // Writes out what is buffered.
    [[nodiscard]] bool Flush();
    // Flushes, then moves back to offset 0 (to rewrite the header).
    [[nodiscard]] bool SeekToStart();

private:
    bool Put(const std::uint8_t* bytes, std::size_t size);

    OutputFile& file_;
    std::vector<std::uint8_t> buffer_;
    bool ok_ = true;
};

// Words of a header block as bytes, little-endian.
[[nodiscard]] bool WriteHeaderWords(FileWriter& writer, std::span<const std::uint32_t> header);

}  // namespace tvx
