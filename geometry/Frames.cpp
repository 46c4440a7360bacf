#include "geometry/Frames.h"

#include <cmath>

#include "geometry/Vector.h"

namespace tvx {

namespace {

Vector3 Column(const Matrix4& m, int col) { return {m(0, col), m(1, col), m(2, col)}; }

void SetColumn(Matrix4& m, int col, const Vector3& v) {
    m(0, col) = v.x;
    m(1, col) = v.y;
    m(2, col) = v.z;
}

Vector3 UpVectorFor(const Vector3& z) {
    const Vector3 up{0.0f, 1.0f, 0.0f};
    if (NearlyEqual(up, z)) {
        return {0.0f, 0.0f, -1.0f};
    }
    if (NearlyEqual(-up, z)) {
        return {0.0f, 0.0f, 1.0f};
    }
    return up;
}

bool Within(float value, float tolerance) { return std::fabs(value) <= tolerance; }

}  // namespace

Vector3 PointInFrame(const Matrix4& frame, const Vector3& p) {
    const Vector3 d = p - Vector3{frame(3, 0), frame(3, 1), frame(3, 2)};
    return {frame(0, 0) * d.x + frame(0, 1) * d.y + frame(0, 2) * d.z,
            frame(1, 0) * d.x + frame(1, 1) * d.y + frame(1, 2) * d.z,
            frame(2, 0) * d.x + frame(2, 1) * d.y + frame(2, 2) * d.z};
}

Matrix4 LookAtFrame(const Matrix4& m) {
    const Vector3 z = Column(m, 2);
    const Vector3 x = Cross(UpVectorFor(z), z);
    const Vector3 y = Cross(z, x);
    Matrix4 result = m;
    SetColumn(result, 0, Normalize(x));
    SetColumn(result, 1, Normalize(y));
    return result;
}

bool IsViewFrame(const Matrix4& m) {
    const Vector3 x = Column(m, 0);
    const Vector3 y = Column(m, 1);
    const Vector3 z = Normalize(Column(m, 2));
    const float tolerance = kNearlyEqualTolerance;
    return Within(Length(x) - 1.0f, tolerance) && Within(Length(y) - 1.0f, tolerance) &&
           Within(Dot(x, y), tolerance) && Within(Dot(x, z), tolerance) && Within(Dot(y, z), tolerance) &&
           Dot(Cross(x, y), z) > 0.0f;
}

std::optional<Matrix4> OrthonormalViewFrame(const Matrix4& m) {
    const Vector3 z = Normalize(Column(m, 2));
    const Vector3 y = Column(m, 1);
    const Vector3 across = y - z * Dot(y, z);
    // A y nearly along z leaves a remainder that is mostly rounding.
    if (LengthSquared(z) == 0.0f || !(Length(across) > kNearlyEqualTolerance * Length(y))) {
        return std::nullopt;
    }
    const Vector3 up = Normalize(across);
    Matrix4 result = m;
    SetColumn(result, 0, Cross(up, z));
    SetColumn(result, 1, up);
    SetColumn(result, 2, z);
    return result;
}

}  // namespace tvx
