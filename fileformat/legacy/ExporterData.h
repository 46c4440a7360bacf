// What the exporter holds while it saves: its options, the scene it built
// from the host, and the three texts of the file's trailer. Both layout
// writers take the whole of it; the exporter plug-in owns one.
#pragma once

#include <cstdint>
#include <string>

#include "document/TVXScene.h"

namespace tvx {

// Each a flag that counts as on only when it equals 1, except
// mappingChannelIndex.
struct ExportOptions {
    std::int32_t exportBones = 1;
    std::int32_t exportAnimation = 1;
    std::int32_t exportColorChannel = 1;
    std::int32_t exportAlphaChannel = 1;
    std::int32_t exportMappingChannel = 1;
    std::int32_t mappingChannelIndex = 2;
    std::int32_t swapScene = 1;
    std::int32_t centerScene = 0;
    std::int32_t spareFlagA = 1;
    std::int32_t spareFlagB = 0;
    std::int32_t reweldVertices = 0;
    std::int32_t exportLegacyLayout = 0;
};

inline bool IsOn(std::int32_t option) { return option == 1; }

// The trailer texts are fields of 128 characters: writers write at most 127.
inline constexpr std::size_t kCreatorTextCapacity = 128;

struct TVXExporterData {
    ExportOptions options;
    TVXScene scene{SceneRole::Export};
    std::string creatorName = "Tarvex Pro 3dsmax 2011 Exporter";
    std::string creatorVersion = "v3.0";
    std::string creatorNote;
};

// Sets creatorNote to the C library's ctime text of the current local time,
// without its final newline, as every save does just before the trailer.
void SetCreatorNoteToNow(TVXExporterData& data);

}  // namespace tvx
