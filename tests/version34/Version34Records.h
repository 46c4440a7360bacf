// Record writers and load helpers shared by the version-34 reader tests.
#pragma once

#include <string_view>
#include <vector>

#include "fileformat/FileConstants.h"
#include "fileformat/LoadScene.h"
#include "tests/support/ChunkFileBuilder.h"

namespace tvx::test {

inline constexpr int kTransformFloats = 38;

struct Loaded {
    int status = -1;
    TVXScene scene;
};

inline Loaded Parse(const Bytes& file, const LoadOptions& options = {}) {
    Loaded loaded;
    TVXFileReader reader(ByteBuffer::CopyOf(file));
    loaded.status = ParseScene(reader, loaded.scene, options);
    return loaded;
}

// A section body: its record count, then the records.
inline ChunkWriter Records(int count, const ChunkWriter& records) {
    ChunkWriter body;
    body.I32(count).Raw(records);
    return body;
}

inline ChunkWriter& Group(ChunkWriter& w, std::string_view name, float seed = 0.0f) {
    return w.Str(name).I32(1).I32(2).Sequence(kTransformFloats, seed);
}

inline ChunkWriter& Bone(ChunkWriter& w, std::string_view name, int parent) {
    return w.Str(name).I32(parent).Sequence(kTransformFloats, 0.0f).Floats({0.1f, 0.2f, 0.3f, 0.4f});
}

inline ChunkWriter BonesSection(int count) {
    ChunkWriter records;
    for (int i = 0; i < count; ++i) {
        Bone(records, "B", i - 1);
    }
    return Records(count, records);
}

// The smallest section that makes a scene worth loading.
inline ChunkWriter OneGroup() {
    ChunkWriter records;
    ChunkWriter sections;
    sections.Chunk(v34id::kGroups, Records(1, Group(records, "G")));
    return sections;
}

// A track with one key of each kind whose values start at `seed`.
inline ChunkWriter& Track(ChunkWriter& w, float seed) {
    return w.I32(1).Sequence(4, seed).I32(1).Sequence(5, seed + 10).I32(1).Sequence(4, seed + 20);
}

inline ChunkWriter& AnimationHead(ChunkWriter& w, std::string_view name, int tracks) {
    return w.Str(name).I32(7).Floats({1.0f, 50.0f, 30.0f}).I32(tracks);
}

// Vertices sub-chunk body of `count` vertices, position (i, i, i), no other parts.
inline ChunkWriter PlainVertices(int count) {
    ChunkWriter body;
    body.I32(count);
    for (int i = 0; i < count; ++i) {
        const auto v = static_cast<float>(i);
        body.Floats({v, v, v});
    }
    return body;
}

// A polygon of `corners` corners without UV channels, vertex indices 0, 1, ...
inline ChunkWriter& Polygon(ChunkWriter& w, int corners, int material) {
    w.I32(corners).I32(0).I32(0).I32(material).I32(1);
    for (int k = 0; k < corners; ++k) {
        w.I32(k).I32(-1);
    }
    return w;
}

// A material up to its map count: flags 2, colours 1..20, shininess 64, opacity 0.5.
inline ChunkWriter& MaterialHead(ChunkWriter& w, std::string_view name) {
    return w.Str(name).I32(2).Sequence(20, 1.0f).Floats({64.0f, 0.5f});
}

inline ChunkWriter MaterialsWithoutMaps(int count) {
    ChunkWriter records;
    for (int i = 0; i < count; ++i) {
        MaterialHead(records, "M").I32(0);
    }
    return Records(count, records);
}

inline ChunkWriter MeshSection(int declaredFaceLists, const ChunkWriter& chunks) {
    return Records(declaredFaceLists, chunks);
}

inline ChunkWriter FaceList(const ChunkWriter& parts) {
    ChunkWriter chunk;
    chunk.Chunk(v34id::kFaceList, parts);
    return chunk;
}

}  // namespace tvx::test
