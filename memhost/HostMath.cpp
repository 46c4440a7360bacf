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

Point3 Lerp(const Point3& a, const Point3& b, double u) {
    auto mix = [u](float x, float y) {
        return static_cast<float>(static_cast<double>(x) + (static_cast<double>(y) - static_cast<double>(x)) * u);
    };
    return Point3(mix(a.x, b.x), mix(a.y, b.y), mix(a.z, b.z));
}

namespace {

using Quat4 = std::array<double, 4>;

Quat4 Normalised(const hostapi::Quat& q) {
    const Quat4 v{static_cast<double>(q.x), static_cast<double>(q.y), static_cast<double>(q.z),
                  static_cast<double>(q.w)};
    const double norm = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2] + v[3] * v[3]);
    if (!(norm > 0.0) || !std::isfinite(norm)) {
        return {0.0, 0.0, 0.0, 1.0};
    }
    return {v[0] / norm, v[1] / norm, v[2] / norm, v[3] / norm};
}

}  // namespace

hostapi::Quat Slerp(const hostapi::Quat& a, const hostapi::Quat& b, double u) {
    const Quat4 p = Normalised(a);
    Quat4 q = Normalised(b);
    double cosine = p[0] * q[0] + p[1] * q[1] + p[2] * q[2] + p[3] * q[3];
    if (cosine < 0.0) {
        // q and -q are the same rotation; the nearer one is the short way.
        for (double& c : q) {
            c = -c;
        }
        cosine = -cosine;
    }
    double wp = 1.0 - u;
    double wq = u;
    if (cosine < 0.9999) {
        const double angle = std::acos(cosine);
        const double sine = std::sin(angle);
        wp = std::sin((1.0 - u) * angle) / sine;
        wq = std::sin(u * angle) / sine;
    }
    Quat4 r{};
    double norm = 0.0;
    for (unsigned i = 0; i < 4; ++i) {
        r[i] = wp * p[i] + wq * q[i];
        norm += r[i] * r[i];
    }
    // Nearly equal rotations blend linearly; renormalise what that gives.
    norm = std::sqrt(norm);
    return hostapi::Quat(static_cast<float>(r[0] / norm), static_cast<float>(r[1] / norm),
                         static_cast<float>(r[2] / norm), static_cast<float>(r[3] / norm));
}

Matrix3 ScaleValueMatrix(const hostapi::ScaleValue& v) {
    Matrix3 scale;
    scale.SetRow(0, Point3(v.s.x, 0, 0));
    scale.SetRow(1, Point3(0, v.s.y, 0));
    scale.SetRow(2, Point3(0, 0, v.s.z));
    if (v.q == hostapi::Quat()) {
        return scale;
    }
    const Matrix3 axes = QuatToMatrix(v.q);
    return Multiply(Multiply(memhost::Inverse(axes), scale), axes);
}

namespace {

using Vec = std::array<double, 3>;

double Dot(const Vec& a, const Vec& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

Vec Cross(const Vec& a, const Vec& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

Vec Scaled(const Vec& a, double k) { return {a[0] * k, a[1] * k, a[2] * k}; }

Vec Minus(const Vec& a, const Vec& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }

// a made a unit vector, or fallback when it has no direction.
Vec Direction(const Vec& a, const Vec& fallback) {
    const double length = std::sqrt(Dot(a, a));
    return length > 1e-12 && std::isfinite(length) ? Scaled(a, 1.0 / length) : fallback;
}

}  // namespace

ScaleRotation SplitScaleRotation(const Matrix3& m) {
    const Rows r = ToRows(m);
    const Vec r0{r[0][0], r[0][1], r[0][2]};
    const Vec r1{r[1][0], r[1][1], r[1][2]};
    const Vec r2{r[2][0], r[2][1], r[2][2]};
    const Vec x = Direction(r0, {1, 0, 0});
    // Something not parallel to x when the y row gives no direction of its own.
    const Vec helper = std::fabs(x[0]) < 0.9 ? Vec{1, 0, 0} : Vec{0, 1, 0};
    const Vec y = Direction(Minus(r1, Scaled(x, Dot(r1, x))), Direction(Cross(helper, x), {0, 1, 0}));
    const Vec z = Cross(x, y);
    ScaleRotation out;
    out.scale = Point3(static_cast<float>(std::sqrt(Dot(r0, r0))), static_cast<float>(Dot(r1, y)),
                       static_cast<float>(Dot(r2, z)));
    Rows rotation{};
    rotation[0] = x;
    rotation[1] = y;
    rotation[2] = z;
    out.rotation = FromRows(rotation);
    return out;
}

}  // namespace memhost
