#include "geometry/Matrix.h"

#include <array>
#include <cmath>

namespace tvx {

namespace {

// 2 x 2 determinant of rows r0 < r1 in columns c and c + 1.
float PairMinor(const Matrix4& m, int r0, int r1, int c) {
    return m(r0, c) * m(r1, c + 1) - m(r1, c) * m(r0, c + 1);
}

// All 2 x 2 minors of one column pair, indexed by row pair. Index 4 * r0 + r1
// is used for r0 < r1; the other entries stay 0 and are never read.
using PairMinors = std::array<float, 16>;

PairMinors MinorsOfColumns(const Matrix4& m, int firstColumn) {
    PairMinors minors{};
    for (int r0 = 0; r0 < 4; ++r0) {
        for (int r1 = r0 + 1; r1 < 4; ++r1) {
            minors[static_cast<std::size_t>(4 * r0 + r1)] = PairMinor(m, r0, r1, firstColumn);
        }
    }
    return minors;
}

float MinorOfRows(const PairMinors& minors, int r0, int r1) {
    return minors[static_cast<std::size_t>(4 * r0 + r1)];
}

// Laplace expansion along columns 0-1: each 2 x 2 minor there times the
// complementary minor in columns 2-3, sign (-1)^(r0 + r1 + 1).
float Determinant(const PairMinors& left, const PairMinors& right) {
    return MinorOfRows(left, 0, 1) * MinorOfRows(right, 2, 3) - MinorOfRows(left, 0, 2) * MinorOfRows(right, 1, 3) +
           MinorOfRows(left, 0, 3) * MinorOfRows(right, 1, 2) + MinorOfRows(left, 1, 2) * MinorOfRows(right, 0, 3) -
           MinorOfRows(left, 1, 3) * MinorOfRows(right, 0, 2) + MinorOfRows(left, 2, 3) * MinorOfRows(right, 0, 1);
}

// Cofactor of (row, col). The 3 x 3 minor left after deleting row and col
// keeps one column of col's own pair (the pivot) and both columns of the other
// pair, so expanding it along the pivot reuses the other pair's 2 x 2 minors.
float Cofactor(const Matrix4& m, const PairMinors& left, const PairMinors& right, int row, int col) {
    const bool colInLeftPair = col < 2;
    const int pivotCol = colInLeftPair ? 1 - col : 5 - col;
    // The pivot is the first remaining column when it sits left of the other
    // pair, the last when it sits right of it.
    const int pivotPosition = colInLeftPair ? 0 : 2;
    const PairMinors& otherPair = colInLeftPair ? right : left;

    std::array<int, 3> rows{};
    for (int r = 0, n = 0; r < 4; ++r) {
        if (r != row) {
            rows[static_cast<std::size_t>(n++)] = r;
        }
    }

    float minor = 0.0f;
    for (int p = 0; p < 3; ++p) {
        const int upper = rows[p == 0 ? 1U : 0U];
        const int lower = rows[p == 2 ? 1U : 2U];
        const float term = m(rows[static_cast<std::size_t>(p)], pivotCol) * MinorOfRows(otherPair, upper, lower);
        minor += (p + pivotPosition) % 2 == 0 ? term : -term;
    }
    return (row + col) % 2 == 0 ? minor : -minor;
}

}  // namespace

Vector3 TransformPoint(const Matrix4& m, const Vector3& p) {
    return {m(0, 0) * p.x + m(0, 1) * p.y + m(0, 2) * p.z + m(0, 3),
            m(1, 0) * p.x + m(1, 1) * p.y + m(1, 2) * p.z + m(1, 3),
            m(2, 0) * p.x + m(2, 1) * p.y + m(2, 2) * p.z + m(2, 3)};
}

Matrix4 Multiply(const Matrix4& a, const Matrix4& b) {
    Matrix4 c = Matrix4::Zero();
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += a(i, k) * b(k, j);
            }
            c(i, j) = sum;
        }
    }
    return c;
}

Matrix4 MultiplyAffine(const Matrix4& a, const Matrix4& b) {
    Matrix4 c;  // identity, which supplies row 3
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            c(i, j) = a(i, 0) * b(0, j) + a(i, 1) * b(1, j) + a(i, 2) * b(2, j);
        }
        c(i, 3) = a(i, 0) * b(0, 3) + a(i, 1) * b(1, 3) + a(i, 2) * b(2, 3) + a(i, 3);
    }
    return c;
}

std::optional<Matrix4> InverseIfAny(const Matrix4& m) {
    const PairMinors left = MinorsOfColumns(m, 0);
    const PairMinors right = MinorsOfColumns(m, 2);
    const float determinant = Determinant(left, right);
    if (determinant == 0.0f) {
        return std::nullopt;
    }
    const float inverseDeterminant = 1.0f / determinant;
    Matrix4 inverse;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            // Adjugate: the cofactor matrix transposed.
            inverse(i, j) = Cofactor(m, left, right, j, i) * inverseDeterminant;
            if (!std::isfinite(inverse(i, j))) {
                return std::nullopt;
            }
        }
    }
    return inverse;
}

Matrix4 Inverse(const Matrix4& m) { return InverseIfAny(m).value_or(Matrix4::Identity()); }

Matrix4 RotationMatrix(const Quaternion& q) {
    const float x = q.x;
    const float y = q.y;
    const float z = q.z;
    const float w = q.w;
    Matrix4 r;
    r(0, 0) = 1.0f - 2.0f * y * y - 2.0f * z * z;
    r(0, 1) = 2.0f * x * y - 2.0f * w * z;
    r(0, 2) = 2.0f * x * z + 2.0f * w * y;
    r(1, 0) = 2.0f * x * y + 2.0f * w * z;
    r(1, 1) = 1.0f - 2.0f * x * x - 2.0f * z * z;
    r(1, 2) = 2.0f * y * z - 2.0f * w * x;
    r(2, 0) = 2.0f * x * z - 2.0f * w * y;
    r(2, 1) = 2.0f * y * z + 2.0f * w * x;
    r(2, 2) = 1.0f - 2.0f * x * x - 2.0f * y * y;
    return r;
}

Matrix4 RotationTranslationMatrix(const Quaternion& q, const Vector3& t) {
    Matrix4 m = RotationMatrix(q);
    m(0, 3) = t.x;
    m(1, 3) = t.y;
    m(2, 3) = t.z;
    return m;
}

Matrix4 ScaleMatrix(const Vector3& s) {
    Matrix4 m;
    m(0, 0) = s.x;
    m(1, 1) = s.y;
    m(2, 2) = s.z;
    return m;
}

}  // namespace tvx
