// Every sample model through glTF → TVX → glTF and glTF → TVX → host: at
// every frame of the exporter's 30 fps grid (which holds every key time of
// the sample models that lies on it) the result shows what the model shows,
// in world space. Between frames the TVX file keeps only the frames, so the
// loss there is reported, not asserted.
#include <gtest/gtest.h>

#include <tiny_gltf.h>

#include <iostream>

#include "tests/gltf/ShownScene.h"
#include "tests/support/TempDir.h"
#include "tests/world/GltfWorld.h"
#include "tests/world/HostWorld.h"
#include "tests/world/SampleModels.h"
#include "tests/world/ThroughTvx.h"
#include "tests/world/WorldCompare.h"

namespace tvx::world {
namespace {

namespace fs = std::filesystem;

// Positions on the frame grid: the TVX file holds them as floats, a few
// units in the 7th digit of the scene's size.
constexpr double kTolerance = 1e-5;
// The importer passes every rotation key through Euler angles in single
// precision, which near a quarter turn about the middle axis costs a few
// units in the 5th digit of a node's axes.
constexpr double kAxesTolerance = 1e-4;
// The exporter samples the host's 30 frames a second.
constexpr int kFrameRate = 30;

template <class At>
Timeline Follow(const std::vector<double>& times, At at) {
    Timeline out;
    for (const double t : times) {
        out.push_back(at(t));
    }
    return out;
}

class GltfFidelity : public testing::TestWithParam<fs::path> {
protected:
    void SetUp() override {
        // The TVX file is written beside a copy of the model, where its
        // textures are looked up.
        fs::copy(GetParam().parent_path(), dir.path(), fs::copy_options::recursive);
        const fs::path original = dir / GetParam().filename().string();
        ASSERT_TRUE(world::ThroughTvx(original, dir / "scene.tvx", {dir / "back.glb", dir / "back.json"}));
        std::string error;
        ASSERT_TRUE(gltf::viewer::Parse(original, before, error)) << error;
        ASSERT_TRUE(gltf::viewer::Parse(dir / "back.glb", afterGltf, error)) << error;
        afterHost = ReadHostSceneFile(dir / "back.json", error);
        ASSERT_NE(afterHost, nullptr) << error;
        grid = FrameGrid(AnimationEnd(before), kFrameRate);
    }

    Timeline Source(const std::vector<double>& times) const {
        return Follow(times, [&](double t) { return GltfWorldAt(before, t); });
    }

    // Asserts on the grid, reports between frames.
    template <class At>
    void Compare(const char* what, At at) {
        const Timeline source = Source(grid);
        const Timeline result = Follow(grid, at);
        const double diagonal = Diagonal(source);
        const Gap vertices = VertexGap(source, result, diagonal);
        EXPECT_LE(vertices.value, kTolerance) << what << ": " << vertices.where;
        const Gap nodes = NodeGap(source, result, diagonal);
        EXPECT_LE(nodes.value, kTolerance) << what << ": " << nodes.where;
        const Gap axes = NodeAxesGap(source, result);
        EXPECT_LE(axes.value, kAxesTolerance) << what << ": " << axes.where;
        EXPECT_EQ(MissingNodes(source.front(), result.front()), "") << what << ": nodes lost";
        const Gap views = ViewGap(source, result, diagonal);
        EXPECT_LE(views.value, kTolerance) << what << ": " << views.where;
        const std::vector<double> between = BetweenFrames(grid);
        if (!between.empty()) {
            const Gap loss = VertexGap(Source(between), Follow(between, at), diagonal);
            std::cout << "[ resampling ] " << what << ", between frames: " << loss.value << " of the diagonal\n";
        }
    }

    test::TempDir dir;
    tinygltf::Model before, afterGltf;
    std::unique_ptr<memhost::MemHost> afterHost;
    std::vector<double> grid;
};

TEST_P(GltfFidelity, ThroughTvxToGltf) {
    Compare("glTF → TVX → glTF", [&](double t) { return GltfWorldAt(afterGltf, t); });
}

TEST_P(GltfFidelity, ThroughTvxToHost) {
    Compare("glTF → TVX → host", [&](double t) { return InGltfAxes(HostWorldAt(*afterHost, t)); });
}

INSTANTIATE_TEST_SUITE_P(Models, GltfFidelity, testing::ValuesIn(SampleModels(TVX_GLTF_DATA)),
                         [](const testing::TestParamInfo<fs::path>& model) { return ModelTestName(model.param); });

}  // namespace
}  // namespace tvx::world
