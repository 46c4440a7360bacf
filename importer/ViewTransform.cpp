#include "importer/ViewTransform.h"

#include "geometry/Frames.h"
#include "importer/HostConversions.h"

namespace tvx::importer {

hostapi::Matrix3 RebuildViewTransform(TVXTransform& transform) {
    Matrix4& m = transform.matrix;
    for (int r = 0; r < 3; ++r) {
        m(r, 2) = -m(r, 2);
    }
    if (!IsViewFrame(m)) {
        m = LookAtFrame(m);
    }
    hostapi::Matrix3 host = ToHostMatrix(m);
    host.SetRow(3, ToPoint3(transform.position));
    return host;
}

}  // namespace tvx::importer
