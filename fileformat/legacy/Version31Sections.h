// The record writers of the version-31 layout, one per section.
//
// A section is its count followed by its records. The caller writes the
// count and puts the same number into the header; a record writer then writes
// exactly that many records, so the header, the count in front of a section
// and the records behind it can never disagree.
#pragma once

#include "document/TVXScene.h"
#include "fileformat/container/FileWriter.h"
#include "fileformat/legacy/LegacyFormat.h"

namespace tvx {

// What the exporter's options let into the file.
struct Version31Content {
    const TVXScene& scene;
    bool bones = false;    // vertex weights, bones and animations
    bool colours = false;  // a colour in every vertex record
    // A normal in every vertex record: only for a scene read from a file
    // that stored them, so a converted file keeps them.
    bool normals = false;
};

inline LegacyFormat Version31Format(const Version31Content& content) {
    const std::uint32_t flags =
        (content.normals ? kLegacyVertexNormal : 0u) | (content.colours ? kLegacyVertexColor : 0u);
    return LegacyFormatOf(31, flags);
}

// Writes records 0..count-1 of its kind; count never exceeds the scene's.
using Version31RecordWriter = bool (*)(FileWriter& writer, const Version31Content& content, int count);

[[nodiscard]] bool WriteVersion31Lights(FileWriter& writer, const Version31Content& content, int count);
[[nodiscard]] bool WriteVersion31Cameras(FileWriter& writer, const Version31Content& content, int count);
[[nodiscard]] bool WriteVersion31Materials(FileWriter& writer, const Version31Content& content, int count);
[[nodiscard]] bool WriteVersion31Groups(FileWriter& writer, const Version31Content& content, int count);
[[nodiscard]] bool WriteVersion31Vertices(FileWriter& writer, const Version31Content& content, int count);
// UV set k holds the coordinates of the scene's UV set k, or none when the
// scene has fewer sets.
[[nodiscard]] bool WriteVersion31UVSets(FileWriter& writer, const Version31Content& content, int count);
[[nodiscard]] bool WriteVersion31FaceLists(FileWriter& writer, const Version31Content& content, int count);
[[nodiscard]] bool WriteVersion31Bones(FileWriter& writer, const Version31Content& content, int count);
[[nodiscard]] bool WriteVersion31Animations(FileWriter& writer, const Version31Content& content, int count);

}  // namespace tvx
