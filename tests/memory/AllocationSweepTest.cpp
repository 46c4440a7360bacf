// Memory running out anywhere on the way through the plug-ins. Each path is
// run once cleanly, counting its allocations, and then once for every n with
// allocation n failing (all of them: the whole sweep takes seconds). Every
// run must end either in a failure that is reported as one, leaving nothing
// behind, or in exactly the clean run's result; nothing may escape. The
// importer and the exporter are driven through DoImport and DoExport, the
// entries the host calls.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <new>
#include <sstream>
#include <string>

#include "exporter/TVXExporter.h"
#include "fileformat/container/LoadScene.h"
#include "geometry/PoseTables.h"
#include "gltf/GltfRead.h"
#include "gltf/GltfWrite.h"
#include "importer/TVXImporter.h"
#include "memhost/HostSceneJson.h"
#include "memhost/HostSceneRead.h"
#include "memhost/MemHost.h"
#include "tests/fileformat/legacy/LegacyTestSupport.h"
#include "tests/support/AllocationLimit.h"
#include "tests/support/TempDir.h"
#include "tests/fileformat/v34/Version34Records.h"

namespace tvx::test {
namespace {

// One way through the code. `prepare` runs before each attempt with memory
// to spare, `attempt` under the limit, and after it `succeeded` (whether
// the attempt reported success) and `product` (what it left behind, "" for
// nothing).
struct Path {
    std::function<void()> prepare;
    std::function<void()> attempt;
    std::function<bool()> succeeded;
    std::function<std::string()> product;
    // tinygltf and the JSON library inside it do not survive a failed
    // allocation (see SmallGltfFile); a path through it fails only the
    // allocations of this project's code.
    bool throughTinygltf = false;
};

void Sweep(const std::string& what, const Path& path) {
    path.prepare();
    long clean = 0;
    {
        AllocationLimit counting;
        path.attempt();
        clean = counting.requests();
    }
    ASSERT_TRUE(path.succeeded()) << what;
    const std::string expected = path.product();
    ASSERT_FALSE(expected.empty()) << what;
    for (long n = 0; n < clean; ++n) {
        path.prepare();
        bool failed = false;
        {
            AllocationLimit limit(std::numeric_limits<std::size_t>::max(), n, true);
            if (path.throughTinygltf) {
                limit.SpareLibrary("libtinygltf");
            }
            path.attempt();
            failed = limit.anyFailed();
        }
        const std::string left = path.product();
        if (path.succeeded()) {
            EXPECT_EQ(left, expected) << what << (failed ? ": a success after allocation " : ": allocation ") << n;
        } else {
            EXPECT_TRUE(left.empty() || left == expected) << what << ": half built after allocation " << n;
        }
    }
}

// What a scene file holds, as far as telling a whole file from a part goes.
std::string FileDigest(const std::filesystem::path& file) {
    if (!std::filesystem::exists(file)) {
        return "";
    }
    TVXScene scene;
    NoProgress progress;
    const int status = LoadScene(scene, file, progress, LoadOptions::AsStored());
    std::size_t polygons = 0;
    for (const TVXFaceList& list : scene.faceLists) {
        polygons += list.polygons.size();
    }
    std::ostringstream digest;
    digest << "status " << status << " version " << scene.version << " vertices " << scene.vertices.size()
           << " polygons " << polygons << " materials " << scene.materials.size() << " bones " << scene.bones.size()
           << " animations " << scene.animations.size() << " lights " << scene.lights.size() << " cameras "
           << scene.cameras.size();
    return digest.str();
}

std::vector<std::string> Messages(const memhost::MemHost& host) {
    std::vector<std::string> texts;
    for (const memhost::MessageBoxEvent* box : host.session().All<memhost::MessageBoxEvent>()) {
        texts.push_back(box->caption + ": " + box->text);
    }
    return texts;
}

// Whatever an attempt allocates itself (names, options) is made beforehand,
// so that every allocation under the limit is the code's under test.
class AllocationSweep : public testing::Test {
protected:
    std::filesystem::path WriteScene(const char* name, const Bytes& bytes) {
        const std::filesystem::path file = dir / name;
        WriteFile(file, bytes);
        return file;
    }

    // The document as the importer loads and prepares it.
    Path Load(const std::filesystem::path& file) {
        auto scene = std::make_shared<TVXScene>();
        auto poses = std::make_shared<PoseTables>();
        auto status = std::make_shared<int>(0);
        return {[scene, poses] {
                    *scene = TVXScene{};
                    *poses = PoseTables{};
                },
                [scene, poses, status, file] {
                    NoProgress progress;
                    LoadOptions options;
                    options.poseTables = poses.get();
                    *status = LoadScene(*scene, file, progress, options);
                },
                [status] { return *status == kLoadOk; },
                [scene] {
                    return scene->vertices.empty() && scene->bones.empty()
                               ? std::string()
                               : std::to_string(scene->vertices.size()) + " " + std::to_string(scene->bones.size());
                }};
    }

    // DoImport into a fresh host; what it left is the scene, if any node
    // joined it.
    Path Import(const std::filesystem::path& file) {
        auto name = std::make_shared<std::u16string>(file.u16string());
        return {[this] { host = std::make_unique<memhost::MemHost>(); },
                [this, name] {
                    importer::TVXImporter importer;
                    result = importer.DoImport(name->c_str(), host.get(), host.get(), hostapi::TRUE);
                },
                [this] { return result == 1 && Messages(*host).empty(); },
                [this] {
                    for (const auto& node : host->nodes()) {
                        if (node->inScene()) {
                            return memhost::HostSceneText(*host);
                        }
                    }
                    return std::string();
                }};
    }

