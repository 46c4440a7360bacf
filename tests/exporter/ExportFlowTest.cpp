// The export as the host runs it: the options dialog, the conversion, the
// save through a temporary file, the one message, the empty document after.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "exporter/ExportOptionsDialog.h"
#include "exporter/TVXExporter.h"
#include "fileformat/container/LoadScene.h"
#include "hostapi/SceneExport.h"
#include "memhost/HostSceneRead.h"
#include "memhost/MemHost.h"
#include "pluginkit/DialogIds.h"
#include "tests/support/AllocationLimit.h"
#include "tests/support/TempDir.h"

namespace tvx::exporter {
namespace {

using namespace tvx::pluginkit;  // the control ids

// One triangle standing up along the host's z axis, from z = 10 to 20.
constexpr const char* kScene = R"({"format": "tvx-host-scene", "version": 1, "scene": {
  "nodes": [{"id": 0, "name": "Tri", "object": 0}],
  "objects": [{"id": 0, "kind": "mesh", "vertices": [[0, 0, 10], [1, 0, 10], [0, 0, 20]], "faces": [[0, 1, 2]]}]}})";

class ExportFlow : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        host = memhost::ReadHostScene(kScene, error);
        ASSERT_NE(host, nullptr) << error;
        host->platform().SetTempFolder(temp.path().string() + "/");
    }

    int Export(bool suppressPrompts = false, hostapi::DWORD bits = 0) {
        return exporter.DoExport(target.c_str(), host->exportInterface(), host.get(),
                                 suppressPrompts ? hostapi::TRUE : hostapi::FALSE, bits);
    }

    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const memhost::MessageBoxEvent* box : host->session().All<memhost::MessageBoxEvent>()) {
            texts.push_back(box->caption + ": " + box->text);
        }
        return texts;
    }

    TVXScene ReadBack() const {
        TVXScene scene;
        NoProgress progress;
        EXPECT_EQ(LoadScene(scene, target, progress, LoadOptions::AsStored()), 1);
        return scene;
    }

    bool DocumentEmpty() const {
        const TVXScene& s = exporter.data.scene;
        return s.vertices.empty() && s.groups.empty() && s.faceLists.empty() && s.uvSets.empty() &&
               s.bones.empty() && s.animations.empty();
    }

    test::TempDir temp;
    std::string target = (temp / "out.tvx").string();
    std::unique_ptr<memhost::MemHost> host;
    TVXExporter exporter;
};

TEST_F(ExportFlow, WithoutPromptsAFreshExporterSwapsAndDoesNotCentre) {
    EXPECT_EQ(Export(true), 1);
    EXPECT_TRUE(host->session().All<memhost::DialogEvent>().empty());
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Success: The file was successfully exported."}));
    EXPECT_TRUE(DocumentEmpty());
    const TVXScene scene = ReadBack();
    EXPECT_EQ(scene.version, 31);
    ASSERT_EQ(scene.vertices.size(), 3u);
    EXPECT_EQ(scene.vertices[2].position, (Vector3{0.0f, 20.0f, 0.0f})) << "Y up, not centred";

    // The temporary file came from the host, with the "tvx" prefix, and is gone.
    ASSERT_EQ(host->session().tempFiles().size(), 1u);
    EXPECT_EQ(host->session().tempFiles()[0].prefix, "tvx");
    EXPECT_EQ(temp.List(), (std::vector<std::string>{"out.tvx"}));
}

TEST_F(ExportFlow, TheDialogsChoicesApplyAndStayWithTheExporter) {
    host->QueueDialog({{{IDC_SWAP_SCENE, false}, {IDC_CENTER_SCENE, true}, {IDC_EXPORT_LEGACY, true}},
                       memhost::DialogAnswer::Ok,
                       {{IDC_MAPPING_INDEX, ""}}});
    EXPECT_EQ(Export(), 1);
    EXPECT_EQ(exporter.data.options.mappingChannelIndex, 2) << "an empty box means channel 2";
    EXPECT_EQ(exporter.data.options.swapScene, 0);
    TVXScene scene = ReadBack();
    EXPECT_EQ(scene.version, 9) << "the legacy writer alone";
    ASSERT_EQ(scene.vertices.size(), 3u);
    EXPECT_EQ(scene.vertices[0].position, (Vector3{-0.5f, 0.0f, -5.0f})) << "centred, Z still up";

    // Cancel: nothing is converted, written or said, and the options stay.
    std::filesystem::remove(target);
    host->QueueDialog({{{IDC_SWAP_SCENE, true}}, memhost::DialogAnswer::Cancel});
    EXPECT_EQ(Export(), 1);
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_EQ(exporter.data.options.swapScene, 0);
    EXPECT_EQ(Messages().size(), 1u) << "only the first export's message";
    EXPECT_TRUE(DocumentEmpty());
}

TEST_F(ExportFlow, NothingSelectedStillExports) {
    EXPECT_EQ(Export(true, hostapi::SCENE_EXPORT_SELECTED), 1);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Success: The file was successfully exported."}));
    const TVXScene scene = ReadBack();
    EXPECT_TRUE(scene.vertices.empty());
    EXPECT_EQ(scene.animations.size(), 1u);
}

TEST_F(ExportFlow, FailuresAreToldAndLeaveNothingBehind) {
    host->failures().FailCall(memhost::HostCall::GetTempFileNameA);
    EXPECT_EQ(Export(true), 1);
    EXPECT_EQ(Messages().back(), "Error: There was an error creating the file.");
    EXPECT_TRUE(DocumentEmpty());

    // A target in a folder that does not exist: the save's last step fails,
    // and the user hears about it rather than nothing.
    target = (temp / "missing" / "out.tvx").string();
    EXPECT_EQ(Export(true), 1);
    EXPECT_EQ(Messages().back(), "Error: There was an error creating the file.");
    EXPECT_TRUE(DocumentEmpty());
    EXPECT_TRUE(temp.List().empty()) << "the temporary file is removed";
}

TEST_F(ExportFlow, RunningOutOfMemoryInTheConversionIsAnError) {
    // A mesh whose working records need more than the limit allows, while
    // the host's own small records still fit.
    std::string vertices = "[0, 0, 0]";
    for (int i = 1; i < 5000; ++i) {
        vertices += ", [" + std::to_string(i) + ", 0, 0]";
    }
    std::string error;
    host = memhost::ReadHostScene(R"({"format": "tvx-host-scene", "version": 1, "scene": {
      "nodes": [{"id": 0, "name": "Big", "object": 0}],
      "objects": [{"id": 0, "kind": "mesh", "vertices": [)" + vertices + R"(], "faces": [[0, 1, 2]]}]}})",
                                  error);
    ASSERT_NE(host, nullptr) << error;
    {
        test::AllocationLimit limit(100'000);
        EXPECT_EQ(Export(true), 1);
        EXPECT_TRUE(limit.anyFailed());
    }
    EXPECT_EQ(Messages().back(), "Error: There was an error exporting the file.");
    EXPECT_TRUE(DocumentEmpty());
    EXPECT_FALSE(std::filesystem::exists(target));
}

}  // namespace
}  // namespace tvx::exporter
