// Allocation of a large mesh: the per-polygon cost dominates big scenes.
#include <benchmark/benchmark.h>

#include "document/MeshAllocation.h"
#include "document/SceneAllocation.h"

namespace {

void BM_AllocThreeCornerPolygons(benchmark::State& state) {
    const int polygons = static_cast<int>(state.range(0));
    for (auto _ : state) {
        tvx::TVXFaceList faceList;
        benchmark::DoNotOptimize(tvx::AllocThreeCornerPolygons(faceList, polygons));
    }
    state.SetItemsProcessed(state.iterations() * polygons);
}
BENCHMARK(BM_AllocThreeCornerPolygons)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

void BM_AllocVertices(benchmark::State& state) {
    const int vertices = static_cast<int>(state.range(0));
    for (auto _ : state) {
        tvx::TVXScene scene;
        benchmark::DoNotOptimize(tvx::AllocVertices(scene, vertices));
    }
    state.SetItemsProcessed(state.iterations() * vertices);
}
BENCHMARK(BM_AllocVertices)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
