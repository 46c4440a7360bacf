// Small hostile files through the real tvx command, in a process of its own:
// each is refused with one clear line, and the process never grows far past
// what the file holds. Time is printed, not asserted.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/HostileFiles.h"
#include "tests/support/HostileTexts.h"
#include "tests/support/TempDir.h"

extern char** environ;

namespace tvx {
namespace {

struct ChildRun {
    int exitCode = -1;
    long peakKiB = 0;
    double seconds = 0;
    std::string err;
};

ChildRun RunTvx(const std::vector<std::string>& args, const std::filesystem::path& errFile) {
    std::vector<std::string> argv{TVX_TOOL_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<char*> pointers;
    for (std::string& arg : argv) {
        pointers.push_back(arg.data());
    }
    pointers.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);

    ChildRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return run;
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) {
        return run;
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    run.peakKiB = usage.ru_maxrss;
    std::ifstream text(errFile);
    std::getline(text, run.err, '\0');
    return run;
}

constexpr long kMiB = 1024;  // in KiB, as ru_maxrss counts

struct HostileFile {
    const char* name;
    test::Bytes (*make)();
    const char* reason;
    long peakLimitKiB;
};

const HostileFile kFiles[] = {
    {"nested.tvx", [] { return test::NestedCompressionBomb(64u << 20); }, "inflates past", 100 * kMiB},
    {"groups.tvx", [] { return test::FloodOfEmptyGroups(200000); }, "more scene memory", 256 * kMiB},
    {"cubes.tvx", [] { return test::FloodOfCubeMaps(100000); }, "more scene memory", 256 * kMiB},
    {"layered.tvx", [] { return test::FloodOfLayeredEntries(200000); }, "more scene memory", 256 * kMiB},
};

// glTF and host-scene files for `tvx export`: repeated meshes, sampled
// keys, tinygltf's structs and nesting, each refused before it is built.
struct HostileTexts {
    const char* name;
    std::string (*make)();
    const char* reason;
};

const HostileTexts kGltfFiles[] = {
    {"instances.gltf", [] { return test::GltfOfInstances(55000); }, "55000 meshes"},
    {"channels.gltf", [] { return test::GltfOfChannels(2000, 3600.0f); }, "sampling 2000 animation channels"},
    {"materials.gltf", [] { return test::GltfOfEmptyMaterials(300000); }, "more than its size allows"},
    {"nested.gltf", [] { return test::GltfOfNestedExtras(100000); }, "nested deeper than 64"},
    {"placed.json", [] { return test::HostSceneOfInstances(20000, 3000); }, "20000 nodes placing meshes"},
};

// A child process's peak includes its parent's at the moment it was
// started, so the files are built in a process of their own and this one
// stays small.
void WriteFilesApart(const test::TempDir& dir) {
    const pid_t pid = fork();
    if (pid == 0) {
        for (const HostileFile& f : kFiles) {
            const test::Bytes file = f.make();
            if (file.size() > (1u << 20)) {
                _exit(1);
            }
            test::WriteFile(dir / f.name, file);
        }
        for (const HostileTexts& f : kGltfFiles) {
            const std::string text = f.make();
            if (text.size() > (1u << 20)) {
                _exit(1);
            }
            std::ofstream(dir / f.name, std::ios::binary) << text;
        }
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a file is missing or larger than 1 MB";
}

TEST(HostileFiles, AreRefusedClearlyWithinBoundedMemory) {
    test::TempDir dir;
    WriteFilesApart(dir);
    for (const HostileFile& f : kFiles) {
        for (const std::string verb : {"info", "convert", "import"}) {
            std::vector<std::string> args{verb, (dir / f.name).string()};
            if (verb == "convert") {
                args.push_back((dir / "out.tvx").string());
            } else if (verb == "import") {
                args.insert(args.end(), {"-o", (dir / "out.json").string(), "--plugins", TVX_PLUGIN_FOLDER});
            }
            const ChildRun run = RunTvx(args, dir / "err.txt");
            std::cout << verb << ' ' << f.name << ": exit " << run.exitCode << ", " << run.peakKiB / kMiB << " MiB, "
                      << run.seconds << " s\n";
            EXPECT_EQ(run.exitCode, 1) << verb << ' ' << f.name;
            EXPECT_LE(run.peakKiB, f.peakLimitKiB) << verb << ' ' << f.name;
            if (verb == "import") {
                // The importer shows the host's own message, without the reason.
                EXPECT_NE(run.err.find("error importing"), std::string::npos) << run.err;
            } else {
                EXPECT_NE(run.err.find(f.reason), std::string::npos) << run.err;
                EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
            }
        }
    }
}

std::vector<std::string> ExportArgs(const test::TempDir& dir, const char* name) {
    return {"export", (dir / name).string(), "-o", (dir / "out.tvx").string(), "--no-prompt",
            "--plugins", TVX_PLUGIN_FOLDER};
}

TEST(HostileFiles, ScenesToExportAreRefusedBeforeTheyAreBuilt) {
    test::TempDir dir;
    WriteFilesApart(dir);
    for (const HostileTexts& f : kGltfFiles) {
        const ChildRun run = RunTvx(ExportArgs(dir, f.name), dir / "err.txt");
        std::cout << "export " << f.name << ": exit " << run.exitCode << ", " << run.peakKiB / kMiB << " MiB, "
                  << run.seconds << " s\n";
        EXPECT_EQ(run.exitCode, 1) << f.name;
        EXPECT_LE(run.peakKiB, 256 * kMiB) << f.name;
        EXPECT_NE(run.err.find(f.reason), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        EXPECT_FALSE(std::filesystem::exists(dir / "out.tvx"));
    }
}

TEST(HostileFiles, TheSceneCeilingIsTheUsers) {
    test::TempDir dir;
    std::ofstream(dir / "placed.gltf", std::ios::binary) << test::GltfOfInstances(500);
    std::vector<std::string> args = ExportArgs(dir, "placed.gltf");
    EXPECT_EQ(RunTvx(args, dir / "err.txt").exitCode, 0);
    args.insert(args.end(), {"--max-scene-mib", "1"});
    const ChildRun run = RunTvx(args, dir / "err.txt");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("--max-scene-mib raises the limit"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace tvx