    // DoExport of a host scene to a file that does not exist yet.
    Path Export(std::string hostScene) {
        auto target = std::make_shared<std::string>((exportDir / "out.tvx").string());
        return {[this, hostScene, target] {
                    std::filesystem::remove(*target);
                    std::string error;
                    host = memhost::ReadHostScene(hostScene, error);
                    ASSERT_NE(host, nullptr) << error;
                    host->platform().SetTempFolder(exportDir.path().string());
                },
                [this, target] {
                    result = exporter.DoExport(target->c_str(), host->exportInterface(), host.get(), hostapi::TRUE, 0);
                },
                [this] {
                    return result == 1 &&
                           Messages(*host) == std::vector<std::string>{"Success: The file was successfully exported."};
                },
                [this, target] {
                    EXPECT_TRUE(exporter.data.scene.vertices.empty() && exporter.data.scene.bones.empty());
                    EXPECT_EQ(exportDir.List().size(), std::filesystem::exists(*target) ? 1u : 0u)
                        << "a temporary file stayed: " << testing::PrintToString(exportDir.List());
                    return FileDigest(*target);
                }};
    }

    // A host scene read from its text, as tvx export does.
    Path ReadHost(std::string text) {
        return {[this] { host.reset(); },
                [this, text] {
                    std::string error;
                    host = memhost::ReadHostScene(text, error);
                },
                [this] { return host != nullptr; },
                [this] { return host ? memhost::HostSceneText(*host) : std::string(); }};
    }

    // The host as glTF, as tvx import -o scene.glb does; the tool stops what
    // this lets through.
    Path WriteGltf() {
        auto target = std::make_shared<std::filesystem::path>(dir / "out.glb");
        auto written = std::make_shared<bool>(false);
        return {[target] { std::filesystem::remove(*target); },
                [this, target, written] {
                    gltf::WriteSummary summary;
                    std::string error;
                    try {
                        *written = gltf::WriteGltf(*host, *target, {}, summary, error);
                    } catch (const std::bad_alloc&) {
                        *written = false;
                    }
                },
                [written] { return *written; },
                [target] {
                    return std::filesystem::exists(*target) ? std::to_string(std::filesystem::file_size(*target))
                                                            : std::string();
                },
                true};
    }

    // The host scene a clean import of the file builds; the import's host
    // stays for the paths that start from it.
    std::string Imported(const std::filesystem::path& file) {
        const Path import = Import(file);
        import.prepare();
        import.attempt();
        EXPECT_TRUE(import.succeeded());
        return memhost::HostSceneText(*host);
    }

    TempDir dir;
    TempDir exportDir;  // the target and the exporter's temporary files alone
    std::unique_ptr<memhost::MemHost> host;
    int result = 0;
    exporter::TVXExporter exporter;
};

// Version 31, with a bit of every section and every kind of map, skinned
// bones and an animation; the host it builds is exported again and written
// as glTF.
TEST_F(AllocationSweep, RichVersion31File) {
    const std::filesystem::path file = WriteScene("rich31.tvx", RichScene(31).File());
    Sweep("load", Load(file));
    Sweep("import", Import(file));
    const std::string built = Imported(file);
    Sweep("glTF write", WriteGltf());
    Sweep("export", Export(built));
}

TEST_F(AllocationSweep, RichVersion34File) {
    const std::filesystem::path file = WriteScene("rich34.tvx", RichFile());
    Sweep("load", Load(file));
    Sweep("import", Import(file));
    Sweep("export", Export(Imported(file)));
}

TEST_F(AllocationSweep, SmallHostScene) {
    const std::string scene = R"({"format": "tvx-host-scene", "version": 1, "scene": {
      "nodes": [{"id": 0, "name": "Tri", "object": 0, "material": 0}, {"id": 1, "name": "Lamp", "object": 1}],
      "objects": [{"id": 0, "kind": "mesh", "vertices": [[0, 0, 0], [1, 0, 0], [0, 0, 1]], "faces": [[0, 1, 2]]},
                  {"id": 1, "kind": "light", "type": 0}],
      "materials": [{"id": 0, "kind": "standard", "name": "Red", "diffuse": [1, 0, 0]}]}})";
    Sweep("read", ReadHost(scene));
    Sweep("export", Export(scene));
}

// A binary glTF file with its image inside, read into a host scene that is
// exported and written as glTF again. The reading itself is not swept: it
// builds its host scene with nlohmann::json, which (as of 3.11.2) does not
// survive a failed allocation at all (a value takes its new type before its
// storage is allocated, and destructors allocate), so a failure there ends
// the process whatever this project's code does. The tool keeps a reserve
// for such steps (tools/tvx/MemoryReserve.h).
TEST_F(AllocationSweep, SmallGltfFile) {
    const std::filesystem::path file =
        std::filesystem::path(TVX_GLTF_DATA) / "BoxTextured" / "glTF-Binary" / "BoxTextured.glb";
    gltf::ReadSummary summary;
    std::string error;
    const auto read = gltf::ReadGltfAsHostScene(file, {0, dir.path()}, summary, error);
    ASSERT_TRUE(read.has_value()) << error;
    const std::string scene = read->scene.dump();
    Sweep("export", Export(scene));
    host = memhost::ReadHostScene(scene, error);
    ASSERT_NE(host, nullptr) << error;
    Sweep("glTF write", WriteGltf());
}

}  // namespace
}  // namespace tvx::test
