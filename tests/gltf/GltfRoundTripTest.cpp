// Every sample model through the whole chain: glTF → host → tvxwrite → TVX
// → tvxread → host → glTF. The glTF written passes the validator and shows
// what the original shows, as a viewer shows it (skinned, in world space):
// - the same triangles and vertices at time 0;
// - the same skin weights on each vertex;
// - when animated, the same joint transforms and vertices at frame times;
// - the same base colour and texture on each triangle;
// - the same lights and cameras.
#include <gtest/gtest.h>

#include <tiny_gltf.h>

#include <cmath>
#include <set>
#include <sstream>

#include "tests/gltf/ShownScene.h"
#include "tests/gltf/Validator.h"
#include "tests/world/SampleModels.h"
#include "tests/world/ThroughTvx.h"
#include "tests/support/TempDir.h"

namespace tvx::gltf {
namespace {

namespace fs = std::filesystem;
using viewer::Influences;
using viewer::NameOf;
using viewer::Shown;

bool Any(const tinygltf::Model&) { return true; }
bool HasSkin(const tinygltf::Model& model) { return !model.skins.empty(); }
bool HasAnimation(const tinygltf::Model& model) { return !model.animations.empty(); }
bool HasView(const tinygltf::Model& model) { return !model.lights.empty() || !model.cameras.empty(); }

std::vector<fs::path> Models(bool (*keep)(const tinygltf::Model&)) { return world::SampleModels(TVX_GLTF_DATA, keep); }

std::string ModelName(const testing::TestParamInfo<fs::path>& model) { return world::ModelTestName(model.param); }

// The glTF beside a copy of the sample model, run through the chain, and both loaded.
class RoundTrip : public testing::TestWithParam<fs::path> {
protected:
    void SetUp() override {
        // The TVX file is written beside a copy of the model, where its
        // textures are looked up (a TVX file names them without folders).
        fs::copy(GetParam().parent_path(), dir.path(), fs::copy_options::recursive);
        original = dir / GetParam().filename().string();
        ASSERT_TRUE(world::ThroughTvx(original, dir / "scene.tvx", {back}));
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
    EXPECT_EQ(ValidateWithKhronos(back, report), 0) << report;
    EXPECT_EQ(afterAtZero.centroids.size(), beforeAtZero.centroids.size()) << "triangles";
    EXPECT_LE(viewer::Farthest(afterAtZero.positions, beforeAtZero.positions), tolerance) << "a vertex came back elsewhere";
    EXPECT_LE(viewer::Farthest(beforeAtZero.positions, afterAtZero.positions), tolerance) << "a vertex was lost";
}

double Distance(const Vec3d& a, const Vec3d& b) { return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z); }

std::string Text(const Vec3d& p) {
    std::ostringstream out;
    out << "(" << p.x << ", " << p.y << ", " << p.z << ")";
    return out.str();
}

std::size_t Nearest(const std::vector<Vec3d>& points, const Vec3d& p) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < points.size(); ++i) {
        best = Distance(points[i], p) < Distance(points[best], p) ? i : best;
    }
    return best;
}

// The points of `a` that no point of `b` within `tolerance` agrees with
// (agrees(i, j) for i of `a`, j of `b`): where points coincide, one
// agreeing is enough.
template <class Agrees>
std::vector<std::size_t> Unmatched(const std::vector<Vec3d>& a, const std::vector<Vec3d>& b, double tolerance,
                                   Agrees agrees) {
    std::vector<std::size_t> out;
    const double squared = tolerance * tolerance;
    for (std::size_t i = 0; i < a.size(); ++i) {
        bool found = false;
        for (std::size_t j = 0; j < b.size() && !found; ++j) {
            const double dx = a[i].x - b[j].x, dy = a[i].y - b[j].y, dz = a[i].z - b[j].z;
            found = dx * dx + dy * dy + dz * dz <= squared && agrees(i, j);
        }
        if (!found) {
            out.push_back(i);
        }
    }
    return out;
}

bool SameWeights(const Influences& a, const Influences& b) {
    Influences all = a;
    all.insert(b.begin(), b.end());
    return std::all_of(all.begin(), all.end(), [&](const auto& entry) {
        const auto weight = [&](const Influences& list) {
            const auto it = list.find(entry.first);
            return it == list.end() ? 0.0 : it->second;
        };
        return std::fabs(weight(a) - weight(b)) <= 1e-4;
    });
}

