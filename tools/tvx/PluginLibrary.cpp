#include "tools/tvx/PluginLibrary.h"

#include <dlfcn.h>

#include <algorithm>

namespace tvx::tool {
namespace {

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool SameExtension(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return Lower(x) == Lower(y); });
}

template <class Fn>
Fn Entry(void* handle, const char* name) {
    return reinterpret_cast<Fn>(dlsym(handle, name));
}

bool ImportsExtension(hostapi::ClassDesc& desc, std::u16string_view extension) {
    std::unique_ptr<hostapi::SceneImport> instance(static_cast<hostapi::SceneImport*>(desc.Create(hostapi::FALSE)));
    if (!instance) {
        return false;
    }
    for (int i = 0; i < instance->ExtCount(); ++i) {
        const hostapi::MCHAR* ext = instance->Ext(i);
        if (ext != nullptr && SameExtension(ext, extension)) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::unique_ptr<PluginLibrary> PluginLibrary::Open(const std::filesystem::path& file, std::string& error) {
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = dlerror();
        error = reason != nullptr ? reason : "cannot load " + file.string();
        return nullptr;
    }
    std::unique_ptr<PluginLibrary> library(new PluginLibrary(handle));
    library->description_ = Entry<hostapi::LibDescriptionFn>(handle, hostapi::kLibDescriptionName);
    library->numberClasses_ = Entry<hostapi::LibNumberClassesFn>(handle, hostapi::kLibNumberClassesName);
    library->classDesc_ = Entry<hostapi::LibClassDescFn>(handle, hostapi::kLibClassDescName);
    if (library->description_ == nullptr || library->numberClasses_ == nullptr || library->classDesc_ == nullptr ||
        dlsym(handle, hostapi::kLibVersionName) == nullptr || dlsym(handle, hostapi::kCanAutoDeferName) == nullptr) {
        error = file.string() + " is not a plug-in library: an entry point is missing";
        return nullptr;
    }
    return library;
}

PluginLibrary::~PluginLibrary() {
    if (handle_ != nullptr) {
        dlclose(handle_);
    }
}

hostapi::ClassDesc* PluginLibrary::FindImporter(std::u16string_view extension) const {
    const int count = numberClasses_();
    for (int i = 0; i < count; ++i) {
        hostapi::ClassDesc* desc = classDesc_(i);
        if (desc != nullptr && desc->SuperClassID() == hostapi::SCENE_IMPORT_CLASS_ID && ImportsExtension(*desc, extension)) {
            return desc;
        }
    }
    return nullptr;
}

std::filesystem::path DefaultPluginFolder() {
    // Beside the command in an installed layout; the build tree's own
    // folder otherwise.
    std::error_code ignored;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ignored);
    if (!self.empty()) {
        const auto beside = self.parent_path() / "plugins";
        if (std::filesystem::is_directory(beside, ignored)) {
            return beside;
        }
    }
    return TVX_PLUGIN_FOLDER;
}

}  // namespace tvx::tool
