// The section walkers of the version-34 reader. Each is given the walk with
// the reader at the section body and the chunk's end, and returns 1 or 0.
//
// In the count pass a walker reads every field and records only how many
// records its section holds (in scene.fileCounts); in the fill pass it stores
// them into the arrays allocated from those counts. Records beyond an array
// (an earlier section of the same kind that held more) are read and dropped.
#pragma once

#include <cstdint>

#include "fileformat/v34/Version34Walk.h"

namespace tvx::v34 {

// Version34SceneSections.cpp
[[nodiscard]] int WalkLights(Walk& walk);
[[nodiscard]] int WalkCameras(Walk& walk);
[[nodiscard]] int WalkGroups(Walk& walk);
[[nodiscard]] int WalkBones(Walk& walk);
[[nodiscard]] int WalkNameList(Walk& walk);

// Version34Animations.cpp
[[nodiscard]] int WalkAnimations(Walk& walk);

// Version34Mesh.cpp
[[nodiscard]] int WalkMesh(Walk& walk, std::uint32_t end);

// Version34Materials.cpp
[[nodiscard]] int WalkMaterials(Walk& walk);

// Version34EmbeddedFiles.cpp
[[nodiscard]] int WalkEmbeddedFiles(Walk& walk);
// Writes the embedded files the fill pass noted into the scene's folder.
void WriteEmbeddedFiles(const Walk& walk);

}  // namespace tvx::v34
