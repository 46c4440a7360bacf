// Values of the container that every layout shares.
#pragma once

#include <cstdint>

namespace tvx {

// "TVXH" as the little-endian word at offset 0.
inline constexpr std::uint32_t kTvxMagic = 0x48585654u;

// Header flag: everything after the header is one zlib stream.
inline constexpr std::uint32_t kFlagCompressed = 0x10;

inline constexpr int kOldestVersion = 6;
inline constexpr int kNewestLegacyVersion = 33;
inline constexpr int kChunkedVersion = 34;
// Versions 6..29 have a 96-byte header, 30..33 a 128-byte one.
inline constexpr int kFirstLongHeaderVersion = 30;
inline constexpr int kShortHeaderBytes = 96;
inline constexpr int kLongHeaderBytes = 128;
inline constexpr int kChunkedHeaderBytes = 48;

// The outer header that the exporter puts in front of its compressed body.
inline constexpr std::uint32_t kExportOuterVersion = 8;
inline constexpr std::uint32_t kExportOuterFlags = 0x12;

// Results of a whole load.
enum LoadStatus : int {
    kLoadFailed = 0,
    kLoadOk = 1,
    kLoadBadMagic = 5,
    kLoadBadVersion = 6,
    kLoadBadLength = 7,
    kLoadCannotOpen = 8,
};

}  // namespace tvx
