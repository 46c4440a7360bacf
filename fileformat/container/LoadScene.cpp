#include "fileformat/container/LoadScene.h"

#include <array>
#include <new>
#include <system_error>

#include "fileformat/container/Decompress.h"
#include "fileformat/container/FileConstants.h"
#include "fileformat/container/WholeFile.h"
#include "geometry/PoseTables.h"
#include "geometry/ProcessLoadedScene.h"

namespace tvx {
namespace {

// A self-reproducing zlib stream could otherwise keep a version-34 load
// inflating forever; no real file nests its compression at all.
constexpr int kMaxCompressionNesting = 4;

// Header of versions 6..33 (and the first look at any file): four words,
// then 20 more (96 bytes) or 28 more (128 bytes) by version.
struct LegacyHeader {
    std::uint32_t magic = 0;
    std::int32_t version = 0;
    std::uint32_t flags = 0;
    std::uint32_t length = 0;
    std::array<std::uint32_t, 32> words{};

    std::int32_t dataOffset() const { return static_cast<std::int32_t>(words[5]); }
};

bool ReadLegacyHeader(TVXFileReader& reader, LegacyHeader& header) {
    header = {};
    const std::uint32_t start = reader.position();
    if (!reader.ReadUInt(header.magic) || !reader.ReadInt(header.version) || !reader.ReadUInt(header.flags) ||
        !reader.ReadUInt(header.length)) {
        return false;
    }
    const int wordCount = (header.version < kFirstLongHeaderVersion ? kShortHeaderBytes : kLongHeaderBytes) / 4;
    if (reader.remaining() < static_cast<std::uint32_t>(wordCount - 4) * 4) {
        (void)reader.SetPosition(start);
        return false;
    }
    header.words[0] = header.magic;
    header.words[1] = static_cast<std::uint32_t>(header.version);
    header.words[2] = header.flags;
    header.words[3] = header.length;
    for (int i = 4; i < wordCount; ++i) {
        (void)reader.ReadUInt(header.words[static_cast<std::size_t>(i)]);
    }
    return true;
}

// The version-34 header: magic, version, flags, length, data offset, then 28
// bytes that carry nothing a reader needs.
struct ChunkedHeader {
    std::uint32_t magic = 0;
    std::int32_t version = 0;
    std::uint32_t flags = 0;
    std::uint32_t length = 0;
    std::int32_t dataOffset = 0;
};

bool ReadChunkedHeader(TVXFileReader& reader, ChunkedHeader& header) {
    header = {};
    if (reader.remaining() < kChunkedHeaderBytes) {
        return false;
    }
    return reader.ReadUInt(header.magic) && reader.ReadInt(header.version) && reader.ReadUInt(header.flags) &&
           reader.ReadUInt(header.length) && reader.ReadInt(header.dataOffset) &&
           reader.Skip(kChunkedHeaderBytes - 20);
}

// The budgets of one parse: what its compressed levels may inflate to, and
// what the body may ask of the document.
struct ParseBudgets {
    explicit ParseBudgets(const LoadOptions& options) : inflate(options.maxInflatedBytes) {}

    InflateBudget inflate;
    MemoryBudget memory{0};

