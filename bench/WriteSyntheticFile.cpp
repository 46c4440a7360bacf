// Writes the synthetic benchmark scene as a compressed TVX file, for timing
// whole processes (`tvx info` on it against InflateOnly).
#include <cstdio>
#include <fstream>

#include "bench/SyntheticScene.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_synthetic_file OUT.tvx\n");
        return 2;
    }
    tvx::TVXExporterData data;
    std::vector<std::uint8_t> uncompressed;
    std::vector<std::uint8_t> compressed;
    if (!tvx::bench::MakeSyntheticScene({}, data) || !tvx::bench::WriteUncompressed(data, uncompressed) ||
        !tvx::bench::Compress(uncompressed, compressed)) {
        std::fprintf(stderr, "cannot build the synthetic scene\n");
        return 1;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(compressed.data()), static_cast<std::streamsize>(compressed.size()));
    return out ? 0 : 1;
}
