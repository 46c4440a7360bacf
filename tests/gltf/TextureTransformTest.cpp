// A bitmap's UV generator against KHR_texture_transform: both ways must
// sample the same point of the image, and the whole chain must bring the
// transforms of the sample model back as they were.
#include <gtest/gtest.h>

#include <tiny_gltf.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "gltf/TextureTransform.h"
#include "tests/gltf/ShownScene.h"
#include "tests/support/TempDir.h"
#include "tools/tvx/Commands.h"

namespace tvx::gltf {
namespace {

namespace fs = std::filesystem;

struct Uv {
    double u, v;
};

// offset + R(angle) * scale * uv, the rotation in the orientation given.
Uv Sample(const UvTransform& t, Uv uv, double turn) {
    const double su = t.uScale * uv.u, sv = t.vScale * uv.v;
    const double c = std::cos(t.angle), s = turn * std::sin(t.angle);
    return {t.uOffset + c * su - s * sv, t.vOffset + s * su + c * sv};
}

TEST(TextureTransform, BothWaysSampleTheSamePointOfTheImage) {
    const UvTransform cases[] = {{}, {0.5, 0, 1, 1, 0}, {0, 0.5, 1, 1, 0}, {0, 0, 1.5, 0.5, 0}, {0, 0, 1, 1, 0.39},
                                 {-0.2, -0.1, 1.5, 2.5, 0.3}, {0.25, 0.75, -1, 3, -2.0}};
    for (const UvTransform& host : cases) {
        const UvTransform gltf = GltfFromHost(host);
        for (const Uv uv : {Uv{0, 0}, Uv{1, 0}, Uv{0.3, 0.8}, Uv{-2, 5}}) {
            // The host's v runs up the image, glTF's down: v' = 1 - v, and
            // glTF turns counter-clockwise on the image.
            const Uv hostPoint = Sample(host, uv, 1.0);
            const Uv gltfPoint = Sample(gltf, {uv.u, 1.0 - uv.v}, -1.0);
            EXPECT_NEAR(gltfPoint.u, hostPoint.u, 1e-12);
            EXPECT_NEAR(gltfPoint.v, 1.0 - hostPoint.v, 1e-12);
        }
        const UvTransform back = HostFromGltf(gltf);
        EXPECT_NEAR(back.uOffset, host.uOffset, 1e-12);
        EXPECT_NEAR(back.vOffset, host.vOffset, 1e-12);
    }
}

std::map<std::string, std::vector<double>> Transforms(const fs::path& file) {
    tinygltf::Model model;
    std::string error;
    EXPECT_TRUE(viewer::Parse(file, model, error)) << error;
    std::map<std::string, std::vector<double>> out;
    for (const tinygltf::Material& m : model.materials) {
        const auto& ext = m.pbrMetallicRoughness.baseColorTexture.extensions;
        const auto it = ext.find("KHR_texture_transform");
        std::vector<double> t = {0, 0, 1, 1, 0};  // offset, scale, rotation
        if (it != ext.end()) {
            const tinygltf::Value& v = it->second;
            for (const auto& [key, first] : {std::pair{"offset", 0}, std::pair{"scale", 2}}) {
                if (v.Has(key)) {
                    t[static_cast<std::size_t>(first)] = v.Get(key).Get(0).GetNumberAsDouble();
                    t[static_cast<std::size_t>(first) + 1] = v.Get(key).Get(1).GetNumberAsDouble();
                }
            }
            if (v.Has("rotation")) {
                t[4] = v.Get("rotation").GetNumberAsDouble();
            }
        }
        out[viewer::SafeName(m.name)] = t;
    }
    return out;
}

TEST(TextureTransform, TheSampleModelComesBackWithItsTransforms) {
    const fs::path model = fs::path(TVX_GLTF_DATA) / "TextureTransformTest/glTF";
    test::TempDir dir;
    fs::copy(model, dir.path(), fs::copy_options::recursive);
    std::ostringstream out, err;
    tool::ExportCommandOptions exportOptions;
    exportOptions.pluginFolder = TVX_PLUGIN_FOLDER;
    exportOptions.noPrompt = true;
    ASSERT_EQ(tool::RunExport(dir / "TextureTransformTest.gltf", dir / "scene.tvx", exportOptions, err), 0) << err.str();
    tool::ImportCommandOptions importOptions;
    importOptions.pluginFolder = TVX_PLUGIN_FOLDER;
    importOptions.output = dir / "back.gltf";
    ASSERT_EQ(tool::RunImport(dir / "scene.tvx", importOptions, out, err), 0) << err.str();

    const auto before = Transforms(dir / "TextureTransformTest.gltf");
    const auto after = Transforms(dir / "back.gltf");
    for (const auto& [name, transform] : before) {
        const auto it = after.find(name);
        ASSERT_NE(it, after.end()) << name;
        for (std::size_t i = 0; i < transform.size(); ++i) {
            EXPECT_NEAR(it->second[i], transform[i], 1e-5) << name << " value " << i;
        }
    }
}

}  // namespace
}  // namespace tvx::gltf
