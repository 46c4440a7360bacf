// Vertices and face lists of the version-9 layout.
#include "fileformat/legacy/LegacyIo.h"
#include "fileformat/legacy/MeshRecordFields.h"
#include "fileformat/legacy/PolygonRecordFields.h"
#include "fileformat/legacy/Version9Sections.h"

namespace tvx {

bool WriteVersion9Vertices(std::span<const TVXVertex> vertices, Version9VertexForm form, FileWriter& writer) {
    LegacyWriteIo io(writer, Version9Format(form));
    for (const TVXVertex& vertex : vertices) {
        if (!VertexFields(io, vertex, form.weights)) {
            return false;
        }
    }
    return true;
}

// A group without a face list of its own is written with no polygons.
bool WriteVersion9FaceLists(const TVXScene& scene, int listCount, bool mapping, FileWriter& writer) {
    LegacyWriteIo io(writer, Version9Format());
    for (int i = 0; i < listCount; ++i) {
        const WrittenFaceList list = WrittenFaceListAt(scene, i, mapping);
        if (!FaceListFields(io, list, i)) {
            return false;
        }
    }
    return true;
}

}  // namespace tvx
