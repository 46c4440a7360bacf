// What the writers, the importer and the exporter make of a fixed set of
// files, pinned by digest. Redesigns of the records and the plug-ins must
// leave every byte where it was; a change that means to move one updates
// the table below from the failure's output, in the same commit, and says
// why.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "fileformat/legacy/ExporterData.h"
#include "fileformat/legacy/LayoutWriters.h"
#include "fileformat/container/LoadProgress.h"
#include "fileformat/container/LoadScene.h"
#include "tests/fileformat/legacy/LegacyTestSupport.h"
#include "tests/support/MemoryOutputFile.h"
#include "tests/support/TempDir.h"
#include "tests/fileformat/v34/Version34Records.h"
#include "tools/tvx/Commands.h"

namespace tvx {
namespace {

std::uint64_t Fnv1a(const std::vector<std::uint8_t>& bytes) {
    std::uint64_t h = 0xcbf29ce484222325u;
    for (const std::uint8_t b : bytes) {
        h = (h ^ b) * 0x100000001b3u;
    }
    return h;
}

// The save time every writer stamps into the file, masked.
void MaskNote(std::vector<std::uint8_t>& bytes, const std::string& note) {
    if (note.empty()) {
        return;
    }
    const auto at = std::search(bytes.begin(), bytes.end(), note.begin(), note.end());
    ASSERT_NE(at, bytes.end());
    std::fill(at, at + static_cast<std::ptrdiff_t>(note.size()), std::uint8_t{'#'});
}

template <std::size_t Words, class Write>
std::uint64_t WrittenDigest(const std::filesystem::path& file, Write write) {
    TVXExporterData data;
    NoProgress progress;
    EXPECT_EQ(LoadScene(data.scene, file, progress, LoadOptions::AsStored()), kLoadOk) << file;
    test::MemoryOutputFile out;
    std::array<std::uint32_t, Words> header{};
    EXPECT_EQ(write(data, out, std::span<std::uint32_t, Words>(header)), 1);
    std::vector<std::uint8_t> bytes = out.bytes();
    MaskNote(bytes, data.creatorNote);
    return Fnv1a(bytes);
}

std::uint64_t Version31Digest(const std::filesystem::path& file) {
    return WrittenDigest<kVersion31HeaderWords>(file, [](auto& d, auto& o, auto h) { return WriteVersion31(d, o, h); });
}

std::uint64_t Version9Digest(const std::filesystem::path& file) {
    return WrittenDigest<kVersion9HeaderWords>(file,
                                               [](auto& d, auto& o, auto h) { return WriteVersion9File(d, o, h); });
}

std::vector<std::uint8_t> Contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A host scene names the folder it was read from: masked, so that the
// digest is the same wherever the test runs.
std::vector<std::uint8_t> WithoutFolder(std::vector<std::uint8_t> text, const std::string& folder) {
    const std::vector<std::uint8_t> mark = {'<', 'd', 'i', 'r', '>'};
    for (auto at = std::search(text.begin(), text.end(), folder.begin(), folder.end()); at != text.end();
         at = std::search(text.begin(), text.end(), folder.begin(), folder.end())) {
        at = text.erase(at, at + static_cast<std::ptrdiff_t>(folder.size()));
        text.insert(at, mark.begin(), mark.end());
    }
    return text;
}

std::string Hex(std::uint64_t v) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(v));
    return text;
}

// name of the output -> its digest
const std::map<std::string, std::string> kPinned = {
    {"sample as version 31", "7af1dcafb75dbbf5"},
    {"sample as version 9", "6c746747ce9a8df9"},
    {"sample imported", "84a36345e60c710f"},
    {"sample imported, exported", "9b6d26640ba49c98"},
    {"v10 as version 31", "5b8087b559c016d3"},
    {"v10 as version 9", "7ff9f34b7a5b8b4d"},
    {"v10 imported", "de4bf8a3f1b6aa5d"},
    {"v10 imported, exported", "fed82004b1e03d95"},
    {"v29 as version 31", "5b8087b559c016d3"},
    {"v29 as version 9", "7ff9f34b7a5b8b4d"},
    {"v29 imported", "de4bf8a3f1b6aa5d"},
    {"v29 imported, exported", "fed82004b1e03d95"},
    {"v30 as version 31", "ef858cdc610bf1b2"},
    {"v30 as version 9", "5f6b512feb9e0cf9"},
    {"v30 imported", "9511076d056d1a14"},
    {"v30 imported, exported", "31dc11221b034ced"},
    {"v31 as version 31", "c6aee9c425524a53"},
    {"v31 as version 9", "0a7e315df6978b23"},
    {"v31 imported", "4100c620668938e9"},
    {"v31 imported, exported", "61a200557b889ecb"},
    {"v33 as version 31", "c6aee9c425524a53"},
    {"v33 as version 9", "0a7e315df6978b23"},
    {"v33 imported", "4100c620668938e9"},
    {"v33 imported, exported", "61a200557b889ecb"},
    {"v34 as version 31", "60bd02b51879eac0"},
    {"v34 as version 9", "bac25741d92a599a"},
    {"v34 imported", "1dbac35e13c256a4"},
    {"v34 imported, exported", "5829a5c579f31c54"},
    {"v8 as version 31", "8b6811ff43d4e733"},
    {"v8 as version 9", "c9729d1cd15d549d"},
    {"v8 imported", "44eb0c9ebabb8943"},
    {"v8 imported, exported", "03c742b9038fde1a"},
    {"v9 as version 31", "5b8087b559c016d3"},
    {"v9 as version 9", "7ff9f34b7a5b8b4d"},
    {"v9 imported", "de4bf8a3f1b6aa5d"},
    {"v9 imported, exported", "fed82004b1e03d95"},
};

TEST(PinnedOutputs, EveryOutputIsByteForByteWhatItWas) {
    const test::TempDir dir;
    std::map<std::string, test::Bytes> sources = {{"sample", Contents(TVX_SAMPLE_TVX)}, {"v34", test::RichFile()}};
    for (const int version : test::kRichVersions) {
        sources["v" + std::to_string(version)] = test::RichScene(version).File();
    }
    std::map<std::string, std::string> actual;
    for (const auto& [name, bytes] : sources) {
        const std::filesystem::path file = dir / (name + ".tvx");
        test::WriteFile(file, bytes);
        actual[name + " as version 31"] = Hex(Version31Digest(file));
        actual[name + " as version 9"] = Hex(Version9Digest(file));

        tool::ImportCommandOptions import;
        import.output = dir / (name + ".json");
        import.pluginFolder = TVX_PLUGIN_FOLDER;
        std::ostringstream ignored;
        ASSERT_EQ(tool::RunImport(file, import, ignored, ignored), 0) << name;
        actual[name + " imported"] = Hex(Fnv1a(WithoutFolder(Contents(import.output), dir.path().string())));

        tool::ExportCommandOptions exportOptions;
        exportOptions.pluginFolder = TVX_PLUGIN_FOLDER;
        exportOptions.noPrompt = true;
        const std::filesystem::path exported = dir / (name + "-exported.tvx");
        ASSERT_EQ(tool::RunExport(import.output, exported, exportOptions, ignored), 0) << name;
        actual[name + " imported, exported"] = Hex(Version31Digest(exported));
    }
    std::string table;
    for (const auto& [name, digest] : actual) {
        table += "    {\"" + name + "\", \"" + digest + "\"},\n";
    }
    EXPECT_EQ(actual, kPinned) << "now:\n" << table;
}

}  // namespace
}  // namespace tvx
