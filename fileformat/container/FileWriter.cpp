#include "fileformat/container/FileWriter.h"

#include <algorithm>
#include <limits>

#include "document/TVXString.h"
#include "fileformat/container/ByteOrder.h"

namespace tvx {
namespace {

constexpr std::size_t kFlushAt = 1 << 20;

}  // namespace

FileWriter::FileWriter(OutputFile& file) : file_(file) { buffer_.reserve(kFlushAt + 1024); }

bool FileWriter::Put(const std::uint8_t* bytes, std::size_t size) {
    if (!ok_) {
        return false;
    }
    buffer_.insert(buffer_.end(), bytes, bytes + size);
    return buffer_.size() < kFlushAt || Flush();
}

bool FileWriter::Flush() {
    if (ok_ && !buffer_.empty()) {
        ok_ = file_.Write(buffer_);
        buffer_.clear();
    }
    return ok_;
}

bool FileWriter::SeekToStart() {
    if (Flush()) {
        ok_ = file_.SeekToStart();
    }
    return ok_;
}

std::uint32_t FileWriter::position() const {
    const std::uint64_t at = file_.Position() + buffer_.size();
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(at, std::numeric_limits<std::uint32_t>::max()));
}

bool FileWriter::UInt(std::uint32_t value) {
    std::uint8_t bytes[4];
    StoreU32LE(bytes, value);
    return Put(bytes, sizeof bytes);
}

bool FileWriter::Int(std::int32_t value) { return UInt(static_cast<std::uint32_t>(value)); }

bool FileWriter::Float(float value) { return UInt(FloatToBits(value)); }

bool FileWriter::Vector(const Vector3& v) { return Float(v.x) && Float(v.y) && Float(v.z); }

bool FileWriter::Quat(const Quaternion& q) { return Float(q.x) && Float(q.y) && Float(q.z) && Float(q.w); }

bool FileWriter::Colour(const RGBA& c) { return Float(c.r) && Float(c.g) && Float(c.b) && Float(c.a); }

bool FileWriter::Matrix(const Matrix4& m) {
    return std::all_of(m.m.begin(), m.m.end(), [this](float element) { return Float(element); });
}

bool FileWriter::Transform(const TVXTransform& t) {
    return Vector(t.xAxis) && Vector(t.yAxis) && Vector(t.zAxis) && Vector(t.position) && Vector(t.scale) &&
           Matrix(t.matrix) && Quat(t.rotation) && Vector(t.finalVector);
}

bool FileWriter::NarrowString(std::string_view text) {
    text = text.substr(0, TVXString::kMaxLength);
    const auto length = static_cast<std::uint16_t>(text.size() + 1);
    const std::uint8_t head[2] = {static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8)};
    const std::uint8_t zero = 0;
    return Put(head, 2) && Put(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()) && Put(&zero, 1);
}

bool FileWriter::Bytes(std::span<const std::uint8_t> bytes) { return Put(bytes.data(), bytes.size()); }

bool WriteHeaderWords(FileWriter& writer, std::span<const std::uint32_t> header) {
    return std::all_of(header.begin(), header.end(), [&](std::uint32_t word) { return writer.UInt(word); });
}

}  // namespace tvx
