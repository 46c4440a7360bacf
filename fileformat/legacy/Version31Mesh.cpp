// Vertices, UV sets and face lists of the version-31 layout.
#include "fileformat/legacy/LegacyIo.h"
#include "fileformat/legacy/MeshRecordFields.h"
#include "fileformat/legacy/PolygonRecordFields.h"
#include "fileformat/legacy/Version31Sections.h"

namespace tvx {
namespace {

std::size_t At(int i) { return static_cast<std::size_t>(i); }

}  // namespace

bool WriteVersion31Vertices(FileWriter& writer, const Version31Content& content, int count) {
    LegacyWriteIo io(writer, Version31Format(content));
    for (int i = 0; i < count; ++i) {
        if (!VertexFields(io, content.scene.vertices[At(i)], content.bones)) {
            return false;
        }
    }
    return true;
}

bool WriteVersion31UVSets(FileWriter& writer, const Version31Content& content, int count) {
    LegacyWriteIo io(writer, Version31Format(content));
    for (int k = 0; k < count; ++k) {
        const WrittenUVSet uvSet = WrittenUVSetAt(content.scene, k);
        if (!UVSetFields(io, uvSet)) {
            return false;
        }
    }
    return true;
}

// A polygon belongs to the group of its face list, so that list's index is
// written as its group whatever the polygon itself says.
bool WriteVersion31FaceLists(FileWriter& writer, const Version31Content& content, int count) {
    LegacyWriteIo io(writer, Version31Format(content));
    for (int i = 0; i < count; ++i) {
        const WrittenFaceList list = WrittenFaceListAt(content.scene, i, false);
        if (!FaceListFields(io, list, i)) {
            return false;
        }
    }
    return true;
}

}  // namespace tvx
