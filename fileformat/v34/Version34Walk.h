// Internals shared by the pieces of the version-34 reader: chunk framing, the
// state of one pass over the sections (see TwoPassRead: each section has one
// walker that serves both passes), and the guards that keep counts read
// from the file from sizing anything their bytes cannot back.
#pragma once

#include <cstdint>
#include <vector>

#include "document/TVXScene.h"
#include "fileformat/container/LoadOptions.h"
#include "fileformat/container/MemoryBudget.h"
#include "fileformat/container/FieldReader.h"
#include "fileformat/container/TVXFileReader.h"
#include "fileformat/container/TwoPassRead.h"
#include "fileformat/legacy/LegacyFormat.h"

namespace tvx::v34 {

// Top-level chunk ids: the directory, then one id per kind of section.
inline constexpr std::uint32_t kDirectoryId = 0xBBBB0000u;
inline constexpr std::uint32_t kLightsId = 0xBBBB0001u;
inline constexpr std::uint32_t kCamerasId = 0xBBBB0002u;
inline constexpr std::uint32_t kMaterialsId = 0xBBBB0003u;
inline constexpr std::uint32_t kEmbeddedFilesId = 0xBBBB0004u;
inline constexpr std::uint32_t kGroupsId = 0xBBBB0006u;
inline constexpr std::uint32_t kMeshId = 0xBBBB0007u;
inline constexpr std::uint32_t kBonesId = 0xBBBB0008u;
inline constexpr std::uint32_t kAnimationsId = 0xBBBB0009u;
inline constexpr std::uint32_t kNameListId = 0xBBBB000Au;

// Header flags that say which parts each vertex carries.
inline constexpr std::uint32_t kVertexNormal = 0x01;
inline constexpr std::uint32_t kVertexColor = 0x02;
inline constexpr std::uint32_t kVertexExtraVectors = 0x04;
inline constexpr std::uint32_t kVertexWeights = 0x08;

inline constexpr std::uint32_t kChunkHeadBytes = 8;

// The mesh section declares how many face lists and UV sets it has, but those
// counts are only claims: the chunks that carry them may be fewer. The count
// pass notes how many chunks were really there (the most in any one section),
// so allocation can stay within what the file backs.
struct MeshChunksSeen {
    int faceLists = 0;
    int uvSets = 0;
};

// A file the scene embeds, to be written beside it once the whole load has
// succeeded: its stored name and where its bytes lie in the body.
struct EmbeddedFileAt {
    TVXString name;
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
};

struct Walk : TwoPassRead {
    TVXScene& scene;
    const LoadOptions& options;
    std::uint32_t vertexFlags = 0;
    MeshChunksSeen chunksSeen{};
    // Fill pass: the embedded files to write when the load succeeds.
    std::vector<EmbeddedFileAt> embeddedFiles{};
};

struct ChunkHead {
    std::uint32_t id = 0;
    std::uint32_t end = 0;  // absolute position just past the body
};

// Reads an id and a body size. A body that runs past the end of the buffer
// fails: the container has already matched the file's exact length, so such a
// chunk can only come from a corrupt or cut file.
[[nodiscard]] bool ReadChunkHead(TVXFileReader& reader, ChunkHead& head);

// A reader that stopped short of its chunk's end moves to it; one that read
// past the end stays where it is (records may legitimately overrun a body).
void FinishChunk(TVXFileReader& reader, std::uint32_t end);

// Every string of this layout is UTF-16.
[[nodiscard]] bool ReadName(TVXFileReader& reader, TVXString& out);

// Reads a record count. A negative count describes no records, so it is read
// as 0; that way an otherwise empty file cannot pass for a scene.
[[nodiscard]] bool ReadCount(TVXFileReader& reader, int& count);

// True when `count` records of at least `minBytes` each fit in what is left
// of the buffer. Checked before any count sizes an allocation.
// A count that fails it is noted as a bad count.
bool BytesCanHold(TVXFileReader& reader, int count, std::uint32_t minBytes);

// Skips `count` records of exactly `recordBytes` each; fails without moving
// when they do not fit.
[[nodiscard]] bool SkipRecords(TVXFileReader& reader, int count, std::uint32_t recordBytes);

// The records this layout shares with the legacy ones (lights, cameras,
// groups, bones, materials' heads, map payloads and layers) have the shape
// of versions 30 to 33, and every name is UTF-16. Their field lists walk
// this reader.
class Version34Io : public FieldReader {
public:
    explicit Version34Io(TVXFileReader& reader) : FieldReader(reader, StringEncoding::Utf16) {}

    const LegacyFormat& format() const { return format_; }

private:
    LegacyFormat format_ = LegacyFormatOf(kFirstFullRecordVersion, 0);
};

// A texture file name, read as stored: a map's names are linked to the
// scene's folder once the map is whole (Version34TextureLinks.h).
[[nodiscard]] inline bool FileNameField(Version34Io& io, TVXString& name) { return io.String(name); }

// Reads nine ints and a float.
[[nodiscard]] bool ReadTriangle(TVXFileReader& reader, TVXTriangle& out);

}  // namespace tvx::v34
