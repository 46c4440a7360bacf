#include "tools/tvx/PluginLibrary.h"

#include <dlfcn.h>

#include <algorithm>

namespace tvx::tool {
namespace {

template <class Char>
Char Lower(Char c) {
    return c >= Char('A') && c <= Char('Z') ? static_cast<Char>(c - Char('A') + Char('a')) : c;
}

template <class Char>
bool SameExtension(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](Char x, Char y) { return Lower(x) == Lower(y); });
}

template <class Fn>
Fn Entry(void* handle, const char* name) {
    return reinterpret_cast<Fn>(dlsym(handle, name));
}

// Whether an instance of the class (an importer or an exporter) takes
// files with this extension.
template <class Plugin, class Desc, class Char>
bool HandlesExtension(Desc& desc, std::basic_string_view<Char> extension) {
    std::unique_ptr<Plugin> instance(static_cast<Plugin*>(desc.Create(hostapi::FALSE)));
    if (!instance) {
        return false;
    }
    for (int i = 0; i < instance->ExtCount(); ++i) {
        const Char* ext = instance->Ext(i);
        if (ext != nullptr && SameExtension(std::basic_string_view<Char>(ext), extension)) {
            return true;
        }
    }
    return false;
}

template <class Plugin, class Desc, class Char>
Desc* FindClass(int count, Desc* (*classDesc)(int), hostapi::SClass_ID superClass,
                std::basic_string_view<Char> extension) {
    for (int i = 0; i < count; ++i) {
        Desc* desc = classDesc(i);
        if (desc != nullptr && desc->SuperClassID() == superClass && HandlesExtension<Plugin>(*desc, extension)) {
            return desc;
        }
    }
    return nullptr;
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
    library->numberClasses_ = Entry<hostapi::LibNumberClassesFn>(handle, hostapi::kLibNumberClassesName);
    library->classDesc_ = dlsym(handle, hostapi::kLibClassDescName);
    if (dlsym(handle, hostapi::kLibDescriptionName) == nullptr || library->numberClasses_ == nullptr ||
        library->classDesc_ == nullptr ||
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
    return FindClass<hostapi::SceneImport>(numberClasses_(), reinterpret_cast<hostapi::LibClassDescFn>(classDesc_),
                                           hostapi::SCENE_IMPORT_CLASS_ID, extension);
}

hostapi::max2011::ClassDesc* PluginLibrary::FindExporter(std::string_view extension) const {
    return FindClass<hostapi::SceneExport>(numberClasses_(),
                                           reinterpret_cast<hostapi::max2011::LibClassDescFn>(classDesc_),
                                           hostapi::SCENE_EXPORT_CLASS_ID, extension);
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
