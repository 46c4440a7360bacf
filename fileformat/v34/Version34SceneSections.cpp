// Lights, cameras, groups, bones and the name list: flat runs of fixed-shape
// records after a record count.
#include <cstddef>

#include "fileformat/v34/Version34Sections.h"

namespace tvx::v34 {
namespace {

bool ReadLight(TVXFileReader& reader, TVXLight& light) {
    return ReadName(reader, light.name) && reader.ReadInt(light.lightCode) && reader.ReadInt(light.lightType) &&
           reader.ReadTransform(light.transform) && reader.ReadFloat(light.hotspot) &&
           reader.ReadFloat(light.falloff) && reader.ReadFloat(light.value3) && reader.ReadFloat(light.value4) &&
           reader.ReadFloat(light.intensity) && reader.ReadRGBA(light.color) &&
           reader.ReadFloat(light.attenuationStart) && reader.ReadFloat(light.attenuationEnd);
}

bool ReadCamera(TVXFileReader& reader, TVXCamera& camera) {
    return ReadName(reader, camera.name) && reader.ReadInt(camera.cameraInt1) && reader.ReadInt(camera.cameraInt2) &&
           reader.ReadTransform(camera.transform) && reader.ReadFloat(camera.fieldOfView) &&
           reader.ReadFloat(camera.nearDistance) && reader.ReadFloat(camera.farDistance);
}

bool ReadGroup(TVXFileReader& reader, TVXGroup& group) {
    return ReadName(reader, group.name) && reader.ReadInt(group.groupInt1) && reader.ReadInt(group.groupInt2) &&
           reader.ReadTransform(group.transform);
}

bool ReadBone(TVXFileReader& reader, TVXBone& bone) {
    return ReadName(reader, bone.name) && reader.ReadInt(bone.parentIndex) && reader.ReadTransform(bone.transform) &&
           reader.ReadRGBA(bone.color);
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
    return WalkRecords(walk, walk.scene.lights, walk.scene.fileCounts.lightCount, ReadLight);
}

int WalkCameras(Walk& walk) {
    return WalkRecords(walk, walk.scene.cameras, walk.scene.fileCounts.cameraCount, ReadCamera);
}

int WalkGroups(Walk& walk) {
    return WalkRecords(walk, walk.scene.groups, walk.scene.fileCounts.groupCount, ReadGroup);
}

int WalkBones(Walk& walk) { return WalkRecords(walk, walk.scene.bones, walk.scene.fileCounts.boneCount, ReadBone); }

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
