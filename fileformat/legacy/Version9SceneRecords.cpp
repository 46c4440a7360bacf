// Materials, groups, bones and animations of the version-9 layout.
#include <new>

#include "fileformat/legacy/LegacyIo.h"
#include "fileformat/legacy/MaterialRecordFields.h"
#include "fileformat/legacy/SceneRecordFields.h"
#include "fileformat/legacy/Version9Sections.h"

namespace tvx {
namespace {

// Version 9 stores short bones, with a scale.
template <class T, class Fields>
bool WriteAll(std::span<const T> records, FileWriter& writer, Fields fields) {
    LegacyWriteIo io(writer, Version9Format());
    for (const T& record : records) {
        if (!fields(io, record)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::uint32_t WriteVersion9Materials(const TVXScene& scene, FileWriter& writer) {
    try {
        const std::uint32_t start = writer.position();
        const bool ok = writer.Int(Count(scene.materials)) &&
                        WriteAll(std::span(scene.materials), writer, [](LegacyWriteIo& io, const TVXMaterial& material) {
                            return MaterialFields(io, material);
                        });
        return ok ? writer.position() - start : 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

bool WriteVersion9Groups(std::span<const TVXGroup> groups, FileWriter& writer) {
    return WriteAll(groups, writer, [](LegacyWriteIo& io, const TVXGroup& group) { return GroupFields(io, group); });
}

bool WriteVersion9Bones(std::span<const TVXBone> bones, FileWriter& writer) {
    return WriteAll(bones, writer, [](LegacyWriteIo& io, const TVXBone& bone) { return BoneFields(io, bone); });
}

bool WriteVersion9Animations(std::span<const TVXAnimation> animations, FileWriter& writer) {
    return WriteAll(animations, writer,
                    [](LegacyWriteIo& io, const TVXAnimation& animation) { return AnimationFields(io, animation); });
}

}  // namespace tvx
