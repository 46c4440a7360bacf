// Writes the synthetic benchmark scene as a compressed TVX file, for timing
// whole processes (`tvx info` on it against InflateOnly, `tvx import` of a
// deep bone chain). Sizes other than the default are given as NAME=COUNT:
//   write_synthetic_file chain.tvx vertices=3 triangles=1 bones=100000 frames=0
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>

#include "bench/SyntheticScene.h"

namespace {

bool ParseSize(const char* arg, tvx::bench::SyntheticSize& size) {
    const char* equals = std::strchr(arg, '=');
    if (equals == nullptr) {
        return false;
    }
    const std::string name(arg, equals);
    char* end = nullptr;
    const long value = std::strtol(equals + 1, &end, 10);
    if (*end != '\0' || value < 0 || value > 100'000'000) {
        return false;
    }
    const int count = static_cast<int>(value);
    for (auto [key, field] : {std::pair{"vertices", &size.vertices}, std::pair{"triangles", &size.triangles},
                              std::pair{"materials", &size.materials}, std::pair{"bones", &size.bones},
                              std::pair{"frames", &size.frames}}) {
        if (name == key) {
            *field = count;
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    tvx::bench::SyntheticSize size;
    bool usable = argc >= 2;
    for (int i = 2; i < argc && usable; ++i) {
        usable = ParseSize(argv[i], size);
    }
    if (!usable || size.vertices < 1 || size.materials < 1 || size.bones < 1) {
        std::fprintf(stderr, "usage: write_synthetic_file OUT.tvx [vertices|triangles|materials|bones|frames=N]...\n");
        return 2;
    }
    tvx::TVXExporterData data;
    std::vector<std::uint8_t> uncompressed;
    std::vector<std::uint8_t> compressed;
    if (!tvx::bench::MakeSyntheticScene(size, data) || !tvx::bench::WriteUncompressed(data, uncompressed) ||
        !tvx::bench::Compress(uncompressed, compressed)) {
        std::fprintf(stderr, "cannot build the synthetic scene\n");
        return 1;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(compressed.data()), static_cast<std::streamsize>(compressed.size()));
    return out ? 0 : 1;
}
