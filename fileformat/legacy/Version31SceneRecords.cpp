// Lights, cameras, materials, groups, bones and animations of the version-31
// layout.
#include "fileformat/legacy/LegacyIo.h"
#include "fileformat/legacy/MaterialRecordFields.h"
#include "fileformat/legacy/SceneRecordFields.h"
#include "fileformat/legacy/Version31Sections.h"

namespace tvx {
namespace {

std::size_t At(int i) { return static_cast<std::size_t>(i); }

template <class T, class Fields>
bool WriteFirst(const Version31Content& content, FileWriter& w, const std::vector<T>& records, int count,
                Fields fields) {
    LegacyWriteIo io(w, Version31Format(content));
    for (int i = 0; i < count; ++i) {
        if (!fields(io, records[At(i)])) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool WriteVersion31Lights(FileWriter& writer, const Version31Content& content, int count) {
    return WriteFirst(content, writer, content.scene.lights, count,
                      [](LegacyWriteIo& io, const auto& light) { return LightFields(io, light); });
}

bool WriteVersion31Cameras(FileWriter& writer, const Version31Content& content, int count) {
    return WriteFirst(content, writer, content.scene.cameras, count,
                      [](LegacyWriteIo& io, const auto& camera) { return CameraFields(io, camera); });
}

bool WriteVersion31Materials(FileWriter& writer, const Version31Content& content, int count) {
    return WriteFirst(content, writer, content.scene.materials, count,
                      [](LegacyWriteIo& io, const auto& material) { return MaterialFields(io, material); });
}

bool WriteVersion31Groups(FileWriter& writer, const Version31Content& content, int count) {
    return WriteFirst(content, writer, content.scene.groups, count,
                      [](LegacyWriteIo& io, const auto& group) { return GroupFields(io, group); });
}

bool WriteVersion31Bones(FileWriter& writer, const Version31Content& content, int count) {
    return WriteFirst(content, writer, content.scene.bones, count,
                      [](LegacyWriteIo& io, const auto& bone) { return BoneFields(io, bone); });
}

bool WriteVersion31Animations(FileWriter& writer, const Version31Content& content, int count) {
    return WriteFirst(content, writer, content.scene.animations, count,
                      [](LegacyWriteIo& io, const auto& animation) { return AnimationFields(io, animation); });
}

}  // namespace tvx
