// The exporter's default layout: a 128-byte header with a table of section
// counts and offsets, then the sections back to back. The header goes out
// first as a placeholder and is written again, complete, once the length of
// the file is known.
#include <algorithm>
#include <array>
#include <limits>
#include <new>
#include <string_view>

#include "fileformat/container/FileConstants.h"
#include "fileformat/legacy/LayoutWriters.h"
#include "fileformat/legacy/Version31Sections.h"

namespace tvx {
namespace {

using Header = std::span<std::uint32_t, kVersion31HeaderWords>;

constexpr std::uint32_t kVersion = 31;
constexpr std::uint32_t kFlagVertexNormals = 0x01;
constexpr std::uint32_t kFlagVertexColours = 0x02;
constexpr std::size_t kVersionWord = 1;
constexpr std::size_t kFlagsWord = 2;
constexpr std::size_t kLengthWord = 3;
// Word 4 + 2s holds the count of section s, the next word its offset.
constexpr std::size_t kSectionTableWord = 4;
constexpr int kUVSetsWritten = 2;
constexpr int kTrailerStrings = 3;
constexpr std::size_t kTrailerSection = 10;

struct Section {
    int count = 0;
    Version31RecordWriter write = nullptr;
};

bool NoRecords(FileWriter&, const Version31Content&, int) { return true; }

// In file order; the trailer follows as section 10.
std::array<Section, kTrailerSection> BodySections(const Version31Content& content, bool animations) {
    const TVXScene& s = content.scene;
    return {{
        {Count(s.lights), WriteVersion31Lights},
        {Count(s.cameras), WriteVersion31Cameras},
        {Count(s.materials), WriteVersion31Materials},
        {Count(s.groups), WriteVersion31Groups},
        {Count(s.vertices), WriteVersion31Vertices},
        {0, NoRecords},  // triangles: the polygons carry the mesh
        {kUVSetsWritten, WriteVersion31UVSets},
        {Count(s.faceLists), WriteVersion31FaceLists},
        {content.bones ? Count(s.bones) : 0, WriteVersion31Bones},
        {animations ? Count(s.animations) : 0, WriteVersion31Animations},
    }};
}

// Enters the section in the header table and writes its count.
bool BeginSection(FileWriter& w, Header header, std::size_t index, int count) {
    header[kSectionTableWord + 2 * index] = static_cast<std::uint32_t>(count);
    header[kSectionTableWord + 2 * index + 1] = w.position();
    return w.Int(count);
}

bool WriteBody(FileWriter& w, const Version31Content& content, bool animations, Header header) {
    const auto sections = BodySections(content, animations);
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const Section& section = sections[i];
        if (!BeginSection(w, header, i, section.count) || !section.write(w, content, section.count)) {
            return false;
        }
    }
    return true;
}

// The creator texts are fields of 128 characters in the exporter: the text
// ends at the first zero and never fills the whole field.
std::string_view CreatorText(const std::string& text) {
    const std::string_view view(text.c_str());
    return view.substr(0, kCreatorTextCapacity - 1);
}

bool WriteTrailer(FileWriter& w, TVXExporterData& data, Header header) {
    if (!BeginSection(w, header, kTrailerSection, kTrailerStrings)) {
        return false;
    }
    SetCreatorNoteToNow(data);
    return w.NarrowString(CreatorText(data.creatorName)) && w.NarrowString(CreatorText(data.creatorVersion)) &&
           w.NarrowString(CreatorText(data.creatorNote));
}

// The length word and every offset are 32 bits: a file that outgrows them
// would carry a header that no reader could trust, so it is a failure.
bool FitsTheHeader(const FileWriter& w) { return w.position() < std::numeric_limits<std::uint32_t>::max(); }

bool RewriteHeader(FileWriter& w, Header header) {
    if (!FitsTheHeader(w)) {
        return false;
    }
    header[kLengthWord] = w.position();
    return w.SeekToStart() && WriteHeaderWords(w, header) && w.Flush();
}

bool WriteFile(TVXExporterData& data, OutputFile& file, Header header) {
    const ExportOptions& options = data.options;
    const bool bones = IsOn(options.exportBones);
    const Version31Content content{data.scene, bones, IsOn(options.exportColorChannel), data.scene.vertexNormalsStored};
    const bool animations = bones && IsOn(options.exportAnimation);

    // Words the layout leaves unused must be zero whatever the caller left.
    std::fill(header.begin(), header.end(), 0u);
    header[0] = kTvxMagic;
    header[kVersionWord] = kVersion;
    header[kFlagsWord] = (content.normals ? kFlagVertexNormals : 0) | (content.colours ? kFlagVertexColours : 0);
    FileWriter w(file);
    return WriteHeaderWords(w, header) && WriteBody(w, content, animations, header) &&
           WriteTrailer(w, data, header) && RewriteHeader(w, header);
}

}  // namespace

int WriteVersion31(TVXExporterData& data, OutputFile& file, std::span<std::uint32_t, kVersion31HeaderWords> header) {
    try {
        return WriteFile(data, file, header) ? 1 : 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

}  // namespace tvx
