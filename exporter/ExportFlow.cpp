#include "exporter/ExportFlow.h"

#include <array>
#include <filesystem>
#include <cstdio>
#include <new>
#include <string>
#include <system_error>

#include "exporter/ConvertScene.h"
#include "exporter/ExportOptionsDialog.h"
#include "fileformat/container/SaveSceneFile.h"
#include "geometry/SceneBounds.h"
#include "geometry/SwapUpAxis.h"
#include "hostapi/SceneExport.h"
#include "pluginkit/ModuleState.h"

namespace tvx::exporter {
namespace {

constexpr hostapi::DWORD kTempFolderLength = 246;

void Tell(hostapi::Platform& platform, hostapi::LPCSTR text, hostapi::LPCSTR caption, hostapi::UINT icon) {
    (void)platform.MessageBoxA(platform.GetActiveWindow(), text, caption, hostapi::MB_OK | icon);
}

void TellError(hostapi::Platform& platform, hostapi::LPCSTR text) {
    Tell(platform, text, "Error", hostapi::MB_ICONERROR);
}

bool AskForOptions(hostapi::Platform& platform, ExportOptions& options) {
    return platform.DialogBoxParamA(pluginkit::TheModule().instance, &ExportOptionsTemplate(),
                                    platform.GetActiveWindow(), ExportOptionsDlgProc,
                                    reinterpret_cast<hostapi::LPARAM>(&options)) == 1;
}

// Told after an export ended by an exception; whatever fails here too is
// dropped, since the failure itself is what the result says.
void TellFailure(hostapi::Interface* ip, hostapi::LPCSTR text) noexcept {
    if (ip == nullptr) {
        return;
    }
    try {
        TellError(ip->GetPlatform(), text);
    } catch (...) {
    }
}

void ApplyTransforms(TVXExporterData& data) {
    // Swap first: the centre is taken in the file's space.
    if (IsOn(data.options.swapScene)) {
        SwapUpAxis(data.scene, kZUpToYUp);
    }
    if (IsOn(data.options.centerScene)) {
        CenterOnBounds(data.scene, 0, 1);
    }
}

// Writes the document, transformed as chosen, into the temporary file the
// platform made and from there into the target; -1 when the temporary file
// does not open. Once the save has the file, it alone removes it: the
// temporary folder is shared, and after the save has deleted the file its
// name may be another export's.
int SaveThrough(TVXExporterData& data, const char* temporary, hostapi::LPCSTR fileName, bool& handedOver) {
    StdioOutputFile file;
    if (!file.Open(temporary)) {
        return -1;
    }
    ApplyTransforms(data);
    const std::filesystem::path temporaryPath(temporary);
    const std::filesystem::path target(fileName);
    handedOver = true;
    return SaveSceneFileVia(data, file, temporaryPath, target);
}

}  // namespace

int SaveDocument(TVXExporterData& data, hostapi::LPCSTR fileName, hostapi::Platform& platform) {
    if (fileName == nullptr) {
        return 0;
    }
    std::array<char, kTempFolderLength> folder{};
    std::array<char, hostapi::MAX_PATH> temporary{};
    if (platform.GetTempPathA(kTempFolderLength, folder.data()) == 0 ||
        platform.GetTempFileNameA(folder.data(), "tvx", 0, temporary.data()) == 0) {
        TellError(platform, "There was an error creating the file.");
        return 0;
    }
    int saved = 0;
    bool handedOver = false;
    try {
        saved = SaveThrough(data, temporary.data(), fileName, handedOver);
    } catch (...) {
        // Out of memory in the transforms or the paths, before the target
        // was touched.
        saved = 0;
    }
    if (!handedOver) {
        // The empty file the platform made, or what was written into it;
        // removed without needing memory.
        (void)std::remove(temporary.data());
    }
    if (saved < 0) {
        TellError(platform, "There was an error opening the file.");
        return 0;
    }
    // The save leaves the target untouched when it fails; say so, or the
    // user would be told nothing at all.
    if (saved == 0) {
        TellError(platform, "There was an error creating the file.");
    }
    return saved;
}

int RunExport(TVXExporterData& data, hostapi::LPCSTR fileName, hostapi::ExpInterface* ei, hostapi::Interface* ip,
              bool suppressPrompts, hostapi::DWORD optionBits) {
    if (fileName == nullptr || ei == nullptr || ip == nullptr) {
        return 0;
    }
    const NodeSelection selection =
        (optionBits & hostapi::SCENE_EXPORT_SELECTED) != 0 ? NodeSelection::SelectedOnly : NodeSelection::All;
    hostapi::Platform& platform = ip->GetPlatform();
    if (!suppressPrompts && !AskForOptions(platform, data.options)) {
        return 1;
    }
    std::string refusal;
    if (ConvertScene(data, *ei, *ip, selection, refusal) <= 0) {
        // A refused value is named, so that the user can find and mend it.
        const std::string text = "There was an error exporting the file." + (refusal.empty() ? "" : "\n" + refusal);
        TellError(platform, text.c_str());
    } else if (SaveDocument(data, fileName, platform) != 0) {
        Tell(platform, "The file was successfully exported.", "Success", hostapi::MB_ICONINFORMATION);
    }
    ClearScene(data.scene);
    return 1;
}

int GuardedExport(TVXExporterData& data, hostapi::LPCSTR fileName, hostapi::ExpInterface* ei, hostapi::Interface* ip,
                  bool suppressPrompts, hostapi::DWORD optionBits) noexcept {
    try {
        return RunExport(data, fileName, ei, ip, suppressPrompts, optionBits);
    } catch (const std::bad_alloc&) {
        TellFailure(ip, "There was not enough memory to export the file.");
    } catch (...) {
        TellFailure(ip, "There was an error exporting the file.");
    }
    ClearScene(data.scene);
    return 0;
}

}  // namespace tvx::exporter