    void ForBody(const TVXFileReader& reader) { memory = MemoryBudget(reader.length()); }
    LoadLimit Hit() const {
        return inflate.exhausted() ? LoadLimit::InflatedSize
               : memory.exceeded() ? LoadLimit::DocumentMemory
                                   : LoadLimit::None;
    }
};

int ParseChunked(TVXFileReader& reader, TVXScene& scene, const LoadOptions& options, const LayoutReaders& layouts,
                 ParseBudgets& budgets) {
    for (int nesting = 0;; ++nesting) {
        ChunkedHeader header;
        if (!reader.SetPosition(0) || !ReadChunkedHeader(reader, header)) {
            return kLoadFailed;
        }
        if (header.magic != kTvxMagic) {
            return kLoadBadMagic;
        }
        if (header.version != kChunkedVersion) {
            return kLoadBadVersion;
        }
        if ((header.flags & kFlagCompressed) != 0) {
            if (nesting == kMaxCompressionNesting ||
                !Decompress(reader, header.dataOffset, header.length, budgets.inflate)) {
                return kLoadFailed;
            }
            continue;
        }
        if (header.length != reader.length()) {
            return kLoadBadLength;
        }
        scene.version = kChunkedVersion;
        budgets.ForBody(reader);
        return layouts.version34(reader, scene, options, budgets.memory);
    }
}

int ParseWithin(TVXFileReader& reader, TVXScene& scene, const LoadOptions& options, const LayoutReaders& layouts,
                ParseBudgets& budgets) {
    LegacyHeader header;
    if (!ReadLegacyHeader(reader, header)) {
        return kLoadFailed;
    }
    if (header.magic != kTvxMagic) {
        return kLoadBadMagic;
    }
    if (header.version < kOldestVersion) {
        return kLoadBadVersion;
    }
    if (header.version > kNewestLegacyVersion) {
        return ParseChunked(reader, scene, options, layouts, budgets);
    }
    if ((header.flags & kFlagCompressed) != 0) {
        // The inflated content is a complete file of its own; whatever its
        // version, the sequential reader takes it.
        if (!Decompress(reader, header.dataOffset(), header.length, budgets.inflate) ||
            !ReadLegacyHeader(reader, header)) {
            return kLoadFailed;
        }
        if (header.magic != kTvxMagic) {
            return kLoadBadMagic;
        }
        if (header.length != reader.length()) {
            return kLoadBadLength;
        }
        if (header.version < kOldestVersion) {
            return kLoadBadVersion;
        }
    } else if (header.length != reader.length()) {
        return kLoadBadLength;
    }
    scene.version = header.version;
    budgets.ForBody(reader);
    return layouts.legacy(reader, scene, budgets.memory) == 1 ? kLoadOk : kLoadFailed;
}

}  // namespace

LoadStatus ParseScene(TVXFileReader& reader, TVXScene& scene, const LoadOptions& options,
                      const LayoutReaders& layouts) {
    ParseBudgets budgets(options);
    const auto status = static_cast<LoadStatus>(ParseWithin(reader, scene, options, layouts, budgets));
    if (options.limitHit != nullptr) {
        *options.limitHit = status == kLoadOk ? LoadLimit::None : budgets.Hit();
    }
    if (options.faultSeen != nullptr && status != kLoadOk) {
        try {
            *options.faultSeen = reader.fault();
        } catch (const std::bad_alloc&) {
        }
    }
    return status;
}

namespace {

// The path as absolute, so that its folder means something wherever the
// process moves; false when there is no memory to hold it.
bool KeepScenePath(TVXScene& scene, const std::filesystem::path& path) {
    try {
        std::error_code ignored;
        const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
        scene.scenePath = absolute.empty() ? path : absolute;
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace

LoadStatus LoadScene(TVXScene& scene, const std::filesystem::path& path, LoadProgress& progress,
                     const LoadOptions& options, const LayoutReaders& layouts) {
    ClearScene(scene);
    ByteBuffer file;
    switch (ReadWholeFile(path, file)) {
    case WholeFileResult::CannotOpen:
        return kLoadCannotOpen;
    case WholeFileResult::Failed:
        ClearScene(scene);
        return kLoadFailed;
    case WholeFileResult::Ok:
        break;
    }
    if (!KeepScenePath(scene, path)) {
        return kLoadFailed;
    }
    progress.Start(kReadingTitle);
    progress.Update(0);

    LoadStatus status = kLoadFailed;
    {
        TVXFileReader reader(std::move(file));
        status = ParseScene(reader, scene, options, layouts);
    }  // the file buffer goes here; the scene owns all it needs

    PoseTables& poses = options.poseTables != nullptr ? *options.poseTables : ImporterPoseTables();
    if (status == kLoadOk) {
        // The host shows 25 percent once the file is read and 50 once the
        // scene has been prepared for building; the importer ends the bar.
        progress.Update(25);
        if (options.processLoadedScene && ProcessLoadedScene(scene, poses) != 1) {
            // A scene prepared in part (polygons left uncut, bones unposed)
            // would build a wrong scene that looks right.
            status = kLoadFailed;
        }
    }
    if (status == kLoadOk) {
        progress.Update(50);
    } else {
        ClearScene(scene);
        if (options.processLoadedScene) {
            poses.Release();
        }
        progress.Update(100);
        progress.End();
    }
    return status;
}

}  // namespace tvx
