#include "fileformat/container/TVXFileReader.h"

#include <algorithm>
#include <new>
#include <string>

#include "fileformat/container/ByteOrder.h"

namespace tvx {
namespace {

constexpr std::uint32_t kVector3Bytes = 12;
constexpr std::uint32_t kQuaternionBytes = 16;
constexpr std::uint32_t kMatrixBytes = 64;

}  // namespace

void TVXFileReader::NoteFault(FaultKind kind) {
    if (fault_.noted) {
        return;
    }
    fault_.noted = true;
    fault_.kind = kind;
    fault_.offset = position_;
    fault_.inflated = inflated_;
}

void TVXFileReader::LocateFault(const char* record, int index) {
    // The report is a courtesy: without memory for it the load fails all
    // the same, only less precisely.
    constexpr std::size_t kMostPlaces = 8;
    if (fault_.noted && fault_.places.size() < kMostPlaces) {
        try {
            fault_.places.push_back({record, index});
        } catch (const std::bad_alloc&) {
        }
    }
}

bool TVXFileReader::SetPosition(std::uint32_t position) {
    if (position > buffer_.size) {
        NoteFault(FaultKind::BadOffset);
        return false;
    }
    position_ = position;
    return true;
}

bool TVXFileReader::Skip(std::uint32_t count) {
    if (!Fits(count)) {
        NoteFault(FaultKind::Truncated);
        return false;
    }
    position_ += count;
    return true;
}

void TVXFileReader::ReplaceBuffer(ByteBuffer buffer) {
    buffer_ = std::move(buffer);
    position_ = 0;
    inflated_ = true;
}


bool TVXFileReader::ReadInt16(std::int16_t& out) {
    out = 0;
    if (!Fits(2)) {
        NoteFault(FaultKind::Truncated);
        return false;
    }
    const std::uint8_t* p = buffer_.data.get() + position_;
    out = static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | p[1] << 8));
    position_ += 2;
    return true;
}

bool TVXFileReader::ReadBytes(std::span<std::uint8_t> out) {
    if (out.size() > remaining()) {
        std::fill(out.begin(), out.end(), std::uint8_t{0});
        NoteFault(FaultKind::Truncated);
        return false;
    }
    std::copy_n(buffer_.data.get() + position_, out.size(), out.begin());
    position_ += static_cast<std::uint32_t>(out.size());
    return true;
}

bool TVXFileReader::ReadInts(std::span<std::int32_t> out) {
    if (out.size() > remaining() / 4) {
        NoteFault(FaultKind::Truncated);
        return false;
    }
    for (std::int32_t& value : out) {
        value = static_cast<std::int32_t>(TakeU32());
    }
    return true;
}

bool TVXFileReader::ReadIntPairs(std::span<std::int32_t> first, std::span<std::int32_t> second) {
    if (first.size() != second.size() || first.size() > remaining() / 8) {
        NoteFault(FaultKind::Truncated);
        return false;
    }
    for (std::size_t i = 0; i < first.size(); ++i) {
        first[i] = static_cast<std::int32_t>(TakeU32());
        second[i] = static_cast<std::int32_t>(TakeU32());
    }
    return true;
}

bool TVXFileReader::SkipInts(std::uint64_t count) {
    if (count > remaining() / 4) {
        NoteFault(FaultKind::Truncated);
        return false;
    }
    position_ += static_cast<std::uint32_t>(count * 4);
    return true;
}

bool TVXFileReader::ReadVector3(Vector3& out) {
    out = {};
    if (!Fits(kVector3Bytes)) {
        NoteFault(FaultKind::Truncated);
        return false;
    }
    out.x = TakeFloat();
    out.y = TakeFloat();
    out.z = TakeFloat();
    return true;
}

bool TVXFileReader::ReadQuaternion(Quaternion& out) {
    out = Quaternion::Zero();
    if (!Fits(kQuaternionBytes)) {
        NoteFault(FaultKind::Truncated);
        return false;
    }
    out.x = TakeFloat();
    out.y = TakeFloat();
    out.z = TakeFloat();
    out.w = TakeFloat();
    return true;
}

bool TVXFileReader::ReadRGBA(RGBA& out) {
    out = {};
    if (!Fits(kQuaternionBytes)) {
        NoteFault(FaultKind::Truncated);
        return false;
    }
    out.r = TakeFloat();
    out.g = TakeFloat();
    out.b = TakeFloat();
    out.a = TakeFloat();
    return true;
}

bool TVXFileReader::ReadMatrix4(Matrix4& out) {
    out = Matrix4::Zero();
    if (!Fits(kMatrixBytes)) {
        NoteFault(FaultKind::Truncated);
        return false;
    }
    for (float& element : out.m) {
        element = TakeFloat();
    }
    return true;
}

bool TVXFileReader::ReadTransform(TVXTransform& out) {
    if (!Fits(kTransformBytes)) {
        out = TVXTransform::Zero();
        NoteFault(FaultKind::Truncated);
        return false;
    }
    // Each part fits now, so none of these can fail.
    return ReadVector3(out.xAxis) && ReadVector3(out.yAxis) && ReadVector3(out.zAxis) &&
           ReadVector3(out.position) && ReadVector3(out.scale) && ReadMatrix4(out.matrix) &&
           ReadQuaternion(out.rotation) && ReadVector3(out.finalVector);
}

bool TVXFileReader::ReadString(TVXString& out, StringEncoding encoding) {
    out.Clear();
    const std::uint32_t start = position_;
    std::int16_t byteCount = 0;
    if (!ReadInt16(byteCount)) {
        return false;
    }
    if (byteCount < 0 || !Fits(static_cast<std::uint32_t>(byteCount))) {
        position_ = start;
        NoteFault(byteCount < 0 ? FaultKind::BadString : FaultKind::Truncated);
        return false;
    }
    const std::uint8_t* text = buffer_.data.get() + position_;
    const auto n = static_cast<std::size_t>(byteCount);
    if (encoding == StringEncoding::Narrow) {
        out.SetNarrow(std::string_view(reinterpret_cast<const char*>(text), n));
    } else {
        // Bytes go into a zero-filled unit buffer, so an odd count leaves a
        // final unit whose high byte is zero.
        std::u16string units((n + 1) / 2, u'\0');
        for (std::size_t i = 0; i < n; ++i) {
            units[i / 2] = static_cast<char16_t>(units[i / 2] | text[i] << (8 * (i % 2)));
        }
        out.SetWide(units);
    }
    position_ += static_cast<std::uint32_t>(byteCount);
    return true;
}

}  // namespace tvx
