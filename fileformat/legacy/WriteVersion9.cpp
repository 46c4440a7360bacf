#include <limits>
#include <new>
#include <string_view>

#include "fileformat/container/FileConstants.h"
#include "fileformat/legacy/LayoutWriters.h"
#include "fileformat/legacy/Version9Sections.h"

namespace tvx {
namespace {

constexpr std::uint32_t kVersion9 = 9;
constexpr std::uint32_t kFlagVertexNormals = 0x01;
constexpr std::uint32_t kFlagVertexColours = 0x02;
constexpr int kTrailerStrings = 3;

// Header words. Each section's count word is followed by the word that holds
// the offset of its count in the file.
enum HeaderWord : std::size_t {
    kWordMagic = 0,
    kWordVersion = 1,
    kWordFlags = 2,
    kWordLength = 3,
    kWordLights = 4,
    kWordCameras = 6,
    kWordMaterials = 8,
    kWordGroups = 10,
    kWordVertices = 12,
    kWordFaceLists = 14,
    kWordBones = 16,
    kWordAnimations = 18,
    kWordTrailer = 20,
};

using Header = std::span<std::uint32_t, kVersion9HeaderWords>;

// What the options let into the file.
struct Contents {
    Version9VertexForm vertexForm;
    bool mapping = false;
    int boneCount = 0;
    int animationCount = 0;
};

// Weights and animations refer to bones, so neither goes without them.
Contents ContentsFor(const TVXExporterData& data) {
    const ExportOptions& options = data.options;
    const bool bones = IsOn(options.exportBones);
    Contents contents;
    contents.vertexForm = {IsOn(options.exportColorChannel), bones, data.scene.vertexNormalsStored};
    contents.mapping = IsOn(options.exportMappingChannel);
    contents.boneCount = bones ? Count(data.scene.bones) : 0;
    contents.animationCount = bones && IsOn(options.exportAnimation) ? Count(data.scene.animations) : 0;
    return contents;
}

void NoteSection(Header header, HeaderWord countWord, int count, const FileWriter& writer) {
    header[countWord] = static_cast<std::uint32_t>(count);
    header[countWord + 1] = writer.position();
}

bool BeginSection(Header header, HeaderWord countWord, int count, FileWriter& writer) {
    NoteSection(header, countWord, count, writer);
    return writer.Int(count);
}

// The creator texts live in fields of 128 characters on the exporter.
bool WriteCreatorText(std::string_view text, FileWriter& writer) {
    return writer.NarrowString(text.substr(0, kCreatorTextCapacity - 1));
}

bool WriteTrailer(TVXExporterData& data, Header header, FileWriter& writer) {
    SetCreatorNoteToNow(data);
    return BeginSection(header, kWordTrailer, kTrailerStrings, writer) && WriteCreatorText(data.creatorName, writer) &&
           WriteCreatorText(data.creatorVersion, writer) && WriteCreatorText(data.creatorNote, writer);
}

// The v2.x export carries no lights or cameras; their sections are still
// present, empty, because the reader takes the sections by position.
bool WriteSections(TVXExporterData& data, const Contents& contents, Header header, FileWriter& writer) {
    const TVXScene& scene = data.scene;
    const int groupCount = Count(scene.groups);
    if (!BeginSection(header, kWordLights, 0, writer) || !BeginSection(header, kWordCameras, 0, writer)) {
        return false;
    }
    NoteSection(header, kWordMaterials, Count(scene.materials), writer);
    // A material section cut short would shift every later section, so its
    // failure ends the file like any other.
    if (WriteVersion9Materials(scene, writer) == 0) {
        return false;
    }
    return BeginSection(header, kWordGroups, groupCount, writer) && WriteVersion9Groups(scene.groups, writer) &&
           BeginSection(header, kWordVertices, Count(scene.vertices), writer) &&
           WriteVersion9Vertices(scene.vertices, contents.vertexForm, writer) &&
           BeginSection(header, kWordFaceLists, groupCount, writer) &&
           WriteVersion9FaceLists(scene, groupCount, contents.mapping, writer) &&
           BeginSection(header, kWordBones, contents.boneCount, writer) &&
           WriteVersion9Bones(std::span(scene.bones).first(static_cast<std::size_t>(contents.boneCount)), writer) &&
           BeginSection(header, kWordAnimations, contents.animationCount, writer) &&
           WriteVersion9Animations(
               std::span(scene.animations).first(static_cast<std::size_t>(contents.animationCount)), writer) &&
           WriteTrailer(data, header, writer);
}

// The header goes out twice: first as a placeholder with a zero length, then,
// once every offset and the size are known, over itself at offset 0. A write
// that fails in between leaves the placeholder, which no reader accepts.
bool WriteFile(TVXExporterData& data, Header header, FileWriter& writer) {
    const Contents contents = ContentsFor(data);
    header[kWordMagic] = kTvxMagic;
    header[kWordVersion] = kVersion9;
    header[kWordFlags] = (contents.vertexForm.normals ? kFlagVertexNormals : 0) |
                         (contents.vertexForm.colours ? kFlagVertexColours : 0);
    if (!WriteHeaderWords(writer, header) || !WriteSections(data, contents, header, writer)) {
        return false;
    }
    // The length and offsets are 32-bit words; a file that outgrew them
    // would carry a header that lies about it.
    if (writer.position() == std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    header[kWordLength] = writer.position();
    return writer.SeekToStart() && WriteHeaderWords(writer, header) && writer.Flush();
}

}  // namespace

int WriteVersion9File(TVXExporterData& data, OutputFile& file, std::span<std::uint32_t, kVersion9HeaderWords> header) {
    try {
        FileWriter writer(file);
        return WriteFile(data, header, writer) ? 1 : 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

}  // namespace tvx
