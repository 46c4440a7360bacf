#include "tests/support/HostileFiles.h"

#include "tests/support/LegacyFileBuilder.h"
#include "tests/fileformat/v34/Version34Records.h"

namespace tvx::test {
namespace {

template <class WriteMap>
Bytes FileOfMaps(int maps, WriteMap writeMap) {
    ChunkWriter materials;
    MaterialHead(materials.I32(1), "M").I32(maps);
    for (int j = 0; j < maps; ++j) {
        writeMap(materials, j);
    }
    ChunkWriter sections;
    sections.Chunk(v34id::kMaterials, materials);
    return Version34File(sections);
}

}  // namespace

Bytes PaddedScene(std::size_t padding) {
    ChunkWriter sections = OneGroup();
    sections.Chunk(v34id::kUnused, ChunkWriter{}.Zeros(padding));
    return Version34File(sections);
}

Bytes NestedCompressionBomb(std::size_t innerBytes) {
    Bytes file = PaddedScene(innerBytes);
    for (int level = 0; level < 3; ++level) {
        file = CompressedFile(34, file);
    }
    return file;
}

Bytes FloodOfEmptyGroups(int groups) {
    // Version 9 groups are nothing but a name: three bytes for an empty one.
    LegacyFileBuilder b(9);
    b.Begin(LegacySection::Groups, groups);
    for (int i = 0; i < groups; ++i) {
        b.String("");
    }
    b.Begin(LegacySection::Animations, 0);
    return b.Compressed();
}

Bytes FloodOfCubeMaps(int maps) {
    return CompressedFile(34, FileOfMaps(maps, [](ChunkWriter& w, int j) {
                              w.I32(j).I32(5).Zeros(40).Str("").Str("").Str("").Str("").Str("").Str("");
                          }));
}

Bytes FloodOfLayeredEntries(int entries) {
    return CompressedFile(34, FileOfMaps(1, [entries](ChunkWriter& w, int) {
                              w.I32(0).I32(4).Zeros(40).I32(entries);
                              for (int k = 0; k < entries; ++k) {
                                  w.Str("").I32(0).I32(0).F32(1);
                              }
                          }));
}

}  // namespace tvx::test
