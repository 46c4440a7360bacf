#include "importer/ImportFlow.h"

#include <filesystem>
#include <new>
#include <string>

#include "fileformat/container/FileConstants.h"
#include "fileformat/container/LoadProgress.h"
#include "fileformat/container/LoadScene.h"
#include "fileformat/container/LoadStatusMessage.h"
#include "importer/ImportOptionsDialog.h"
#include "importer/ImportSession.h"
#include "importer/SceneBuilder.h"
#include "pluginkit/ModuleState.h"

namespace tvx::importer {
namespace {

hostapi::DWORD DoNothing(hostapi::LPVOID) { return 0; }

// The texts are plain ASCII, so each char is its own UTF-16 unit.
std::u16string Widen(std::string_view text) { return {text.begin(), text.end()}; }

// The host's progress bar as the loader drives it.
class HostProgress final : public LoadProgress {
public:
    explicit HostProgress(hostapi::Interface& ip) : ip_(ip) {}

    void Start(std::string_view title) override {
        (void)ip_.ProgressStart(Widen(title).c_str(), hostapi::TRUE, DoNothing, nullptr);
    }
    void Update(int percent) override { ip_.ProgressUpdate(percent, hostapi::TRUE, nullptr); }
    void End() override { ip_.ProgressEnd(); }

private:
    hostapi::Interface& ip_;
};

// True when the user accepted the dialog; the instance's options then hold
// the choices.
bool AskForOptions(hostapi::Platform& platform, ImportOptions& options) {
    const hostapi::INT_PTR result =
        platform.DialogBoxParamW(pluginkit::TheModule().instance, &ImportOptionsTemplate(),
                                 platform.GetActiveWindow(), ImportOptionsDialogProc,
                                 reinterpret_cast<hostapi::LPARAM>(&options));
    return result != 0 && result != 2 && result != -1;
}

// Told after an import ended by an exception; whatever fails here too is
// dropped, since the failure itself is what the result says.
void TellFailure(hostapi::Interface* ip, const hostapi::MCHAR* text) noexcept {
    if (ip == nullptr) {
        return;
    }
    try {
        hostapi::Platform& platform = ip->GetPlatform();
        (void)platform.MessageBoxW(platform.GetActiveWindow(), text, u"Error", hostapi::MB_OK | hostapi::MB_ICONERROR);
    } catch (...) {
    }
}

}  // namespace

int RunImport(const hostapi::MCHAR* fileName, hostapi::ImpInterface* ii, hostapi::Interface* ip, bool suppressPrompts,
              ImportOptions& options) {
    if (fileName == nullptr || ii == nullptr || ip == nullptr) {
        return 0;
    }
    ImportSession session(*ii, *ip);
    HostProgress progress(*ip);
    LoadOptions loadOptions;
    loadOptions.writeEmbeddedFiles = true;
    loadOptions.poseTables = &session.poses;
    const int status = LoadScene(session.scene, std::filesystem::path(std::u16string(fileName)), progress, loadOptions);
    ip->ProgressUpdate(100, hostapi::TRUE, nullptr);
    ip->ProgressEnd();
    ii->RedrawViews();

    hostapi::Platform& platform = ip->GetPlatform();
    if (status != kLoadOk) {
        (void)platform.MessageBoxW(platform.GetActiveWindow(), Widen(LoadStatusMessage(status)).c_str(), u"Error",
                                   hostapi::MB_OK | hostapi::MB_ICONERROR);
    } else if (suppressPrompts) {
        (void)BuildScene(session);
    } else if (AskForOptions(platform, options)) {
        session.options = options;
        (void)BuildScene(session);
    }
    session.Release();
    return 1;
}

int GuardedImport(const hostapi::MCHAR* fileName, hostapi::ImpInterface* ii, hostapi::Interface* ip,
                  bool suppressPrompts, ImportOptions& options) noexcept {
    try {
        return RunImport(fileName, ii, ip, suppressPrompts, options);
    } catch (const std::bad_alloc&) {
        TellFailure(ip, u"There was not enough memory to import the file.");
    } catch (...) {
        TellFailure(ip, u"There was an error importing the file.");
    }
    return 0;
}

}  // namespace tvx::importer
