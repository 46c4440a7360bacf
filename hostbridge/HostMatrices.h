// Points and matrices between the scene document and the host.
//
// The document's matrices map column vectors; the host's map row vectors
// and keep four rows of three (the fourth the translation). The same
// transform therefore has the document's column r as the host's row r, and
// the document's bottom row is (0, 0, 0, 1).
#pragma once

#include "document/MathTypes.h"
#include "hostapi/HostTypes.h"

namespace tvx::hostbridge {

[[nodiscard]] inline hostapi::Point3 ToPoint3(const Vector3& v) { return {v.x, v.y, v.z}; }

[[nodiscard]] inline hostapi::Matrix3 ToHostMatrix(const Matrix4& m) {
    hostapi::Matrix3 host;
    for (int r = 0; r < 4; ++r) {
        host.SetRow(r, {m(0, r), m(1, r), m(2, r)});
    }
    return host;
}

[[nodiscard]] inline Matrix4 ToDocumentMatrix(const hostapi::Matrix3& host) {
    Matrix4 m;
    for (int c = 0; c < 4; ++c) {
        const hostapi::Point3 row = host.GetRow(c);
        m(0, c) = row.x;
        m(1, c) = row.y;
        m(2, c) = row.z;
    }
    return m;
}

}  // namespace tvx::hostbridge
