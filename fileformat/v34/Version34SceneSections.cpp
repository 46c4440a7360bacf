// Lights, cameras, groups, bones and the name list: flat runs of fixed-shape
// records after a record count. The records are those of the legacy layouts
// from version 30 on, read by their field lists.
#include <cstddef>

#include "fileformat/container/RecordNames.h"
#include "fileformat/legacy/SceneRecordFields.h"
#include "fileformat/v34/Version34Sections.h"

namespace tvx::v34 {
namespace {

template <class Record, class Fields>
auto ReadWith(Fields fields) {
    return [fields](TVXFileReader& reader, Record& record) {
        Version34Io io(reader);
        return fields(io, record);
    };
}

// Groups and bones also hold derived fields that a file never carries, so
// only the stored ones are copied.
void StoreRecord(const TVXLight& from, TVXLight& to) { to = from; }
void StoreRecord(const TVXCamera& from, TVXCamera& to) { to = from; }
void StoreRecord(const TVXGroup& from, TVXGroup& to) {
    to.name = from.name;
    to.groupInt1 = from.groupInt1;
    to.groupInt2 = from.groupInt2;
    to.transform = from.transform;
}
void StoreRecord(const TVXBone& from, TVXBone& to) {
    to.name = from.name;
    to.parentIndex = from.parentIndex;
    to.transform = from.transform;
    to.color = from.color;
}

// The walk common to the four flat sections: every record goes through one
// temporary, so the count pass reads exactly what the fill pass stores.
template <class Record, class ReadRecord>
int WalkRecords(Walk& walk, std::vector<Record>& array, int& fileCount, ReadRecord readRecord) {
    int count = 0;
    if (!ReadCount(walk.reader, count)) {
        return 0;
    }
    Record record{};
    for (int i = 0; i < count; ++i) {
        if (!readRecord(walk.reader, record)) {
            walk.reader.LocateFault(kRecordName<Record>, i);
            return 0;
        }
        if (walk.filling() && i < Count(array)) {
            StoreRecord(record, array[static_cast<std::size_t>(i)]);
        }
    }
    if (!walk.filling()) {
        fileCount = count;
    }
    return 1;
}

}  // namespace

int WalkLights(Walk& walk) {
    return WalkRecords(walk, walk.scene.lights, walk.scene.fileCounts.lightCount, ReadWith<TVXLight>(kLightFields));
}

int WalkCameras(Walk& walk) {
    return WalkRecords(walk, walk.scene.cameras, walk.scene.fileCounts.cameraCount, ReadWith<TVXCamera>(kCameraFields));
}

int WalkGroups(Walk& walk) {
    return WalkRecords(walk, walk.scene.groups, walk.scene.fileCounts.groupCount, ReadWith<TVXGroup>(kGroupFields));
}

int WalkBones(Walk& walk) {
    return WalkRecords(walk, walk.scene.bones, walk.scene.fileCounts.boneCount, ReadWith<TVXBone>(kBoneFields));
}

// The names are not kept; only their number is.
int WalkNameList(Walk& walk) {
    int count = 0;
    if (!ReadCount(walk.reader, count)) {
        return 0;
    }
    TVXString name;
    for (int i = 0; i < count; ++i) {
        if (!ReadName(walk.reader, name)) {
            return 0;
        }
    }
    walk.scene.fileCounts.nameListCount = count;
    return 1;
}

}  // namespace tvx::v34
