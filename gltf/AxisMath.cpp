#include "gltf/AxisMath.h"

#include <cmath>
#include <limits>

#include "gltf/GltfError.h"

namespace tvx::gltf {

namespace {

double& At(Mat4& m, int row, int col) { return m[static_cast<std::size_t>(col * 4 + row)]; }
double At(const Mat4& m, int row, int col) { return m[static_cast<std::size_t>(col * 4 + row)]; }

// The axis change as a matrix for column vectors; its inverse is its transpose.
Mat4 AxisChange() {
    Mat4 a{};
    At(a, 0, 0) = 1.0;
    At(a, 1, 2) = -1.0;
    At(a, 2, 1) = 1.0;
    At(a, 3, 3) = 1.0;
    return a;
}

Mat4 AxisChangeInverse() {
    Mat4 a{};
    At(a, 0, 0) = 1.0;
    At(a, 2, 1) = -1.0;
    At(a, 1, 2) = 1.0;
    At(a, 3, 3) = 1.0;
    return a;
}

}  // namespace

Mat4 IdentityMatrix() {
    Mat4 m{};
    for (int i = 0; i < 4; ++i) {
        At(m, i, i) = 1.0;
    }
    return m;
}

Mat4 Multiply(const Mat4& a, const Mat4& b) {
    Mat4 r{};
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) {
                sum += At(a, row, k) * At(b, k, col);
            }
            At(r, row, col) = sum;
        }
    }
    return r;
}

Mat4 TrsMatrix(const Vec3& t, const Quat& r, const Vec3& s) {
    const double len = std::sqrt(r[0] * r[0] + r[1] * r[1] + r[2] * r[2] + r[3] * r[3]);
    const Quat q = len > 0.0 && std::isfinite(len) ? Quat{r[0] / len, r[1] / len, r[2] / len, r[3] / len}
                                                   : Quat{0.0, 0.0, 0.0, 1.0};
    const double x = q[0], y = q[1], z = q[2], w = q[3];
    const double rot[3][3] = {{1 - 2 * (y * y + z * z), 2 * (x * y - z * w), 2 * (x * z + y * w)},
                              {2 * (x * y + z * w), 1 - 2 * (x * x + z * z), 2 * (y * z - x * w)},
                              {2 * (x * z - y * w), 2 * (y * z + x * w), 1 - 2 * (x * x + y * y)}};
    Mat4 m = IdentityMatrix();
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            At(m, row, col) = rot[row][col] * s[static_cast<std::size_t>(col)];
        }
        At(m, row, 3) = t[static_cast<std::size_t>(row)];
    }
    return m;
}

Mat4 AffineInverse(const Mat4& m) {
    const double a = At(m, 0, 0), b = At(m, 0, 1), c = At(m, 0, 2);
    const double d = At(m, 1, 0), e = At(m, 1, 1), f = At(m, 1, 2);
    const double g = At(m, 2, 0), h = At(m, 2, 1), i = At(m, 2, 2);
    const double det = a * (e * i - f * h) - b * (d * i - f * g) + c * (d * h - e * g);
    if (det == 0.0 || !std::isfinite(det)) {
        return IdentityMatrix();
    }
    Mat4 r = IdentityMatrix();
    const double inv[3][3] = {{(e * i - f * h) / det, (c * h - b * i) / det, (b * f - c * e) / det},
                              {(f * g - d * i) / det, (a * i - c * g) / det, (c * d - a * f) / det},
                              {(d * h - e * g) / det, (b * g - a * h) / det, (a * e - b * d) / det}};
    for (int row = 0; row < 3; ++row) {
        double t = 0.0;
        for (int col = 0; col < 3; ++col) {
            At(r, row, col) = inv[row][col];
            t -= inv[row][col] * At(m, col, 3);
        }
        At(r, row, 3) = t;
    }
    return r;
}

Vec3 TransformPoint(const Mat4& m, const Vec3& p) {
    Vec3 r{};
    for (int row = 0; row < 3; ++row) {
        r[static_cast<std::size_t>(row)] =
            At(m, row, 0) * p[0] + At(m, row, 1) * p[1] + At(m, row, 2) * p[2] + At(m, row, 3);
    }
    return r;
}

Vec3 HostPoint(const Vec3& p) { return {p[0], -p[2], p[1]}; }

Vec3 HostScale(const Vec3& s) { return {s[0], s[2], s[1]}; }

Quat HostQuat(const Quat& q) {
    const Vec3 axis = HostPoint({q[0], q[1], q[2]});
    return {-axis[0], -axis[1], -axis[2], q[3]};
}

nlohmann::ordered_json HostRows(const Mat4& m) {
    const Mat4 host = Multiply(Multiply(AxisChange(), m), AxisChangeInverse());
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    // Row i of the host matrix is column i of the column-vector matrix.
    for (int col = 0; col < 4; ++col) {
        rows.push_back({HostNumber(At(host, 0, col), "a node transform"),
                        HostNumber(At(host, 1, col), "a node transform"),
                        HostNumber(At(host, 2, col), "a node transform")});
    }
    return rows;
}

double HostNumber(double v, const char* what) {
    if (!std::isfinite(v) || std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max())) {
        throw GltfError(std::string("a value of ") + what + " is not a finite single-precision number");
    }
    return static_cast<double>(static_cast<float>(v));
}

}  // namespace tvx::gltf
