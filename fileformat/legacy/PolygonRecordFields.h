// Face lists and their polygons in a legacy body.
//
// A face list and a polygon's head are field lists like every other record.
// The index runs behind a head are the bulk of a file, so each side walks
// them with its own run operations (PolygonFields below): the reader sizes
// the polygon from its head and reads or skips whole runs; the writers
// emit what the layout stores there.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "document/MeshAllocation.h"
#include "document/TVXScene.h"
#include "fileformat/legacy/LegacyIo.h"

namespace tvx {

// The second index of every corner and UV pair the writers store; nothing
// stores anything else there.
inline constexpr std::int32_t kWrittenSecondIndex = -1;
// Only the third float of an inline UV triplet (versions 6 to 9) is unused.
inline constexpr float kWrittenThirdUVFloat = 0.0f;

// What leads a polygon. The group is stored from version 30 on; before,
// the face list names it once for all its polygons.
struct PolygonHead {
    std::int32_t corners = 0;
    std::int32_t channels = 0;
    std::int32_t group = 0;
    std::int32_t material = 0;
    std::int32_t smoothing = 0;
};

template <class Io, class Head>
[[nodiscard]] bool PolygonHeadFields(Io& io, Head& head) {
    return io.Int(head.corners) && io.Int(head.channels) && (!io.format().fullRecords || io.Int(head.group)) &&
           io.Int(head.material) && io.Int(head.smoothing);
}

// A face list as the writers store it: list i holds the polygons of group
// i, or none when the scene has fewer lists. Inline UVs (versions 6 to 29)
// are stored as coordinates looked up in `uvSets`; without them (mapping
// off) every coordinate is stored as zero.
struct WrittenFaceList {
    std::span<const TVXPolygon> polygons;
    const std::vector<TVXUVSet>* uvSets = nullptr;
};

[[nodiscard]] WrittenFaceList WrittenFaceListAt(const TVXScene& scene, int i, bool mapping);

// One polygon of a face list whose group is `listGroup`. A reader keeps it
// as the group of every polygon of a layout without per-polygon groups; a
// writer stores it as every polygon's group, whatever the polygon says.
[[nodiscard]] bool PolygonFields(LegacyReadIo& io, TVXPolygon& polygon, int listGroup, const TVXFaceList& list);
[[nodiscard]] bool PolygonFields(LegacyWriteIo& io, const TVXPolygon& polygon, int listGroup,
                                 const WrittenFaceList& list);

// Face list `index`. A layout without per-polygon groups leads the list
// with its group, which the writers make the list's index.
template <class Io, class FaceList>
[[nodiscard]] bool FaceListFields(Io& io, FaceList& list, int index) {
    std::int32_t group = index;
    if (!io.format().fullRecords && !io.Int(group)) {
        return false;
    }
    return io.List(list, list.polygons, AllocPolygons,
                   [group, &list](auto& inner, auto& polygon) { return PolygonFields(inner, polygon, group, list); });
}

// What the writers store as face list i of the scene.
inline auto WrittenFaceListFields(const TVXScene& scene, bool mapping) {
    return [&scene, mapping](auto& io, int i) {
        const WrittenFaceList list = WrittenFaceListAt(scene, i, mapping);
        return FaceListFields(io, list, i);
    };
}

}  // namespace tvx
