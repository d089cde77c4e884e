// Orientations by the simulator's convention (R = Rx * Ry * Rz with m13 = -sin y, and back with
// y = -asin m13), which the module and the stand-in share, against matrices worked out by hand
// from that convention's formulas.
#include <gtest/gtest.h>

#include <numbers>

#include "host/RotationAngles.h"

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

struct Case {
    VECTOR3 angles;    // degrees
    MATRIX3 rotation;  // rows m11 m12 m13 / m21 m22 m23 / m31 m32 m33
    VECTOR3 readBack;  // degrees: the angles the matrix gives back
};

// sin 30 = 0.5, cos 30 = 0.8660254037844386, sin 45 = cos 45 = 0.7071067811865476,
// sin 20 = 0.3420201433256687, cos 20 = 0.9396926207859084, sin 40 = 0.6427876096865394,
// cos 40 = 0.766044443118978.
// clang-format off
const Case kCases[] = {
    {{0, 30, 0},  {0.8660254037844386, 0, -0.5,
                   0, 1, 0,
                   0.5, 0, 0.8660254037844386},                       {0, 30, 0}},
    {{90, 0, 0},  {1, 0, 0,
                   0, 0, 1,
                   0, -1, 0},                                         {90, 0, 0}},
    {{0, 0, 90},  {0, 1, 0,
                   -1, 0, 0,
                   0, 0, 1},                                          {0, 0, 90}},
    // m21 = sx sy cz - cx sz, m22 = sx sy sz + cx cz, m31 = cx sy cz + sx sz,
    // m32 = cx sy sz - sx cz.
    {{30, 45, 60}, {0.3535533905932738, 0.6123724356957946, -0.7071067811865476,
                    -0.5732233047033631, 0.7391989197401166, 0.3535533905932738,
                    0.7391989197401166, 0.2803300858899106, 0.6123724356957946}, {30, 45, 60}},
    // Gimbal lock: at y = 90 degrees only x - z is defined (m21 = sin(x - z),
    // m22 = cos(x - z)), at y = -90 degrees only x + z; z reads back as 0.
    {{20, 90, 0}, {0, 0, -1,
                   0.3420201433256687, 0.9396926207859084, 0,
                   0.9396926207859084, -0.3420201433256687, 0},       {20, 90, 0}},
    {{50, 90, 30}, {0, 0, -1,
                    0.3420201433256687, 0.9396926207859084, 0,
                    0.9396926207859084, -0.3420201433256687, 0},      {20, 90, 0}},
    {{0, -90, 40}, {0, 0, 1,
                    -0.6427876096865394, 0.766044443118978, 0,
                    -0.766044443118978, -0.6427876096865394, 0},      {40, -90, 0}},
};
// clang-format on

VECTOR3 Radians(const VECTOR3& degrees) {
    return {degrees.x * kDegree, degrees.y * kDegree, degrees.z * kDegree};
}

void ExpectMatrix(const MATRIX3& got, const MATRIX3& expected) {
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(got.data[i], expected.data[i], 1e-12) << "entry " << i;
}

void ExpectDegrees(const VECTOR3& radians, const VECTOR3& degrees) {
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(radians.data[i] / kDegree, degrees.data[i], 1e-9) << i;
}

TEST(Orientation, AnglesToMatrixAndBackAsTheSimulatorDoes) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.angles.x << " " << c.angles.y << " " << c.angles.z);
        ExpectMatrix(rotation_angles::ToMatrix(Radians(c.angles)), c.rotation);
        ExpectDegrees(rotation_angles::FromMatrix(c.rotation), c.readBack);
    }
}

}  // namespace
