// Saving and loading a large synthetic scene, next to plain zlib on the same
// bytes, so the cost of our own code shows as a ratio to the compression it
// cannot avoid.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "bench/SyntheticScene.h"
#include "fileformat/container/FileConstants.h"
#include "fileformat/container/LoadScene.h"
#include "geometry/PoseTables.h"
#include "geometry/ProcessLoadedScene.h"

namespace {

using tvx::bench::SyntheticSize;

// Built once for every benchmark of the run.
struct Corpus {
    tvx::TVXExporterData data;
    std::vector<std::uint8_t> uncompressed;
    std::vector<std::uint8_t> compressed;

    Corpus() {
        if (!tvx::bench::MakeSyntheticScene(SyntheticSize{}, data) ||
            !tvx::bench::WriteUncompressed(data, uncompressed) || !tvx::bench::Compress(uncompressed, compressed)) {
            std::fprintf(stderr, "cannot build the synthetic scene\n");
            std::abort();
        }
    }
};

Corpus& TheCorpus() {
    static Corpus corpus;
    return corpus;
}

void BM_WriteVersion31(benchmark::State& state) {
    Corpus& corpus = TheCorpus();
    std::vector<std::uint8_t> out;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tvx::bench::WriteUncompressed(corpus.data, out));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(corpus.uncompressed.size()));
}

void BM_SaveWriteAndCompress(benchmark::State& state) {
    Corpus& corpus = TheCorpus();
    std::vector<std::uint8_t> uncompressed;
    std::vector<std::uint8_t> compressed;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tvx::bench::WriteUncompressed(corpus.data, uncompressed) &&
                                 tvx::bench::Compress(uncompressed, compressed));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(corpus.uncompressed.size()));
}

void BM_ZlibCompress(benchmark::State& state) {
    Corpus& corpus = TheCorpus();
    std::vector<std::uint8_t> out(compressBound(static_cast<uLong>(corpus.uncompressed.size())));
    for (auto _ : state) {
        uLongf size = out.size();
        benchmark::DoNotOptimize(compress(out.data(), &size, corpus.uncompressed.data(), corpus.uncompressed.size()));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(corpus.uncompressed.size()));
}

// Inflate plus both passes of the sequential reader.
void BM_LoadCompressed(benchmark::State& state) {
    Corpus& corpus = TheCorpus();
    for (auto _ : state) {
        // The file's bytes in memory and the document's release are not
        // part of the parse (the zlib baselines get their buffers free too).
        state.PauseTiming();
        auto scene = std::make_unique<tvx::TVXScene>();
        tvx::TVXFileReader reader(tvx::ByteBuffer::CopyOf(corpus.compressed));
        state.ResumeTiming();
        if (tvx::ParseScene(reader, *scene) != tvx::kLoadOk) {
            state.SkipWithError("load failed");
        }
        state.PauseTiming();
        scene.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(corpus.uncompressed.size()));
}

// Both passes alone, over the inflated bytes.
void BM_ParseUncompressed(benchmark::State& state) {
    Corpus& corpus = TheCorpus();
    for (auto _ : state) {
        // The file's bytes in memory and the document's release are not
        // part of the parse (the zlib baselines get their buffers free too).
        state.PauseTiming();
        auto scene = std::make_unique<tvx::TVXScene>();
        tvx::TVXFileReader reader(tvx::ByteBuffer::CopyOf(corpus.uncompressed));
        state.ResumeTiming();
        if (tvx::ParseScene(reader, *scene) != tvx::kLoadOk) {
            state.SkipWithError("parse failed");
        }
        state.PauseTiming();
        scene.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(corpus.uncompressed.size()));
}

// What the importer does to a loaded scene: axis swap, triangulation check,
// names, material tables, bind pose and skinning of every vertex.
void BM_ProcessLoadedScene(benchmark::State& state) {
    Corpus& corpus = TheCorpus();
    for (auto _ : state) {
        state.PauseTiming();
        auto scene = std::make_unique<tvx::TVXScene>();
        tvx::TVXFileReader reader(tvx::ByteBuffer::CopyOf(corpus.uncompressed));
        if (tvx::ParseScene(reader, *scene) != tvx::kLoadOk) {
            state.SkipWithError("parse failed");
        }
        tvx::PoseTables poses;
        state.ResumeTiming();
        tvx::ProcessLoadedScene(*scene, poses);
        state.PauseTiming();
        scene.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(corpus.uncompressed.size()));
}

void BM_ZlibUncompress(benchmark::State& state) {
    Corpus& corpus = TheCorpus();
    std::vector<std::uint8_t> out(corpus.uncompressed.size());
    const std::uint8_t* stream = corpus.compressed.data() + 128;
    const uLong streamSize = corpus.compressed.size() - 128;
    for (auto _ : state) {
        uLongf size = out.size();
        benchmark::DoNotOptimize(uncompress(out.data(), &size, stream, streamSize));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(corpus.uncompressed.size()));
}

// The same inflate into a buffer that is new each time, as a load's is: the
// first touch of its pages is part of the price.
void BM_ZlibUncompressFresh(benchmark::State& state) {
    Corpus& corpus = TheCorpus();
    const std::uint8_t* stream = corpus.compressed.data() + 128;
    const uLong streamSize = corpus.compressed.size() - 128;
    for (auto _ : state) {
        tvx::ByteBuffer out = tvx::ByteBuffer::Allocate(static_cast<std::uint32_t>(corpus.uncompressed.size()));
        uLongf size = out.size;
        benchmark::DoNotOptimize(uncompress(out.data.get(), &size, stream, streamSize));
        state.PauseTiming();
        out = {};
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(corpus.uncompressed.size()));
}

}  // namespace

BENCHMARK(BM_WriteVersion31)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveWriteAndCompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibCompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadCompressed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseUncompressed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProcessLoadedScene)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibUncompress)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZlibUncompressFresh)->Unit(benchmark::kMillisecond);
