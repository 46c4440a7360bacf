// Builds version-34 files for tests: nested chunks with ids and body sizes
// (true or deliberately wrong), UTF-16 strings, and the whole file behind
// its header and directory.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/support/ByteWriter.h"
#include "tests/support/CraftedFiles.h"

namespace tvx::test {

namespace v34id {
inline constexpr std::uint32_t kDirectory = 0xBBBB0000u;
inline constexpr std::uint32_t kLights = 0xBBBB0001u;
inline constexpr std::uint32_t kCameras = 0xBBBB0002u;
inline constexpr std::uint32_t kMaterials = 0xBBBB0003u;
inline constexpr std::uint32_t kEmbeddedFiles = 0xBBBB0004u;
inline constexpr std::uint32_t kUnused = 0xBBBB0005u;
inline constexpr std::uint32_t kGroups = 0xBBBB0006u;
inline constexpr std::uint32_t kMesh = 0xBBBB0007u;
inline constexpr std::uint32_t kBones = 0xBBBB0008u;
inline constexpr std::uint32_t kAnimations = 0xBBBB0009u;
inline constexpr std::uint32_t kNameList = 0xBBBB000Au;
inline constexpr std::uint32_t kFaceList = 0xCCCC0000u;
inline constexpr std::uint32_t kVertices = 0xCCCC0001u;
inline constexpr std::uint32_t kTriangles = 0xCCCC0002u;
inline constexpr std::uint32_t kPolygons = 0xCCCC0005u;
inline constexpr std::uint32_t kUVSets = 0xCCCC0006u;
inline constexpr std::uint32_t kUVSet = 0xDDDD0000u;
inline constexpr std::uint32_t kUVCoords = 0xDDDD0001u;
inline constexpr std::uint32_t kUVTriangles = 0xDDDD0002u;
inline constexpr std::uint32_t kUnknown = 0x7E57C0DEu;
}  // namespace v34id

class ChunkWriter {
public:
    ChunkWriter& I32(std::int32_t v) { return Then(w_.I32(v)); }
    ChunkWriter& U32(std::uint32_t v) { return Then(w_.U32(v)); }
    ChunkWriter& F32(float v) { return Then(w_.F32(v)); }
    ChunkWriter& Floats(std::initializer_list<float> values) {
        for (float v : values) {
            w_.F32(v);
        }
        return *this;
    }
    // n floats start, start + 1, ...: every field of a block tells apart.
    ChunkWriter& Sequence(int n, float start) {
        for (int i = 0; i < n; ++i) {
            w_.F32(start + static_cast<float>(i));
        }
        return *this;
    }
    ChunkWriter& Zeros(std::size_t n) { return Then(w_.Zeros(n)); }
    ChunkWriter& Raw(const Bytes& bytes) { return Then(w_.Bytes(bytes)); }
    ChunkWriter& Raw(const ChunkWriter& other) { return Raw(other.bytes()); }

    // A 16-bit byte count, then UTF-16LE text with its terminating zero unit
    // (counted). `text` is ASCII here, which is all tests need.
    ChunkWriter& Str(std::string_view text) {
        w_.U16(static_cast<std::uint16_t>(2 * (text.size() + 1)));
        for (char c : text) {
            w_.U16(static_cast<std::uint8_t>(c));
        }
        return Then(w_.U16(0));
    }

    // Id, body size, body. `sizeDelta` makes the stored size lie.
    ChunkWriter& Chunk(std::uint32_t id, const ChunkWriter& body, std::int64_t sizeDelta = 0) {
        const auto size = static_cast<std::int64_t>(body.size()) + sizeDelta;
        w_.U32(id).U32(static_cast<std::uint32_t>(size));
        return Raw(body);
    }
    ChunkWriter& Chunk(std::uint32_t id) { return Chunk(id, ChunkWriter{}); }

    std::size_t size() const { return w_.size(); }
    const Bytes& bytes() const { return w_.bytes(); }

private:
    ChunkWriter& Then(ByteWriter&) { return *this; }

    ByteWriter w_;
};

using DirectoryEntries = std::vector<std::pair<std::uint32_t, std::uint32_t>>;

// The directory chunk followed by the sections, without the file header.
inline ChunkWriter Version34Body(const ChunkWriter& sections, const DirectoryEntries& entries = {}) {
    ChunkWriter directory;
    for (const auto& [id, value] : entries) {
        directory.U32(id).U32(value);
    }
    ChunkWriter body;
    body.Chunk(v34id::kDirectory, directory).Raw(sections);
    return body;
}

// The 48-byte header and the body; a file below the container's 128-byte
// minimum gets a padding chunk of an unknown id at its end.
inline Bytes Version34File(const ChunkWriter& sections, std::uint32_t flags = 0, const DirectoryEntries& entries = {}) {
    ChunkWriter body = Version34Body(sections, entries);
    constexpr std::size_t kMinimumFile = 128;
    if (48 + body.size() < kMinimumFile) {
        body.Chunk(v34id::kUnknown, ChunkWriter{}.Zeros(kMinimumFile - 48 - body.size()));
    }
    return ChunkedFile(body.bytes(), flags);
}

}  // namespace tvx::test
