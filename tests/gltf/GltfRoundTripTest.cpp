// Every sample model through the whole chain: glTF → host → tvxwrite → TVX
// → tvxread → host → glTF. The glTF written passes the validator and shows
// what the original shows, as a viewer shows it (skinned, in world space):
// - the same triangles and vertices at time 0.
#include <gtest/gtest.h>

#include <tiny_gltf.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "tests/gltf/ShownScene.h"
#include "tests/support/TempDir.h"
#include "tools/tvx/Commands.h"

namespace tvx::gltf {
namespace {

namespace fs = std::filesystem;
using viewer::Influences;
using viewer::NameOf;
using viewer::Shown;

bool Any(const tinygltf::Model&) { return true; }

// The sample models `keep` takes; one that cannot be read is kept, so that
// its test fails.
std::vector<fs::path> Models(bool (*keep)(const tinygltf::Model&)) {
    std::vector<fs::path> out;
    for (const auto& entry : fs::recursive_directory_iterator(TVX_GLTF_DATA)) {
        const std::string ext = entry.path().extension().string();
        tinygltf::Model model;
        std::string error;
        if ((ext == ".gltf" || ext == ".glb") && (!viewer::Parse(entry.path(), model, error) || keep(model))) {
            out.push_back(entry.path());
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::string ModelName(const testing::TestParamInfo<fs::path>& model) {
    std::string name = model.param.parent_path().parent_path().filename().string() + "_" +
                       model.param.parent_path().filename().string();
    for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
    }
    return name;
}

int Validate(const fs::path& file, std::string& report) {
    const fs::path log = file.parent_path() / "validator.txt";
    const std::string command = std::string("NODE_PATH='") + TVX_GLTF_VALIDATOR_MODULES + "' '" + TVX_NODE + "' '" +
                                TVX_VALIDATE_SCRIPT + "' '" + file.string() + "' > '" + log.string() + "' 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream in(log);
    std::ostringstream text;
    text << in.rdbuf();
    report = text.str();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The glTF beside a copy of the sample model, run through the chain, and both loaded.
class RoundTrip : public testing::TestWithParam<fs::path> {
protected:
    void SetUp() override {
        // The TVX file is written beside a copy of the model, where its
        // textures are looked up (a TVX file names them without folders).
        fs::copy(GetParam().parent_path(), dir.path(), fs::copy_options::recursive);
        original = dir / GetParam().filename().string();
        std::ostringstream out, err;
        tool::ExportCommandOptions exportOptions;
        exportOptions.pluginFolder = TVX_PLUGIN_FOLDER;
        exportOptions.noPrompt = true;
        ASSERT_EQ(tool::RunExport(original, dir / "scene.tvx", exportOptions, err), 0) << err.str();
        tool::ImportCommandOptions importOptions;
        importOptions.pluginFolder = TVX_PLUGIN_FOLDER;
        importOptions.output = back;
        ASSERT_EQ(tool::RunImport(dir / "scene.tvx", importOptions, out, err), 0) << err.str();
        std::string error;
        ASSERT_TRUE(viewer::Parse(original, before, error)) << error;
        ASSERT_TRUE(viewer::Parse(back, after, error)) << error;
        beforeAtZero = viewer::ShownAt(before, 0.0);
        afterAtZero = viewer::ShownAt(after, 0.0);
        size = viewer::Size(beforeAtZero.positions);
        tolerance = 1e-4 * size;
    }

    test::TempDir dir;
    fs::path original;
    const fs::path back = dir / "back.glb";
    tinygltf::Model before, after;
    Shown beforeAtZero, afterAtZero;
    double size = 1.0;       // the original's, at time 0
    double tolerance = 0.0;  // for positions: 1e-4 of the size
};

using SampleRoundTrip = RoundTrip;

TEST_P(SampleRoundTrip, ComesBackAsItWent) {
    std::string report;
    EXPECT_EQ(Validate(back, report), 0) << report;
    EXPECT_EQ(afterAtZero.centroids.size(), beforeAtZero.centroids.size()) << "triangles";
    EXPECT_LE(viewer::Farthest(afterAtZero.positions, beforeAtZero.positions), tolerance) << "a vertex came back elsewhere";
    EXPECT_LE(viewer::Farthest(beforeAtZero.positions, afterAtZero.positions), tolerance) << "a vertex was lost";
}

INSTANTIATE_TEST_SUITE_P(Gltf, SampleRoundTrip, testing::ValuesIn(Models(Any)), ModelName);

}  // namespace
}  // namespace tvx::gltf
