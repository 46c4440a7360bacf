// Synthetic scenes of a chosen size for the benchmarks: the shape of a large
// skinned character, with every array the exporter writes filled.
#pragma once

#include <cstdint>
#include <vector>

#include "fileformat/legacy/ExporterData.h"

namespace tvx::bench {

struct SyntheticSize {
    int vertices = 1'000'000;
    int triangles = 2'000'000;
    int materials = 10;
    int bones = 50;
    int frames = 100;
};

// Vertices with colours and two bone weights, one face list of triangles
// with two UV channels, two UV sets, materials with a bitmap each, a chain of
// bones and one animation with a key of each kind per bone and frame.
[[nodiscard]] bool MakeSyntheticScene(const SyntheticSize& size, TVXExporterData& out);

// The scene written as the exporter writes it: version 31, uncompressed.
[[nodiscard]] bool WriteUncompressed(TVXExporterData& data, std::vector<std::uint8_t>& out);

// The uncompressed file behind the exporter's outer header, compressed.
[[nodiscard]] bool Compress(const std::vector<std::uint8_t>& uncompressed, std::vector<std::uint8_t>& out);

}  // namespace tvx::bench
