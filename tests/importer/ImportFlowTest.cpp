#include <filesystem>

#include "ImportTestSupport.h"
#include "importer/TVXImporter.h"
#include "tests/support/TempDir.h"

namespace tvx::importer::test {
namespace {

const std::filesystem::path kTriangle = std::filesystem::path(TVX_SOURCE_DIR) / "samples/triangle.tvx";

struct ImportRun {
    int result = 0;
    Json host;
};

ImportRun Import(TVXImporter& importer, const std::filesystem::path& file, memhost::DialogScript script,
           bool suppress = false) {
    memhost::MemHost host;
    host.QueueDialog(std::move(script));
    ImportRun run;
    run.result = importer.DoImport(file.u16string().c_str(), &host, &host, suppress ? hostapi::TRUE : hostapi::FALSE);
    run.host = Describe(host);
    return run;
}

std::vector<Json> Events(const Json& host, const std::string& kind) {
    std::vector<Json> out;
    for (const Json& e : host["session"]["events"]) {
        if (e["event"] == kind) {
            out.push_back(e);
        }
    }
    return out;
}

bool HasBones(const Json& host) {
    for (const Json& node : host["scene"]["nodes"]) {
        if (node["boneOn"] == true) {
            return true;
        }
    }
    return false;
}

TEST(ImportFlow, AFailedLoadShowsOneMessageAndStillSucceeds) {
    TVXImporter importer;
    tvx::test::TempDir dir;
    const ImportRun run = Import(importer, dir / "missing.tvx", {});
    EXPECT_EQ(run.result, 1);
    const auto boxes = Events(run.host, "messageBox");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0]["text"], "Could not open the file.  Try closing it first.");
    EXPECT_EQ(boxes[0]["caption"], "Error");
    EXPECT_EQ(boxes[0]["type"], hostapi::MB_ICONERROR);
    EXPECT_TRUE(Events(run.host, "dialog").empty());
    EXPECT_TRUE(run.host["scene"]["nodes"].empty());

    memhost::MemHost host;
    EXPECT_EQ(importer.DoImport(nullptr, &host, &host), 0);
    EXPECT_EQ(importer.DoImport(u"x.tvx", nullptr, &host), 0);
    EXPECT_EQ(importer.DoImport(u"x.tvx", &host, nullptr), 0);
}

TEST(ImportFlow, TheBarClosesBeforeTheDialogOpens) {
    TVXImporter importer;
    const ImportRun run = Import(importer, kTriangle, {});
    std::vector<std::string> order;
    for (const Json& e : run.host["session"]["events"]) {
        std::string what = e["event"].get<std::string>();
        if (what == "progressUpdate") {
            what += " " + std::to_string(e["percent"].get<int>());
        }
        order.push_back(what);
    }
    const std::vector<std::string> expected{"progressStart", "progressUpdate 0",   "progressUpdate 25",
                                            "progressUpdate 50", "progressUpdate 100", "progressEnd",
                                            "redrawViews",   "dialog"};
    ASSERT_GE(order.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(order.begin(), order.begin() + 8), expected);
    EXPECT_EQ(Events(run.host, "progressStart")[0]["title"], "Reading...(please wait)");
    EXPECT_TRUE(HasBones(run.host));
    EXPECT_EQ(run.host["session"]["animateMode"]["animateSuspensions"], 0);
}

TEST(ImportFlow, TheDialogsAnswersDecideWhatIsBuiltAndAreRemembered) {
    TVXImporter importer;
    const ImportRun noBones = Import(importer, kTriangle, {{{40021, false}}, memhost::DialogAnswer::Ok});
    EXPECT_FALSE(HasBones(noBones.host));
    EXPECT_TRUE(noBones.host["scene"]["modifiers"].empty());
    EXPECT_EQ(importer.options.importBones, 0);
    EXPECT_EQ(importer.options.hideBones, 1);

    // The next import through the same instance starts from the last choices.
    const ImportRun again = Import(importer, kTriangle, {{}, memhost::DialogAnswer::Cancel});
    EXPECT_EQ(Events(again.host, "dialog")[0]["checksAfterInit"][0], Json::parse("[40021,false]"));
    EXPECT_TRUE(again.host["scene"]["nodes"].empty());
    EXPECT_TRUE(Events(again.host, "messageBox").empty());
    EXPECT_EQ(importer.options.importBones, 0) << "Cancel leaves the options";

    for (memhost::DialogAnswer answer : {memhost::DialogAnswer::CloseBox, memhost::DialogAnswer::FailToOpen}) {
        EXPECT_TRUE(Import(importer, kTriangle, {{}, answer}).host["scene"]["nodes"].empty());
    }
}

TEST(ImportFlow, SuppressedPromptsBuildEverything) {
    TVXImporter importer;
    importer.options = {0, 0, 0};
    const ImportRun run = Import(importer, kTriangle, {}, true);
    EXPECT_TRUE(Events(run.host, "dialog").empty());
    EXPECT_TRUE(HasBones(run.host));
    EXPECT_EQ(Node(run.host, "Root")["hidden"], true);
}

}  // namespace
}  // namespace tvx::importer::test
