#include "fileformat/container/SceneFolder.h"

#include <unistd.h>

#include <string>
#include <system_error>

namespace tvx {

std::filesystem::path SceneFolder(const TVXScene& scene) { return scene.scenePath.parent_path(); }

TVXString BareFileName(const TVXString& stored) {
    std::u16string_view name = stored.wideView();
    if (name.size() >= 2 && name[1] == u':') {
        name.remove_prefix(2);
    }
    const auto lastSeparator = name.find_last_of(u"\\/");
    if (lastSeparator != std::u16string_view::npos) {
        name.remove_prefix(lastSeparator + 1);
    }
    return TVXString::FromWide(name);
}

std::filesystem::path StoredNameAsPath(const TVXString& stored) {
    const std::string utf8 = stored.ToUtf8();
    return std::filesystem::path(utf8);
}

bool StoredFileExists(const TVXString& stored) {
    if (stored.empty()) {
        return false;
    }
    std::error_code ignored;
    return std::filesystem::exists(StoredNameAsPath(stored), ignored);
}

TVXString RelinkToFolder(const std::filesystem::path& folder, const TVXString& stored) {
    std::string relinked = folder.string();
    if (!relinked.empty() && relinked.back() != '/') {
        relinked += '/';
    }
    relinked += BareFileName(stored).ToUtf8();
    return TVXString::FromUtf8(relinked);
}

void ChangeToSceneFolder(const TVXScene& scene) {
    const std::filesystem::path folder = SceneFolder(scene);
    if (!folder.empty()) {
        (void)::chdir(folder.c_str());
    }
}

}  // namespace tvx