std::string Text(const Influences& influences) {
    std::ostringstream out;
    const char* separator = "";
    for (const auto& [joint, weight] : influences) {
        out << separator << joint << ": " << weight;
        separator = ", ";
    }
    return "{" + out.str() + "}";
}

class SkinnedSample : public RoundTrip {};

// Where the original shows an unskinned vertex, what binds it now is not asked.
TEST_P(SkinnedSample, KeepsSkinWeights) {
    const Shown& b = beforeAtZero;
    const Shown& a = afterAtZero;
    const auto lost = Unmatched(b.positions, a.positions, tolerance, [&](std::size_t i, std::size_t j) {
        return b.influences[i].empty() || SameWeights(b.influences[i], a.influences[j]);
    });
    if (!lost.empty()) {
        const std::size_t i = lost.front();
        ADD_FAILURE() << lost.size() << " of " << b.positions.size() << " vertices lost their weights; the one at "
                      << Text(b.positions[i]) << " had " << Text(b.influences[i]) << ", the nearest now has "
                      << Text(a.influences[Nearest(a.positions, b.positions[i])]);
    }
    const auto changed = Unmatched(a.positions, b.positions, tolerance, [&](std::size_t i, std::size_t j) {
        return b.influences[j].empty() || SameWeights(a.influences[i], b.influences[j]);
    });
    if (!changed.empty()) {
        const std::size_t i = changed.front();
        ADD_FAILURE() << changed.size() << " of " << a.positions.size() << " vertices came back weighted otherwise; the one at "
                      << Text(a.positions[i]) << " has " << Text(a.influences[i]) << ", the nearest had "
                      << Text(b.influences[Nearest(b.positions, a.positions[i])]);
    }
}

// The largest difference of the 3 x 3 parts, or of the translations over `size`.
double MatrixGap(const Mat4& a, const Mat4& b, double size) {
    double gap = 0.0;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) {
            gap = std::max(gap, std::fabs(a.at(r, c) - b.at(r, c)) / (c == 3 ? size : 1.0));
        }
    }
    return gap;
}

class AnimatedSample : public RoundTrip {};

TEST_P(AnimatedSample, KeepsPoseAtFrameTimes) {
    ASSERT_EQ(after.animations.size(), 1u);
    std::set<std::string> joints;  // of both models' skins
    for (const tinygltf::Model* model : {&before, &after}) {
        for (const tinygltf::Skin& skin : model->skins) {
            for (const int joint : skin.joints) {
                joints.insert(NameOf(*model, static_cast<std::size_t>(joint)));
            }
        }
    }
    for (const double t : viewer::FrameTimes(before)) {
        SCOPED_TRACE("at " + std::to_string(t) + " s");
        const std::map<std::string, Mat4> worldBefore = viewer::WorldsByName(before, t);
        const std::map<std::string, Mat4> worldAfter = viewer::WorldsByName(after, t);
        for (const std::string& joint : joints) {
            if (worldBefore.count(joint) == 0 || worldAfter.count(joint) == 0) {
                ADD_FAILURE() << "joint " << joint << " is in one model only";
                continue;
            }
            EXPECT_LE(MatrixGap(worldAfter.at(joint), worldBefore.at(joint), size), 1e-4) << "joint " << joint;
        }
        const Shown shownBefore = viewer::ShownAt(before, t);
        const Shown shownAfter = viewer::ShownAt(after, t);
        EXPECT_LE(viewer::Farthest(shownAfter.positions, shownBefore.positions), tolerance) << "a vertex came back elsewhere";
        EXPECT_LE(viewer::Farthest(shownBefore.positions, shownAfter.positions), tolerance) << "a vertex was lost";
    }
}

// A base colour and the image of the base colour texture.
struct Look {
    std::array<double, 4> colour{1, 1, 1, 1};
    bool textured = false;
    bool missing = false;  // the image names a file that is not there
    std::vector<unsigned char> bytes;
    std::string file;  // the file the image's URI names, without folders
};

std::string PercentDecoded(const std::string& uri) {
    std::string out;
    for (std::size_t i = 0; i < uri.size(); ++i) {
        const bool escape = uri[i] == '%' && i + 2 < uri.size() && std::isxdigit(static_cast<unsigned char>(uri[i + 1])) &&
                            std::isxdigit(static_cast<unsigned char>(uri[i + 2]));
        out.push_back(escape ? static_cast<char>(std::stoi(uri.substr(i + 1, 2), nullptr, 16)) : uri[i]);
        i += escape ? 2 : 0;
    }
    return out;
}

