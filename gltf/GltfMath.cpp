#include "gltf/GltfMath.h"

#include <cmath>

namespace tvx::gltf {
namespace {

double Length(double x, double y, double z) { return std::sqrt(x * x + y * y + z * z); }

// A rotation matrix's quaternion (Shepperd's method: the largest of the
// four candidates keeps the division well away from zero).
Quat QuaternionOf(const double r[3][3]) {
    const double trace = r[0][0] + r[1][1] + r[2][2];
    Quat q{};
    if (trace > 0.0) {
        const double s = std::sqrt(trace + 1.0) * 2.0;
        q = {(r[2][1] - r[1][2]) / s, (r[0][2] - r[2][0]) / s, (r[1][0] - r[0][1]) / s, 0.25 * s};
    } else if (r[0][0] > r[1][1] && r[0][0] > r[2][2]) {
        const double s = std::sqrt(1.0 + r[0][0] - r[1][1] - r[2][2]) * 2.0;
        q = {0.25 * s, (r[0][1] + r[1][0]) / s, (r[0][2] + r[2][0]) / s, (r[2][1] - r[1][2]) / s};
    } else if (r[1][1] > r[2][2]) {
        const double s = std::sqrt(1.0 + r[1][1] - r[0][0] - r[2][2]) * 2.0;
        q = {(r[0][1] + r[1][0]) / s, 0.25 * s, (r[1][2] + r[2][1]) / s, (r[0][2] - r[2][0]) / s};
    } else {
        const double s = std::sqrt(1.0 + r[2][2] - r[0][0] - r[1][1]) * 2.0;
        q = {(r[0][2] + r[2][0]) / s, (r[1][2] + r[2][1]) / s, 0.25 * s, (r[1][0] - r[0][1]) / s};
    }
    const double n = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    if (!(n > 0.0) || !std::isfinite(n)) {
        return {0, 0, 0, 1};
    }
    for (double& c : q) {
        c /= n;
    }
    return q;
}

}  // namespace

Mat4 FromHost(const hostapi::Matrix3& host) {
    Mat4 out;
    for (int c = 0; c < 4; ++c) {
        const hostapi::Point3 row = host.GetRow(c);
        out.at(0, c) = static_cast<double>(row.x);
        out.at(1, c) = static_cast<double>(row.y);
        out.at(2, c) = static_cast<double>(row.z);
    }
    return out;
}

Mat4 Multiply(const Mat4& a, const Mat4& b) {
    Mat4 out;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) {
                sum += a.at(r, k) * b.at(k, c);
            }
            out.at(r, c) = sum;
        }
    }
    return out;
}

Mat4 InverseAffine(const Mat4& m) {
    const double a = m.at(0, 0), b = m.at(0, 1), c = m.at(0, 2);
    const double d = m.at(1, 0), e = m.at(1, 1), f = m.at(1, 2);
    const double g = m.at(2, 0), h = m.at(2, 1), i = m.at(2, 2);
    const double det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    if (det == 0.0 || !std::isfinite(det)) {
        return {};
    }
    Mat4 out;
    out.at(0, 0) = (e * i - f * h) / det;
    out.at(0, 1) = (c * h - b * i) / det;
    out.at(0, 2) = (b * f - c * e) / det;
    out.at(1, 0) = (f * g - d * i) / det;
    out.at(1, 1) = (a * i - c * g) / det;
    out.at(1, 2) = (c * d - a * f) / det;
    out.at(2, 0) = (d * h - e * g) / det;
    out.at(2, 1) = (b * g - a * h) / det;
    out.at(2, 2) = (a * e - b * d) / det;
    for (int r = 0; r < 3; ++r) {
        out.at(r, 3) = -(out.at(r, 0) * m.at(0, 3) + out.at(r, 1) * m.at(1, 3) + out.at(r, 2) * m.at(2, 3));
    }
    return out;
}

Vec3d TransformPoint(const Mat4& m, const Vec3d& p) {
    const Vec3d d = TransformDirection(m, p);
    return {d.x + m.at(0, 3), d.y + m.at(1, 3), d.z + m.at(2, 3)};
}

Vec3d TransformDirection(const Mat4& m, const Vec3d& p) {
    return {m.at(0, 0) * p.x + m.at(0, 1) * p.y + m.at(0, 2) * p.z,
            m.at(1, 0) * p.x + m.at(1, 1) * p.y + m.at(1, 2) * p.z,
            m.at(2, 0) * p.x + m.at(2, 1) * p.y + m.at(2, 2) * p.z};
}

