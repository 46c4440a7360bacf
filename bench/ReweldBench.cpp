// The exporter's vertex reweld on a mesh of a million face corners: every
// corner gets its own vertex, then the corners of one smoothing group that
// share a position are joined again.
#include <benchmark/benchmark.h>

#include <cmath>

#include "exporter/Reweld.h"

namespace {

using tvx::exporter::MeshEntry;
using tvx::exporter::MeshFaceEntry;
using tvx::exporter::MeshVertexEntry;

// A gently waved sheet of quads, two triangles each, 1 cm apart: 408 x 408
// quads give 998,784 corners on 167,281 positions. Every tenth row of quads
// has no smoothing group, the rest are in group 1. Every vertex carries two
// bone weights.
MeshEntry Sheet() {
    constexpr int kQuads = 408;
    constexpr int kRow = kQuads + 1;
    MeshEntry mesh;
    for (int y = 0; y < kRow; ++y) {
        for (int x = 0; x < kRow; ++x) {
            MeshVertexEntry& vertex = mesh.vertices.emplace_back();
            const float fx = static_cast<float>(x) * 0.01f;
            const float fy = static_cast<float>(y) * 0.01f;
            vertex.position = {fx, fy, 0.05f * std::sin(fx) * std::cos(fy)};
            vertex.weights = {{nullptr, x % 50, 0.75f}, {nullptr, y % 50, 0.25f}};
        }
    }
    const auto face = [&](int a, int b, int c, std::uint32_t mask) {
        MeshFaceEntry& f = mesh.faces.emplace_back();
        f.smoothing = mask == 0 ? 0 : 1;
        f.smoothingMask = mask;
        f.vertices = {a, b, c};
    };
    for (int y = 0; y < kQuads; ++y) {
        const std::uint32_t mask = y % 10 == 0 ? 0u : 1u;
        for (int x = 0; x < kQuads; ++x) {
            const int v = y * kRow + x;
            face(v, v + 1, v + kRow, mask);
            face(v + kRow, v + 1, v + kRow + 1, mask);
        }
    }
    return mesh;
}

void BM_ReweldMillionCorners(benchmark::State& state) {
    const MeshEntry read = Sheet();
    MeshEntry mesh;
    for (auto _ : state) {
        state.PauseTiming();
        mesh = read;
        state.ResumeTiming();
        tvx::exporter::Reweld(mesh);
        benchmark::DoNotOptimize(mesh.vertices.data());
    }
    state.counters["vertices"] = static_cast<double>(mesh.vertices.size());
    state.SetItemsProcessed(state.iterations() * 3 * static_cast<std::int64_t>(read.faces.size()));
}
BENCHMARK(BM_ReweldMillionCorners)->Unit(benchmark::kMillisecond);

}  // namespace