// Each material's look, after the default material's: material m is at m + 1.
std::vector<Look> Looks(const tinygltf::Model& model, const fs::path& folder) {
    std::vector<Look> out(1);
    for (const tinygltf::Material& material : model.materials) {
        Look look;
        const auto& pbr = material.pbrMetallicRoughness;
        std::copy_n(pbr.baseColorFactor.begin(), std::min<std::size_t>(4, pbr.baseColorFactor.size()), look.colour.begin());
        if (pbr.baseColorTexture.index >= 0) {
            const tinygltf::Texture& texture = model.textures.at(static_cast<std::size_t>(pbr.baseColorTexture.index));
            const tinygltf::Image& image = model.images.at(static_cast<std::size_t>(texture.source));
            look.textured = true;
            look.bytes = image.image;
            if (!image.uri.empty() && image.uri.rfind("data:", 0) != 0) {
                const std::string path = PercentDecoded(image.uri);
                look.file = fs::path(path).filename().string();
                look.missing = !fs::is_regular_file(folder / path);
            }
        }
        out.push_back(look);
    }
    return out;
}

const Look& LookOf(const std::vector<Look>& looks, int material) { return looks.at(static_cast<std::size_t>(material + 1)); }

// Whether `back` shows what `original` does: its colour and, unless the
// original's image file is missing, its image (by bytes and file name).
bool SameLook(const Look& original, const Look& back) {
    for (std::size_t i = 0; i < 4; ++i) {
        if (std::fabs(original.colour[i] - back.colour[i]) > 1e-4) {
            return false;
        }
    }
    return original.missing || (original.textured == back.textured && original.bytes == back.bytes &&
                                (original.file.empty() || original.file == back.file));
}

std::string Text(const Look& look) {
    std::ostringstream out;
    out << "colour (" << look.colour[0] << ", " << look.colour[1] << ", " << look.colour[2] << ", " << look.colour[3]
        << "), ";
    if (look.textured) {
        out << "image \"" << look.file << "\" of " << look.bytes.size() << " bytes" << (look.missing ? " (missing)" : "");
    } else {
        out << "no texture";
    }
    return out.str();
}

TEST_P(SampleRoundTrip, KeepsBaseColoursAndTextures) {
    const std::vector<Look> looksBefore = Looks(before, original.parent_path());
    const std::vector<Look> looksAfter = Looks(after, dir.path());
    const Shown& b = beforeAtZero;
    const Shown& a = afterAtZero;
    // A triangle without a material must come back in glTF's default white.
    const auto same = [&](int materialBefore, int materialAfter) {
        return SameLook(LookOf(looksBefore, materialBefore), LookOf(looksAfter, materialAfter));
    };
    const auto lost = Unmatched(b.centroids, a.centroids, tolerance,
                                [&](std::size_t i, std::size_t j) { return same(b.materials[i], a.materials[j]); });
    if (!lost.empty()) {
        const std::size_t i = lost.front();
        ADD_FAILURE() << lost.size() << " of " << b.centroids.size() << " triangles lost their look; the one at "
                      << Text(b.centroids[i]) << " had " << Text(LookOf(looksBefore, b.materials[i]))
                      << ", the nearest now has "
                      << Text(LookOf(looksAfter, a.materials[Nearest(a.centroids, b.centroids[i])]));
    }
    const auto changed = Unmatched(a.centroids, b.centroids, tolerance,
                                   [&](std::size_t i, std::size_t j) { return same(b.materials[j], a.materials[i]); });
    if (!changed.empty()) {
        const std::size_t i = changed.front();
        ADD_FAILURE() << changed.size() << " of " << a.centroids.size()
                      << " triangles came back looking otherwise; the one at " << Text(a.centroids[i]) << " has "
                      << Text(LookOf(looksAfter, a.materials[i])) << ", the nearest had "
                      << Text(LookOf(looksBefore, b.materials[Nearest(b.centroids, a.centroids[i])]));
    }
}

Vec3d Unit(const Vec3d& v) {
    const double length = std::hypot(v.x, v.y, v.z);
    return length > 0.0 ? Vec3d{v.x / length, v.y / length, v.z / length} : v;
}

