// What a fault report calls each kind of record.
#pragma once

#include <optional>

#include "document/TVXScene.h"

namespace tvx {

template <class Record>
inline constexpr const char* kRecordName = "record";

template <> inline constexpr const char* kRecordName<TVXLight> = "light";
template <> inline constexpr const char* kRecordName<TVXCamera> = "camera";
template <> inline constexpr const char* kRecordName<TVXMaterial> = "material";
template <> inline constexpr const char* kRecordName<TVXMap> = "map";
template <> inline constexpr const char* kRecordName<std::optional<TVXMap>> = "map";
template <> inline constexpr const char* kRecordName<TVXMapEntry> = "layer";
template <> inline constexpr const char* kRecordName<TVXGroup> = "group";
template <> inline constexpr const char* kRecordName<TVXVertex> = "vertex";
template <> inline constexpr const char* kRecordName<TVXBoneWeight> = "weight";
template <> inline constexpr const char* kRecordName<TVXTriangle> = "triangle";
template <> inline constexpr const char* kRecordName<TVXUVSet> = "UV set";
template <> inline constexpr const char* kRecordName<TVXUVCoord> = "UV coordinate";
template <> inline constexpr const char* kRecordName<TVXFaceList> = "face list";
template <> inline constexpr const char* kRecordName<TVXPolygon> = "polygon";
template <> inline constexpr const char* kRecordName<TVXBone> = "bone";
template <> inline constexpr const char* kRecordName<TVXAnimation> = "animation";
template <> inline constexpr const char* kRecordName<TVXBoneTrack> = "track";
template <> inline constexpr const char* kRecordName<TVXPositionKey> = "position key";
template <> inline constexpr const char* kRecordName<TVXRotationKey> = "rotation key";
template <> inline constexpr const char* kRecordName<TVXScaleKey> = "scale key";

}  // namespace tvx
