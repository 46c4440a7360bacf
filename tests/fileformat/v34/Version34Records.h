// Record writers and load helpers shared by the version-34 reader tests.
#pragma once

#include <set>
#include <string_view>
#include <vector>

#include "fileformat/container/FileConstants.h"
#include "fileformat/container/LoadScene.h"
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

inline constexpr std::uint32_t kAllParts = 0x0F;

// One section of every kind, each with a little of everything it can carry.
inline std::vector<ChunkWriter> RichSections() {
    ChunkWriter lights, cameras, materials, groups, vertices, polygons, uvSet, animations;
    lights.I32(1).Str("L").I32(1600).I32(1).Sequence(kTransformFloats + 11, 0);
    cameras.I32(1).Str("C").I32(0).I32(0).Sequence(kTransformFloats + 3, 0);
    MaterialHead(materials.I32(1), "M").I32(3);
    materials.I32(0).I32(1).Zeros(40).Str("d.png").I32(0).Floats({2, 1});
    materials.I32(1).I32(4).Zeros(40).I32(1).Str("e.png").I32(0).I32(0).F32(1);
    materials.I32(2).I32(5).Zeros(40).Str("1").Str("2").Str("3").Str("4").Str("5").Str("6");
    Group(groups.I32(1), "G");
    vertices.I32(2);
    for (int i = 0; i < 2; ++i) {
        vertices.Sequence(3 + 3 + 6 + 4, 0).I32(1).I32(i).F32(1);
    }
    Polygon(polygons.I32(2), 3, 0);
    polygons.I32(3).I32(1).I32(0).I32(0).I32(0).Zeros(48);
    uvSet.Str("u").Chunk(v34id::kUVCoords, ChunkWriter{}.I32(2).Zeros(24));
    uvSet.Chunk(v34id::kUVTriangles, ChunkWriter{}.I32(1).Zeros(40));
    ChunkWriter parts;
    parts.Chunk(v34id::kVertices, vertices).Chunk(v34id::kTriangles, ChunkWriter{}.I32(1).Zeros(40));
    parts.Chunk(v34id::kPolygons, polygons).Chunk(v34id::kUVSets, ChunkWriter{}.I32(1).Chunk(v34id::kUVSet, uvSet));
    Track(Track(AnimationHead(animations.I32(1), "A", 2), 0), 1);

    std::vector<ChunkWriter> sections(10);
    sections[0].Chunk(v34id::kLights, lights);
    sections[1].Chunk(v34id::kCameras, cameras);
    sections[2].Chunk(v34id::kMaterials, materials);
    sections[3].Chunk(v34id::kGroups, groups);
    sections[4].Chunk(v34id::kMesh, MeshSection(1, FaceList(parts)));
    sections[5].Chunk(v34id::kBones, BonesSection(2));
    sections[6].Chunk(v34id::kAnimations, animations);
    sections[7].Chunk(v34id::kNameList, ChunkWriter{}.I32(1).Str("n"));
    sections[8].Chunk(v34id::kEmbeddedFiles, ChunkWriter{}.I32(1).Str("f.bin").I32(2).Zeros(2));
    sections[9].Chunk(v34id::kUnused, ChunkWriter{}.Zeros(4));
    return sections;
}

// The whole file; `chunkStarts` receives the offset of every section chunk.
inline Bytes RichFile(std::set<std::size_t>* chunkStarts = nullptr) {
    ChunkWriter all;
    for (const ChunkWriter& section : RichSections()) {
        if (chunkStarts) {
            chunkStarts->insert(48 + 8 + all.size());
        }
        all.Raw(section);
    }
    return Version34File(all, kAllParts);
}

}  // namespace tvx::test
