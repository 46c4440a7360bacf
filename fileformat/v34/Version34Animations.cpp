// The animation section: per animation its timing, then one track per bone,
// each with position, rotation and scale keys.
#include <algorithm>
#include <cstddef>

#include "document/SceneAllocation.h"
#include "fileformat/container/FieldReader.h"
#include "fileformat/container/KeyFields.h"
#include "fileformat/container/RecordNames.h"
#include "fileformat/v34/Version34Sections.h"

namespace tvx::v34 {
namespace {

constexpr std::uint32_t kPositionKeyBytes = 16;  // time, then a Vector3
constexpr std::uint32_t kRotationKeyBytes = 20;  // time, then a Quaternion
constexpr std::uint32_t kScaleKeyBytes = 16;     // time, then a Vector3
constexpr std::uint32_t kMinTrackBytes = 12;     // three empty key lists

template <class Key>
bool ReadKey(TVXFileReader& reader, Key& key) {
    FieldReader io(reader, StringEncoding::Utf16);
    return KeyFields(io, key);
}

// One key list. Without a track to receive them (the count pass, or a track
// beyond the bones) the keys are only skipped.
template <class Key, class AllocKeys>
bool WalkKeys(Walk& walk, std::vector<Key>* keys, std::uint32_t keyBytes, AllocKeys allocKeys) {
    TVXFileReader& reader = walk.reader;
    int count = 0;
    if (!ReadCount(reader, count) || !walk.Reserve<Key>(count)) {
        return false;
    }
    if (keys == nullptr) {
        return SkipRecords(reader, count, keyBytes);
    }
    if (count == 0) {
        return true;
    }
    if (!BytesCanHold(reader, count, keyBytes) || !allocKeys(count)) {
        return false;
    }
    for (Key& key : *keys) {
        if (!ReadKey(reader, key)) {
            return false;
        }
    }
    return true;
}

bool WalkTrack(Walk& walk, TVXBoneTrack* track) {
    return WalkKeys(walk, track ? &track->positionKeys : nullptr, kPositionKeyBytes,
                    [&](int n) { return AllocPositionKeys(*track, n) == 1; }) &&
           WalkKeys(walk, track ? &track->rotationKeys : nullptr, kRotationKeyBytes,
                    [&](int n) { return AllocRotationKeys(*track, n) == 1; }) &&
           WalkKeys(walk, track ? &track->scaleKeys : nullptr, kScaleKeyBytes,
                    [&](int n) { return AllocScaleKeys(*track, n) == 1; });
}

bool ReadTiming(TVXFileReader& reader, TVXAnimation& animation) {
    return ReadName(reader, animation.name) && reader.ReadInt(animation.reserved) &&
           reader.ReadFloat(animation.start) && reader.ReadFloat(animation.end) &&
           reader.ReadFloat(animation.frameRate);
}

// Track j belongs to bone j, so at most one track per bone is kept. Tracks
// beyond the bones are still read and dropped: they sit in the section before
// the next animation. Fewer tracks than bones are kept as they are, rather
// than padding every animation with empty tracks: animations times bones empty
// tracks would let a small file ask for memory quadratic in its size, and
// users of the document read no further than the track count anyway.
bool WalkTracks(Walk& walk, TVXAnimation* animation) {
    int trackCount = 0;
    if (!ReadCount(walk.reader, trackCount) || !walk.Reserve<TVXBoneTrack>(trackCount)) {
        return false;
    }
    int kept = 0;
    if (animation != nullptr) {
        kept = std::min(trackCount, Count(walk.scene.bones));
        animation->tracks.clear();
        if (kept > 0 && (!BytesCanHold(walk.reader, kept, kMinTrackBytes) || !AllocTracks(*animation, kept))) {
            return false;
        }
    }
    for (int j = 0; j < trackCount; ++j) {
        TVXBoneTrack* track = j < kept ? &animation->tracks[static_cast<std::size_t>(j)] : nullptr;
        if (!WalkTrack(walk, track)) {
            walk.reader.LocateFault(kRecordName<TVXBoneTrack>, j);
            return false;
        }
    }
    return true;
}

}  // namespace

int WalkAnimations(Walk& walk) {
    int count = 0;
    if (!ReadCount(walk.reader, count)) {
        return 0;
    }
    TVXAnimation timing;
    for (int i = 0; i < count; ++i) {
        if (!ReadTiming(walk.reader, timing)) {
            walk.reader.LocateFault(kRecordName<TVXAnimation>, i);
            return 0;
        }
        TVXAnimation* animation = nullptr;
        if (walk.filling() && i < Count(walk.scene.animations)) {
            animation = &walk.scene.animations[static_cast<std::size_t>(i)];
            animation->name = timing.name;
            animation->reserved = timing.reserved;
            animation->start = timing.start;
            animation->end = timing.end;
            animation->frameRate = timing.frameRate;
        }
        if (!WalkTracks(walk, animation)) {
            walk.reader.LocateFault(kRecordName<TVXAnimation>, i);
            return 0;
        }
    }
    if (!walk.filling()) {
        walk.scene.fileCounts.animationCount = count;
    }
    return 1;
}

}  // namespace tvx::v34
