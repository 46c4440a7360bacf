#include "fileformat/legacy/LegacyTextureNames.h"

#include <algorithm>

#include "fileformat/container/SceneFolder.h"

namespace tvx {
namespace {

constexpr int kLastOldMapVersion = 30;
constexpr int kKeepsExistingOld = 10;
constexpr int kKeepsExistingNew = 33;

bool ShouldRelink(int version, const TVXString& name) {
    if (version == kKeepsExistingOld || version == kKeepsExistingNew) {
        return !StoredFileExists(name);
    }
    return true;
}

void Relink(const LegacyPass& pass, TVXString& name) { name = RelinkToFolder(pass.sceneFolder, name); }

}  // namespace

void RelinkTextureName(const LegacyPass& pass, TVXString& name) {
    if (pass.filling() && ShouldRelink(pass.format.version, name)) {
        Relink(pass, name);
    }
}

void RelinkCubeFaceNames(const LegacyPass& pass, std::span<TVXString> names) {
    if (!pass.filling()) {
        return;
    }
    if (pass.format.version <= kLastOldMapVersion) {
        for (TVXString& name : names) {
            RelinkTextureName(pass, name);
        }
        return;
    }
    const bool relinkAll = std::any_of(names.begin(), names.end(), [&](const TVXString& name) {
        return ShouldRelink(pass.format.version, name);
    });
    if (relinkAll) {
        for (TVXString& name : names) {
            Relink(pass, name);
        }
    }
}

}  // namespace tvx
