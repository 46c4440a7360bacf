// A plug-in library loaded as the host loads it: by path, through its five
// C entry points, with the class that handles an extension found by asking
// each class descriptor. The importer's entry points use the wide-text SDK,
// the exporter's the single-byte 3ds Max 2011 one; which to use follows
// from the class asked for.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "hostapi/SceneExport.h"
#include "hostapi/SceneImport.h"

namespace tvx::tool {

class PluginLibrary {
public:
    // Null, with the reason in `error`, when the file does not load or lacks
    // an entry point.
    static std::unique_ptr<PluginLibrary> Open(const std::filesystem::path& file, std::string& error);

    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;
    ~PluginLibrary();

    // The descriptor of the first scene importer whose instances take files
    // with this extension (compared without regard to case), or null.
    hostapi::ClassDesc* FindImporter(std::u16string_view extension) const;
    // The same for scene exporters.
    hostapi::max2011::ClassDesc* FindExporter(std::string_view extension) const;

private:
    explicit PluginLibrary(void* handle) : handle_(handle) {}

    void* handle_ = nullptr;
    hostapi::LibNumberClassesFn numberClasses_ = nullptr;
    // Typed by the caller: the two SDKs' descriptor types differ.
    void* classDesc_ = nullptr;
};

// Where the tvx command finds the plug-ins unless told otherwise.
std::filesystem::path DefaultPluginFolder();

}  // namespace tvx::tool