Vec3d TransformNormal(const Mat4& m, const Vec3d& n) {
    const Mat4 inverse = InverseAffine(m);
    return {inverse.at(0, 0) * n.x + inverse.at(1, 0) * n.y + inverse.at(2, 0) * n.z,
            inverse.at(0, 1) * n.x + inverse.at(1, 1) * n.y + inverse.at(2, 1) * n.z,
            inverse.at(0, 2) * n.x + inverse.at(1, 2) * n.y + inverse.at(2, 2) * n.z};
}

double Dot(const Vec3d& a, const Vec3d& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vec3d Cross(const Vec3d& a, const Vec3d& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vec3d Towards(const Vec3d& a, const Vec3d& b) { return {b.x - a.x, b.y - a.y, b.z - a.z}; }

Mat4 AxisChange() {
    Mat4 c;
    c.at(1, 1) = 0.0;
    c.at(1, 2) = 1.0;
    c.at(2, 1) = -1.0;
    c.at(2, 2) = 0.0;
    return c;
}

Mat4 AxisChangeBack() { return InverseAffine(AxisChange()); }

Vec3d ToGltfAxes(const hostapi::Point3& p) {
    return {static_cast<double>(p.x), static_cast<double>(p.z), -static_cast<double>(p.y)};
}

TRS Decompose(const Mat4& m) {
    TRS out;
    out.translation = {m.at(0, 3), m.at(1, 3), m.at(2, 3)};
    double columns[3][3];
    for (int c = 0; c < 3; ++c) {
        const double s = Length(m.at(0, c), m.at(1, c), m.at(2, c));
        out.scale[static_cast<std::size_t>(c)] = s;
        for (int r = 0; r < 3; ++r) {
            columns[r][c] = s > 0.0 ? m.at(r, c) / s : (r == c ? 1.0 : 0.0);
        }
    }
    // A mirroring matrix keeps a proper rotation with the x scale negated.
    const double det = columns[0][0] * (columns[1][1] * columns[2][2] - columns[1][2] * columns[2][1]) -
                       columns[0][1] * (columns[1][0] * columns[2][2] - columns[1][2] * columns[2][0]) +
                       columns[0][2] * (columns[1][0] * columns[2][1] - columns[1][1] * columns[2][0]);
    if (det < 0.0) {
        out.scale[0] = -out.scale[0];
        for (auto& row : columns) {
            row[0] = -row[0];
        }
    }
    out.rotation = QuaternionOf(columns);
    // Shear shows as columns that are not at right angles.
    for (int a = 0; a < 3; ++a) {
        for (int b = a + 1; b < 3; ++b) {
            const double dot = columns[0][a] * columns[0][b] + columns[1][a] * columns[1][b] + columns[2][a] * columns[2][b];
            out.exact = out.exact && std::fabs(dot) < 1e-5;
        }
    }
    return out;
}

Mat4 TrsMatrix(const TRS& trs) {
    const Quat& given = trs.rotation;
    const double len = std::sqrt(given[0] * given[0] + given[1] * given[1] + given[2] * given[2] + given[3] * given[3]);
    const Quat q = len > 0.0 && std::isfinite(len)
                       ? Quat{given[0] / len, given[1] / len, given[2] / len, given[3] / len}
                                                   : Quat{0.0, 0.0, 0.0, 1.0};
    const double x = q[0], y = q[1], z = q[2], w = q[3];
    const double rot[3][3] = {{1 - 2 * (y * y + z * z), 2 * (x * y - z * w), 2 * (x * z + y * w)},
                              {2 * (x * y + z * w), 1 - 2 * (x * x + z * z), 2 * (y * z - x * w)},
                              {2 * (x * z - y * w), 2 * (y * z + x * w), 1 - 2 * (x * x + y * y)}};
    Mat4 m;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            m.at(r, c) = rot[r][c] * trs.scale[static_cast<std::size_t>(c)];
        }
        m.at(r, 3) = trs.translation[static_cast<std::size_t>(r)];
    }
    return m;
}

Quat QuatProduct(const Quat& a, const Quat& b) {
    return {a[3] * b[0] + a[0] * b[3] + a[1] * b[2] - a[2] * b[1],
            a[3] * b[1] - a[0] * b[2] + a[1] * b[3] + a[2] * b[0],
            a[3] * b[2] + a[0] * b[1] - a[1] * b[0] + a[2] * b[3],
            a[3] * b[3] - a[0] * b[0] - a[1] * b[1] - a[2] * b[2]};
}

}  // namespace tvx::gltf
