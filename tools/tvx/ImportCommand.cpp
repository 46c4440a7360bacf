#include <fstream>
#include <ostream>

#include "gltf/GltfWrite.h"
#include "hostapi/SceneImport.h"
#include "memhost/HostSceneJson.h"
#include "memhost/MemHost.h"
#include "pluginkit/DialogIds.h"
#include "tools/tvx/Commands.h"
#include "tools/tvx/PluginLibrary.h"
#include "tools/tvx/Progress.h"

namespace tvx::tool {
namespace {

memhost::DialogScript AnswerFrom(const ImportCommandOptions& options) {
    memhost::DialogScript script;
    script.checks = {{pluginkit::IDC_IMPORT_BONES, options.bones},
                     {pluginkit::IDC_IMPORT_ANIMATION, options.animation},
                     {pluginkit::IDC_HIDE_BONES, options.hideBones}};
    script.answer = options.cancel ? memhost::DialogAnswer::Cancel : memhost::DialogAnswer::Ok;
    return script;
}

bool WriteText(const std::filesystem::path& file, const std::string& text, std::ostream& err) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        err << "tvx: cannot write " << file.string() << '\n';
        return false;
    }
    return true;
}

// The host scene as glTF, with one line of what it holds and a line per
// thing left out.
int WriteGltfFile(memhost::MemHost& host, const std::filesystem::path& output, bool embedImages, std::ostream& err) {
    gltf::WriteSummary summary;
    std::string error;
    if (!gltf::WriteGltf(host, output, {embedImages}, summary, error)) {
        err << "tvx: " << error << '\n';
        return 1;
    }
    for (const std::string& warning : summary.warnings) {
        err << "tvx: warning: " << warning << '\n';
    }
    err << "tvx: wrote " << output.string() << ": nodes " << summary.nodes << ", meshes " << summary.meshes
        << ", triangles " << summary.triangles << ", materials " << summary.materials << ", bones " << summary.bones
        << ", keys " << summary.keys << '\n';
    return 0;
}

std::filesystem::path Absolute(const std::filesystem::path& path) {
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
    return absolute.empty() ? path : absolute;
}

}  // namespace

int RunImport(const std::filesystem::path& input, const ImportCommandOptions& options, std::ostream& out,
              std::ostream& err) {
    std::string error;
    const auto library = PluginLibrary::Open(options.pluginFolder / "tvxread.dli", error);
    if (!library) {
        err << "tvx: " << error << '\n';
        return 2;
    }
    hostapi::ClassDesc* desc = library->FindImporter(u"TVX");
    if (desc == nullptr) {
        err << "tvx: the importer library offers no importer for .tvx files\n";
        return 2;
    }
    std::unique_ptr<hostapi::SceneImport> importer(static_cast<hostapi::SceneImport*>(desc->Create(hostapi::FALSE)));

    memhost::MemHost host;
    host.QueueDialog(AnswerFrom(options));
    ShowProgressOn(host, err);
    // Reading the scene changes the process's folder to the scene's, so
    // both paths are made absolute first.
    const std::u16string name = Absolute(input).u16string();
    const std::filesystem::path output = options.output.empty() ? options.output : Absolute(options.output);
    const int result = importer->DoImport(name.c_str(), &host, &host, hostapi::FALSE);

    int status = 0;
    for (const memhost::MessageBoxEvent* box : host.session().All<memhost::MessageBoxEvent>()) {
        err << "tvx: " << box->caption << ": " << box->text << '\n';
        status = 1;
    }
    if (result == 0) {
        // The importer failed without a word it could get through.
        if (status == 0) {
            err << "tvx: the importer reported a failure\n";
        }
        return 1;
    }
    if (gltf::IsGltfPath(output)) {
        // A failed import leaves no half scene in a glTF file.
        return status == 0 ? WriteGltfFile(host, output, options.embedImages, err) : status;
    }
    const std::string json = memhost::HostSceneText(host);
    if (output.empty()) {
        out << json;
    } else if (!WriteText(output, json, err)) {
        return 1;
    }
    return status;
}

}  // namespace tvx::tool
