// Where a scene's texture and embedded files live, and how the file names
// stored in a scene (written on Windows) map onto this file system.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "document/TVXScene.h"
#include "document/TVXString.h"

namespace tvx {

// The folder of the scene file, or empty when the scene has no path.
std::filesystem::path SceneFolder(const TVXScene& scene);

// The file name and extension of a stored name: both '\' and '/' separate
// folders, and a leading drive ("X:") is dropped.
TVXString BareFileName(const TVXString& stored);

// The stored name as a path of this system (UTF-8 from the wide form).
std::filesystem::path StoredNameAsPath(const TVXString& stored);

// True when something exists at the stored name (as a file, a folder or any
// other entry; a dangling link counts as nothing).
bool StoredFileExists(const TVXString& stored);

// The folder followed by the bare file name of the stored name; an empty
// stored name gives the folder itself with its separator.
TVXString RelinkToFolder(const std::filesystem::path& folder, const TVXString& stored);

// Makes the scene folder the process's current directory, as the readers do
// before they look for texture files. A failure is ignored.
void ChangeToSceneFolder(const TVXScene& scene);

}  // namespace tvx
