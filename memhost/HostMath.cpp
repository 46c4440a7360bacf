#include "memhost/HostMath.h"

#include <array>
#include <cmath>

namespace memhost {
namespace {

using hostapi::Matrix3;
using hostapi::Point3;

using Rows = std::array<std::array<double, 3>, 4>;

Rows ToRows(const Matrix3& m) {
    Rows r{};
    for (int i = 0; i < 4; ++i) {
        const Point3 p = m.GetRow(i);
        r[static_cast<unsigned>(i)] = {static_cast<double>(p.x), static_cast<double>(p.y), static_cast<double>(p.z)};
    }
    return r;
}

Matrix3 FromRows(const Rows& r) {
    Matrix3 m;
    for (unsigned i = 0; i < 4; ++i) {
        m.SetRow(static_cast<int>(i),
                 Point3(static_cast<float>(r[i][0]), static_cast<float>(r[i][1]), static_cast<float>(r[i][2])));
    }
    return m;
}

}  // namespace

Matrix3 Multiply(const Matrix3& a, const Matrix3& b) {
    const Rows ra = ToRows(a);
    const Rows rb = ToRows(b);
    Rows out{};
    for (unsigned i = 0; i < 4; ++i) {
        for (unsigned j = 0; j < 3; ++j) {
            double sum = ra[i][0] * rb[0][j] + ra[i][1] * rb[1][j] + ra[i][2] * rb[2][j];
            if (i == 3) {
                sum += rb[3][j];
            }
            out[i][j] = sum;
        }
    }
    return FromRows(out);
}

Matrix3 Inverse(const Matrix3& m) {
    const Rows r = ToRows(m);
    // Cofactors of the 3 x 3 part.
    const double c00 = r[1][1] * r[2][2] - r[1][2] * r[2][1];
    const double c01 = r[1][2] * r[2][0] - r[1][0] * r[2][2];
    const double c02 = r[1][0] * r[2][1] - r[1][1] * r[2][0];
    const double det = r[0][0] * c00 + r[0][1] * c01 + r[0][2] * c02;
    if (det == 0.0) {
        return Matrix3();
    }
    const double k = 1.0 / det;
    Rows out{};
    out[0] = {c00 * k, (r[0][2] * r[2][1] - r[0][1] * r[2][2]) * k, (r[0][1] * r[1][2] - r[0][2] * r[1][1]) * k};
    out[1] = {c01 * k, (r[0][0] * r[2][2] - r[0][2] * r[2][0]) * k, (r[0][2] * r[1][0] - r[0][0] * r[1][2]) * k};
    out[2] = {c02 * k, (r[0][1] * r[2][0] - r[0][0] * r[2][1]) * k, (r[0][0] * r[1][1] - r[0][1] * r[1][0]) * k};
    // Translation: -t * inverse(A).
    for (unsigned j = 0; j < 3; ++j) {
        out[3][j] = -(r[3][0] * out[0][j] + r[3][1] * out[1][j] + r[3][2] * out[2][j]);
    }
    return FromRows(out);
}

Point3 TransformPoint(const Point3& p, const Matrix3& m) {
    const Rows r = ToRows(m);
    const double x = static_cast<double>(p.x);
    const double y = static_cast<double>(p.y);
    const double z = static_cast<double>(p.z);
    return Point3(static_cast<float>(x * r[0][0] + y * r[1][0] + z * r[2][0] + r[3][0]),
                  static_cast<float>(x * r[0][1] + y * r[1][1] + z * r[2][1] + r[3][1]),
                  static_cast<float>(x * r[0][2] + y * r[1][2] + z * r[2][2] + r[3][2]));
}

Matrix3 QuatToMatrix(const hostapi::Quat& q) {
    // The textbook rotation matrix of (x, y, z, w), laid into the rows as it
    // stands. Because a host Quat is the conjugate of the textbook one, this
    // is the transpose of the textbook matrix of the rotation: exactly the
    // row-vector matrix of that rotation.
    const float x = q.x;
    const float y = q.y;
    const float z = q.z;
    const float w = q.w;
    Matrix3 m;
    m.SetRow(0, Point3(1 - 2 * y * y - 2 * z * z, 2 * x * y - 2 * w * z, 2 * x * z + 2 * w * y));
    m.SetRow(1, Point3(2 * x * y + 2 * w * z, 1 - 2 * x * x - 2 * z * z, 2 * y * z - 2 * w * x));
    m.SetRow(2, Point3(2 * x * z - 2 * w * y, 2 * y * z + 2 * w * x, 1 - 2 * x * x - 2 * y * y));
    m.SetRow(3, Point3(0, 0, 0));
    return m;
}

Matrix3 RotateXMatrix(float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    Matrix3 m;
    m.SetRow(1, Point3(0, c, s));
    m.SetRow(2, Point3(0, -s, c));
    return m;
}

Matrix3 RotateYMatrix(float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    Matrix3 m;
    m.SetRow(0, Point3(c, 0, -s));
    m.SetRow(2, Point3(s, 0, c));
    return m;
}

Matrix3 RotateZMatrix(float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    Matrix3 m;
    m.SetRow(0, Point3(c, s, 0));
    m.SetRow(1, Point3(-s, c, 0));
    return m;
}

bool NearlyEqual(const Matrix3& a, const Matrix3& b, float tolerance) {
    for (int i = 0; i < 4; ++i) {
        const Point3 p = a.GetRow(i);
        const Point3 q = b.GetRow(i);
        if (std::fabs(p.x - q.x) > tolerance || std::fabs(p.y - q.y) > tolerance || std::fabs(p.z - q.z) > tolerance) {
            return false;
        }
    }
    return true;
}

}  // namespace memhost
