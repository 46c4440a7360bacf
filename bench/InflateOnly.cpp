// The floor for loading a compressed scene in a fresh process: read the file
// and inflate its body into one buffer, nothing else.
#include <zlib.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "fileformat/container/ByteOrder.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: inflate_only FILE.tvx\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (file.size() < 128 || tvx::LoadU32LE(file.data() + 20) > file.size()) {
        return 1;
    }
    const std::uint32_t length = tvx::LoadU32LE(file.data() + 12);
    const std::uint32_t offset = tvx::LoadU32LE(file.data() + 20);
    std::vector<std::uint8_t> inflated(length);
    uLongf size = length;
    const int result = uncompress(inflated.data(), &size, file.data() + offset, file.size() - offset);
    std::printf("%lu bytes inflated\n", static_cast<unsigned long>(size));
    return result == Z_OK ? 0 : 1;
}
