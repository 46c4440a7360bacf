#include "geometry/Matrix3d.h"

#include <algorithm>
#include <cmath>

namespace tvx::detail {

Matrix3d UpperLeft3x3(const Matrix4& m) {
    Matrix3d r;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            r(i, j) = static_cast<double>(m(i, j));
        }
    }
    return r;
}

Matrix4 ToMatrix4(const Matrix3d& m) {
    Matrix4 r;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            r(i, j) = static_cast<float>(m(i, j));
        }
    }
    return r;
}

Matrix3d Multiply(const Matrix3d& a, const Matrix3d& b) {
    Matrix3d c = Matrix3d::Zero();
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            c(i, j) = a(i, 0) * b(0, j) + a(i, 1) * b(1, j) + a(i, 2) * b(2, j);
        }
    }
    return c;
}

Matrix3d Transpose(const Matrix3d& a) {
    Matrix3d t;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            t(i, j) = a(j, i);
        }
    }
    return t;
}

Matrix3d Add(const Matrix3d& a, const Matrix3d& b) {
    Matrix3d c;
    for (std::size_t i = 0; i < 9; ++i) {
        c.m[i] = a.m[i] + b.m[i];
    }
    return c;
}

Matrix3d Subtract(const Matrix3d& a, const Matrix3d& b) { return Add(a, Scale(b, -1.0)); }

Matrix3d Scale(const Matrix3d& a, double s) {
    Matrix3d c;
    for (std::size_t i = 0; i < 9; ++i) {
        c.m[i] = a.m[i] * s;
    }
    return c;
}

Matrix3d Outer(const Vector3d& u, const Vector3d& v) {
    const std::array<double, 3> uu{u.x, u.y, u.z};
    const std::array<double, 3> vv{v.x, v.y, v.z};
    Matrix3d c;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            c(i, j) = uu[static_cast<std::size_t>(i)] * vv[static_cast<std::size_t>(j)];
        }
    }
    return c;
}

Matrix3d Cofactors(const Matrix3d& a) {
    Matrix3d c;
    SetColumn(c, 0, Cross(Column(a, 1), Column(a, 2)));
    SetColumn(c, 1, Cross(Column(a, 2), Column(a, 0)));
    SetColumn(c, 2, Cross(Column(a, 0), Column(a, 1)));
    return c;
}

double Determinant(const Matrix3d& a) { return Dot(Column(a, 0), Cross(Column(a, 1), Column(a, 2))); }

double OneNorm(const Matrix3d& a) { return InfinityNorm(Transpose(a)); }

double InfinityNorm(const Matrix3d& a) {
    double largest = 0.0;
    for (int i = 0; i < 3; ++i) {
        largest = std::max(largest, std::fabs(a(i, 0)) + std::fabs(a(i, 1)) + std::fabs(a(i, 2)));
    }
    return largest;
}

bool IsZero(const Matrix3d& a) {
    return std::all_of(a.m.begin(), a.m.end(), [](double v) { return v == 0.0; });
}

Vector3d Transform(const Matrix3d& a, const Vector3d& v) {
    return {Dot(Row(a, 0), v), Dot(Row(a, 1), v), Dot(Row(a, 2), v)};
}

namespace {

// Unit vector perpendicular to unit vector v, from the coordinate axis least
// aligned with v so the cross product is well conditioned.
Vector3d AnyPerpendicular(const Vector3d& v) {
    const double ax = std::fabs(v.x);
    const double ay = std::fabs(v.y);
    const double az = std::fabs(v.z);
    Vector3d axis{0.0, 0.0, 1.0};
    if (ax <= ay && ax <= az) {
        axis = {1.0, 0.0, 0.0};
    } else if (ay <= az) {
        axis = {0.0, 1.0, 0.0};
    }
    return Normalized(Cross(v, axis));
}

// Below this, 1 + cos is too small to divide by and the vectors are treated
// as opposite; the error of the general formula grows as 1 / sqrt(1 + cos).
constexpr double kOppositeThreshold = 1e-10;

}  // namespace

Matrix3d RotationBetween(const Vector3d& from, const Vector3d& to) {
    const double cosine = Dot(from, to);
    if (1.0 + cosine < kOppositeThreshold) {
        // Half turn about n: 2 n n^T - I.
        const Vector3d n = AnyPerpendicular(from);
        return Subtract(Scale(Outer(n, n), 2.0), Matrix3d{});
    }
    // Rodrigues with the unnormalised axis k = from x to (|k| = sin):
    // R = I + [k]x + [k]x^2 / (1 + cos).
    const Vector3d k = Cross(from, to);
    Matrix3d skew = Matrix3d::Zero();
    skew(0, 1) = -k.z;
    skew(0, 2) = k.y;
    skew(1, 0) = k.z;
    skew(1, 2) = -k.x;
    skew(2, 0) = -k.y;
    skew(2, 1) = k.x;
    return Add(Add(Matrix3d{}, skew), Scale(Multiply(skew, skew), 1.0 / (1.0 + cosine)));
}

Vector3d Column(const Matrix3d& a, int col) { return {a(0, col), a(1, col), a(2, col)}; }

Vector3d Row(const Matrix3d& a, int row) { return {a(row, 0), a(row, 1), a(row, 2)}; }

void SetColumn(Matrix3d& a, int col, const Vector3d& v) {
    a(0, col) = v.x;
    a(1, col) = v.y;
    a(2, col) = v.z;
}

double Dot(const Vector3d& a, const Vector3d& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Vector3d Cross(const Vector3d& a, const Vector3d& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vector3d Negated(const Vector3d& a) { return {-a.x, -a.y, -a.z}; }

Vector3d Normalized(const Vector3d& a) {
    const double length = std::sqrt(Dot(a, a));
    if (!(length > 0.0)) {
        return {};
    }
    return {a.x / length, a.y / length, a.z / length};
}

}  // namespace tvx::detail
