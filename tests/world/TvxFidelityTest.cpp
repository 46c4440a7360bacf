// TVX files of every layout family through TVX → host → TVX → host: at every
// frame of the animation the second import shows what the first showed, in
// world space; and the first shows what the file itself poses (its own
// skeleton pose, skinned), so a fault the importer makes both times cannot
// hide behind a stable round trip.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "fileformat/container/LoadScene.h"
#include "fileformat/container/SaveSceneFile.h"
#include "geometry/SkeletonPose.h"
#include "tests/fileformat/legacy/LegacyTestSupport.h"
#include "tests/support/SampleScene.h"
#include "tests/support/TempDir.h"
#include "tests/world/HostWorld.h"
#include "tests/world/WorldCompare.h"
#include "tools/tvx/Commands.h"

namespace tvx::world {
namespace {

namespace fs = std::filesystem;

// Keys are stored as floats, and the importer turns each rotation key into
// Euler angles and back in single precision.
constexpr double kTolerance = 1e-5;

std::unique_ptr<memhost::MemHost> Import(const fs::path& file, const fs::path& json) {
    tool::ImportCommandOptions options;
    options.pluginFolder = TVX_PLUGIN_FOLDER;
    options.output = json;
    std::ostringstream out, err;
    EXPECT_EQ(tool::RunImport(file, options, out, err), 0) << err.str();
    std::string error;
    auto host = ReadHostSceneFile(json, error);
    EXPECT_NE(host, nullptr) << error;
    return host;
}

// The frames of the host's animation range, in seconds from `from`.
std::vector<double> Frames(const memhost::MemHost& host, double from) {
    const memhost::AnimationSettings& clock = host.animation();
    const int frames = (clock.range.End() - clock.range.Start()) / clock.ticksPerFrame;
    std::vector<double> out;
    for (int f = 0; f <= frames; ++f) {
        out.push_back(from + static_cast<double>(f) / clock.frameRate);
    }
    return out;
}

double RangeStart(const memhost::MemHost& host) {
    const memhost::AnimationSettings& clock = host.animation();
    return static_cast<double>(clock.range.Start()) / (clock.frameRate * clock.ticksPerFrame);
}

Timeline Follow(memhost::MemHost& host, const std::vector<double>& times) {
    Timeline out;
    for (const double t : times) {
        out.push_back(HostWorldAt(host, t));
    }
    return out;
}

// What the file poses at each time: its skeleton posed by the first
// animation, every vertex a polygon uses skinned by its weights.
Timeline FilePose(const fs::path& file, const std::vector<double>& times) {
    TVXScene scene;
    PoseTables pose;
    LoadOptions options;
    options.poseTables = &pose;
    NoProgress progress;
    EXPECT_EQ(LoadScene(scene, file, progress, options), 1);
    std::vector<bool> used(scene.vertices.size(), false);
    for (const TVXFaceList& list : scene.faceLists) {
        for (const TVXPolygon& polygon : list.polygons) {
            for (int c = 0; c < polygon.cornerCount(); ++c) {
                const int v = polygon.vertexIndices()[static_cast<std::size_t>(c)];
                if (v >= 0 && static_cast<std::size_t>(v) < used.size()) {
                    used[static_cast<std::size_t>(v)] = true;
                }
            }
        }
    }
    Timeline out;
    for (const double t : times) {
        ComputePose(scene, pose, static_cast<float>(t));
        WorldScene shown;
        shown.seconds = t;
        for (std::size_t v = 0; v < pose.posedVertices.size(); ++v) {
            if (used[v]) {
                const Vector3& p = pose.posedVertices[v].position;
                shown.vertices.push_back({static_cast<double>(p.x), static_cast<double>(p.y), static_cast<double>(p.z)});
            }
        }
        out.push_back(shown);
    }
    return out;
}

struct Family {
    std::string name;
    std::function<test::Bytes()> file;
};

// A two-bone arm in the record forms of `version`, animated over a second
// from frame 0: a turned, scaled root and a child that travels and turns,
// with a quad skinned across both.
test::Bytes PosedLegacyScene(int version) {
    using S = test::LegacySection;
    test::LegacyFileBuilder b(version);
    const auto bone = [&](const char* name, int parent, Vector3 p, Quaternion q, Vector3 scale) {
        b.String(name).Int(parent);
        if (b.fullRecords()) {
            b.Floats({1, 0, 0, 0, 1, 0, 0, 0, 1}).Floats({p.x, p.y, p.z}).Floats({scale.x, scale.y, scale.z});
            b.Floats({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}).Floats({q.x, q.y, q.z, q.w}).Floats({0, 0, 0});
        } else {
            b.Floats({p.x, p.y, p.z}).Floats({q.x, q.y, q.z, q.w});
            if (version >= 9) {
                b.Floats({scale.x, scale.y, scale.z});
            }
        }
        b.Floats({1, 1, 1, 1});
    };
    b.Begin(S::Vertices, 4).Vertex(0, 0, 0, {{0, 1}}).Vertex(1, 0, 0, {{0, 0.5f}, {1, 0.5f}});
    b.Vertex(1, 2, 0, {{1, 1}}).Vertex(0, 2, 0.5f, {{1, 0.75f}, {0, 0.25f}});
    b.Begin(S::FaceLists, 1).FaceList(0, {{{0, 1, 2, 3}, 0, 1, 0, 0, 0}});
    b.Begin(S::Bones, 2);
    bone("Root", -1, {0, 0, 1}, test::Turn({0, 0, 1}, 0.5f), {1.5f, 1.5f, 1.5f});
    bone("Tip", 0, {1, 2, 0}, test::Turn({1, 0, 0}, -0.4f), {1, 1, 1});
    b.Begin(S::Animations, 1).String("Wave").Int(0).Floats({0, 30, 30}).Int(2);
    for (int track = 0; track < 2; ++track) {
        const Quaternion turn = test::Turn({0, 1, 1}, 0.8f + static_cast<float>(track));
        b.Int(2).Floats({0, 0, 0, 0}).Floats({1, 0.5f, 0.25f * static_cast<float>(track), -1});
        b.Int(2).Floats({0, 0, 0, 0, 1}).Float(1).Floats({turn.x, turn.y, turn.z, turn.w});
        b.Int(2).Floats({0, 1, 1, 1}).Floats({1, 1, 1.25f, 0.75f});
    }
    return b.File();
}

// The sample scene written by the exporter's own writers, after `change`.
std::function<test::Bytes()> Written(bool legacy, std::function<void(TVXScene&)> change = [](TVXScene&) {}) {
    return [legacy, change] {
        test::TempDir dir;
        TVXExporterData data;
        test::FillSampleScene(data.scene);
        change(data.scene);
        data.options.exportLegacyLayout = legacy ? 1 : 0;
        EXPECT_EQ(SaveSceneFile(data, dir / "in.tvx"), 1);
        return test::ReadFile(dir / "in.tvx");
    };
}

std::vector<Family> Families() {
    std::vector<Family> out = {
        {"Written31", Written(false)},
        {"Written9", Written(true)},
        // Bones whose bind pose scales or mirrors what hangs below them.
        {"Written31Scaled", Written(false, [](TVXScene& scene) { scene.bones[1].transform.scale = {2, 2, 2}; })},
        {"Written31Mirrored", Written(false, [](TVXScene& scene) { scene.bones[0].transform.scale = {-1, -1, -1}; })},
    };
    for (const int version : test::kRichVersions) {
        out.push_back({"Legacy" + std::to_string(version), [version] { return PosedLegacyScene(version); }});
    }
    return out;
}

class TvxFidelity : public testing::TestWithParam<Family> {};

TEST_P(TvxFidelity, ImportShowsWhatTheFilePosesAndComesBackTheSame) {
    test::TempDir dir;
    test::WriteFile(dir / "in.tvx", GetParam().file());
    auto first = Import(dir / "in.tvx", dir / "first.json");
    ASSERT_NE(first, nullptr);
    tool::ExportCommandOptions options;
    options.pluginFolder = TVX_PLUGIN_FOLDER;
    options.noPrompt = true;
    std::ostringstream err;
    ASSERT_EQ(tool::RunExport(dir / "first.json", dir / "out.tvx", options, err), 0) << err.str();
    auto second = Import(dir / "out.tvx", dir / "second.json");
    ASSERT_NE(second, nullptr);

    // The export counts its frames from the range's start.
    const std::vector<double> times = Frames(*first, RangeStart(*first));
    const Timeline imported = Follow(*first, times);
    const double diagonal = Diagonal(imported);
    const Gap posed = VertexGap(FilePose(dir / "in.tvx", times), imported, diagonal);
    EXPECT_LE(posed.value, kTolerance) << "the file's own pose against the import: " << posed.where;

    Timeline again = Follow(*second, Frames(*first, 0.0));
    for (std::size_t i = 0; i < again.size(); ++i) {
        again[i].seconds = times[i];
    }
    for (const auto& gap : {VertexGap(imported, again, diagonal), NodeGap(imported, again, diagonal),
                            NodeAxesGap(imported, again), ViewGap(imported, again, diagonal)}) {
        EXPECT_LE(gap.value, kTolerance) << gap.where;
    }
    EXPECT_EQ(MissingNodes(imported.front(), again.front()), "");
}

INSTANTIATE_TEST_SUITE_P(Families, TvxFidelity, testing::ValuesIn(Families()),
                         [](const testing::TestParamInfo<Family>& family) { return family.param.name; });

}  // namespace
}  // namespace tvx::world
