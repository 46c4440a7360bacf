#include "fileformat/v34/Version34TextureLinks.h"

#include <algorithm>

#include "fileformat/container/SceneFolder.h"

namespace tvx::v34 {
namespace {

bool IsMissing(const TVXString& name) { return !name.empty() && !StoredFileExists(name); }

void Relink(TVXString& name, const std::filesystem::path& folder) {
    if (!name.empty()) {
        name = RelinkToFolder(folder, name);
    }
}

void RelinkIfMissing(TVXString& name, const std::filesystem::path& folder) {
    if (IsMissing(name)) {
        name = RelinkToFolder(folder, name);
    }
}

}  // namespace

void RelinkTextures(TVXMap& map, const std::filesystem::path& folder) {
    if (folder.empty()) {
        return;
    }
    switch (StoredPayloadOfKind(map.kind)) {
    case TVXMapPayload::SingleFile:
        RelinkIfMissing(map.fileName, folder);
        break;
    case TVXMapPayload::Layered:
        for (TVXMapEntry& entry : map.entries) {
            RelinkIfMissing(entry.fileName, folder);
        }
        break;
    case TVXMapPayload::Cube:
        if (std::any_of(map.faceNames.begin(), map.faceNames.end(), IsMissing)) {
            for (TVXString& face : map.faceNames) {
                Relink(face, folder);
            }
        }
        break;
    case TVXMapPayload::None:  // other kinds carry no file name in this layout
        break;
    }
}

}  // namespace tvx::v34
