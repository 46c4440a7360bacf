// The section writers behind WriteVersion9File. Each writes the records of
// one section of the version-9 layout; except for the materials, the count
// word in front of them is written by the caller, which also keeps it in the
// header table.
#pragma once

#include <cstdint>
#include <span>

#include "document/TVXScene.h"
#include "fileformat/container/FileWriter.h"
#include "fileformat/legacy/LegacyFormat.h"

namespace tvx {

// What the exporter's options let into every vertex record.
struct Version9VertexForm {
    bool colours = false;
    bool weights = false;
    bool normals = false;  // only for a scene read from a file that stored them
};

// Version 9 stores narrow text, short records and bones with a scale; the
// header's flags name the vertex parts.
inline LegacyFormat Version9Format(const Version9VertexForm& form = {}) {
    return LegacyFormatOf(9, (form.normals ? kLegacyVertexNormal : 0u) | (form.colours ? kLegacyVertexColor : 0u));
}

// The material section, count word included. Returns the bytes written, 0 on
// failure; a section always holds its count, so success is never 0.
[[nodiscard]] std::uint32_t WriteVersion9Materials(const TVXScene& scene, FileWriter& writer);

[[nodiscard]] bool WriteVersion9Groups(std::span<const TVXGroup> groups, FileWriter& writer);

[[nodiscard]] bool WriteVersion9Vertices(std::span<const TVXVertex> vertices, Version9VertexForm form,
                                         FileWriter& writer);

// `listCount` face lists (one per group), each led by its own index. When
// `mapping` is false every UV triplet is written as zeros.
[[nodiscard]] bool WriteVersion9FaceLists(const TVXScene& scene, int listCount, bool mapping, FileWriter& writer);

[[nodiscard]] bool WriteVersion9Bones(std::span<const TVXBone> bones, FileWriter& writer);
[[nodiscard]] bool WriteVersion9Animations(std::span<const TVXAnimation> animations, FileWriter& writer);

}  // namespace tvx
