// What a legacy scene file's version and header flags say about its records.
//
// Versions 6 to 33 share one sequential body but change record shapes at a
// few thresholds: 30 brings full transforms and the triangle and UV-set
// sections, 31 the new map entry, 9 the bone scale, 10 drops the third UV
// float. Strings are UTF-16 in versions 10, 32 and 33 only; every other
// version stores narrow text, so the encoding cannot be taken from a range.
#pragma once

#include <cstdint>

#include "fileformat/container/TVXFileReader.h"

namespace tvx {

// Header flags that add fields to every vertex record.
inline constexpr std::uint32_t kLegacyVertexNormal = 0x01;
inline constexpr std::uint32_t kLegacyVertexColor = 0x02;

// The first version whose records carry full transforms.
inline constexpr int kFirstFullRecordVersion = 30;

struct LegacyFormat {
    int version = 0;
    StringEncoding strings = StringEncoding::Narrow;
    bool fullRecords = false;      // 30..33: transforms, triangles, UV sets
    bool newMapEntry = false;      // 31..33
    bool boneScale = false;        // 9..29 short bones carry a scale
    bool thirdUVFloat = false;     // 6..9 inline UVs carry a dropped third float
    bool vertexNormal = false;
    bool vertexColor = false;
};

inline LegacyFormat LegacyFormatOf(int version, std::uint32_t headerFlags) {
    LegacyFormat format;
    format.version = version;
    const bool wide = version == 10 || version == 32 || version == 33;
    format.strings = wide ? StringEncoding::Utf16 : StringEncoding::Narrow;
    format.fullRecords = version >= kFirstFullRecordVersion;
    format.newMapEntry = version >= 31;
    format.boneScale = version >= 9;
    format.thirdUVFloat = version <= 9;
    format.vertexNormal = (headerFlags & kLegacyVertexNormal) != 0;
    format.vertexColor = (headerFlags & kLegacyVertexColor) != 0;
    return format;
}

}  // namespace tvx