// A light or perspective camera as a viewer sees it.
struct View {
    std::string kind;  // the light's type, or "camera"
    std::vector<std::pair<std::string, double>> values;
    Vec3d position, forward, up;  // in the world; forward is the local -Z, up the local +Y
};

std::map<std::string, View> Views(const tinygltf::Model& model) {
    const std::vector<Mat4> world = viewer::WorldsAt(model, 0.0);
    std::map<std::string, View> out;
    for (std::size_t i = 0; i < model.nodes.size(); ++i) {
        const tinygltf::Node& node = model.nodes[i];
        const auto light = node.extensions.find("KHR_lights_punctual");
        View view;
        if (light != node.extensions.end()) {
            const tinygltf::Light& l = model.lights.at(static_cast<std::size_t>(light->second.Get("light").GetNumberAsInt()));
            const std::vector<double> colour = l.color.size() == 3 ? l.color : std::vector<double>{1, 1, 1};
            view.kind = l.type;
            view.values = {{"red", colour[0]}, {"green", colour[1]}, {"blue", colour[2]},
                           {"intensity", l.intensity}, {"range", l.range}};
            if (l.type == "spot") {
                view.values.insert(view.values.end(), {{"inner cone", l.spot.innerConeAngle}, {"outer cone", l.spot.outerConeAngle}});
            }
        } else if (node.camera >= 0 && model.cameras.at(static_cast<std::size_t>(node.camera)).type == "perspective") {
            const tinygltf::PerspectiveCamera& p = model.cameras[static_cast<std::size_t>(node.camera)].perspective;
            const double aspect = p.aspectRatio > 0.0 ? p.aspectRatio : 1.0;
            view.kind = "camera";
            view.values = {{"horizontal field of view", 2.0 * std::atan(std::tan(p.yfov / 2.0) * aspect)},
                           {"znear", p.znear}, {"zfar", p.zfar}};
        } else {
            continue;  // orthographic cameras are left out by design
        }
        view.position = TransformPoint(world[i], {});
        view.forward = Unit(TransformDirection(world[i], {0, 0, -1}));
        view.up = Unit(TransformDirection(world[i], {0, 1, 0}));
        out[NameOf(model, i)] = view;
    }
    return out;
}

std::set<std::string> Names(const std::map<std::string, View>& views) {
    std::set<std::string> names;
    for (const auto& entry : views) {
        names.insert(entry.first);
    }
    return names;
}

class ViewSample : public RoundTrip {};

TEST_P(ViewSample, KeepsLightsAndCameras) {
    const std::map<std::string, View> viewsBefore = Views(before);
    const std::map<std::string, View> viewsAfter = Views(after);
    EXPECT_EQ(Names(viewsAfter), Names(viewsBefore));
    for (const auto& [name, view] : viewsBefore) {
        SCOPED_TRACE(name);
        const auto found = viewsAfter.find(name);
        if (found == viewsAfter.end()) {
            continue;  // the names are compared above
        }
        const View& now = found->second;
        EXPECT_EQ(now.kind, view.kind);
        ASSERT_EQ(now.values.size(), view.values.size());
        for (std::size_t k = 0; k < view.values.size(); ++k) {
            EXPECT_NEAR(now.values[k].second, view.values[k].second, 1e-4) << view.values[k].first;
        }
        EXPECT_LE(Distance(now.position, view.position), tolerance)
            << "position " << Text(now.position) << ", was " << Text(view.position);
        EXPECT_LE(Distance(now.forward, view.forward), 1e-4) << "-Z " << Text(now.forward) << ", was " << Text(view.forward);
        EXPECT_LE(Distance(now.up, view.up), 1e-4) << "+Y " << Text(now.up) << ", was " << Text(view.up);
    }
}

INSTANTIATE_TEST_SUITE_P(Gltf, SampleRoundTrip, testing::ValuesIn(Models(Any)), ModelName);
INSTANTIATE_TEST_SUITE_P(Gltf, SkinnedSample, testing::ValuesIn(Models(HasSkin)), ModelName);
INSTANTIATE_TEST_SUITE_P(Gltf, AnimatedSample, testing::ValuesIn(Models(HasAnimation)), ModelName);
INSTANTIATE_TEST_SUITE_P(Gltf, ViewSample, testing::ValuesIn(Models(HasView)), ModelName);

}  // namespace
}  // namespace tvx::gltf
