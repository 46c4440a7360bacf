// Inflating a compressed scene file, the first cost of every load.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdint>
#include <vector>

#include "fileformat/ByteOrder.h"
#include "fileformat/FileConstants.h"
#include "fileformat/LoadScene.h"

namespace {

std::vector<std::uint8_t> CompressedScene(std::uint32_t innerBytes) {
    std::vector<std::uint8_t> inner(innerBytes);
    std::uint32_t state = 1;
    for (std::size_t i = 128; i < inner.size(); ++i) {
        state = state * 1664525u + 1013904223u;
        inner[i] = static_cast<std::uint8_t>((state >> 28) & 0x3);  // mesh-like, compressible
    }
    const std::uint32_t innerHeader[] = {tvx::kTvxMagic, 31, 0, innerBytes};
    for (int w = 0; w < 4; ++w) {
        tvx::StoreU32LE(inner.data() + 4 * w, innerHeader[w]);
    }
    uLongf size = compressBound(innerBytes);
    std::vector<std::uint8_t> file(128 + size);
    compress(file.data() + 128, &size, inner.data(), innerBytes);
    file.resize(128 + size);
    const std::uint32_t outer[] = {tvx::kTvxMagic, 8, 0x12, innerBytes, 0, 128};
    for (int w = 0; w < 6; ++w) {
        tvx::StoreU32LE(file.data() + 4 * w, outer[w]);
    }
    return file;
}

void BM_ParseCompressedFile(benchmark::State& state) {
    const auto file = CompressedScene(static_cast<std::uint32_t>(state.range(0)));
    const tvx::LayoutReaders accept{nullptr, [](tvx::TVXFileReader&, tvx::TVXScene&) { return 1; }};
    for (auto _ : state) {
        tvx::TVXFileReader reader(tvx::ByteBuffer::CopyOf(file));
        tvx::TVXScene scene;
        benchmark::DoNotOptimize(tvx::ParseScene(reader, scene, {}, accept));
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ParseCompressedFile)->Arg(32 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
