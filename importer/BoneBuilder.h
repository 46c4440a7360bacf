// One host bone node per document bone, linked to its parent.
#pragma once

#include "importer/ImportSession.h"

namespace tvx::importer {

inline constexpr int kBoneUIColor = 23;           // the host's colour for bones
inline constexpr hostapi::ParamID kBoneLength = 3;  // the bone object's length parameter

void BuildBones(ImportSession& session);

// The host's wire colour of a 0..1 colour: each component x 255, truncated,
// its low 8 bits packed red | green << 8 | blue << 16.
[[nodiscard]] hostapi::DWORD PackWireColor(const hostapi::Point3& color);

}  // namespace tvx::importer
