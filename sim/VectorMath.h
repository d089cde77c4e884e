// Small vector and matrix operations on the host's VECTOR3 and MATRIX3.
#pragma once

#include <cmath>

#include "host/HostTypes.h"

namespace sim {

inline VECTOR3 Add(const VECTOR3& a, const VECTOR3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline VECTOR3 Sub(const VECTOR3& a, const VECTOR3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline VECTOR3 Scale(const VECTOR3& a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline double Dot(const VECTOR3& a, const VECTOR3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline double Length(const VECTOR3& a) { return std::sqrt(Dot(a, a)); }

// The component formula of the cross product; with F first this is the host's torque F x r.
inline VECTOR3 Cross(const VECTOR3& a, const VECTOR3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline MATRIX3 Identity() { return {1, 0, 0, 0, 1, 0, 0, 0, 1}; }

// m * v
inline VECTOR3 Mul(const MATRIX3& m, const VECTOR3& v) {
    return {m.m11 * v.x + m.m12 * v.y + m.m13 * v.z, m.m21 * v.x + m.m22 * v.y + m.m23 * v.z,
            m.m31 * v.x + m.m32 * v.y + m.m33 * v.z};
}

// transpose(m) * v
inline VECTOR3 MulTransposed(const MATRIX3& m, const VECTOR3& v) {
    return {m.m11 * v.x + m.m21 * v.y + m.m31 * v.z, m.m12 * v.x + m.m22 * v.y + m.m32 * v.z,
            m.m13 * v.x + m.m23 * v.y + m.m33 * v.z};
}

inline MATRIX3 Transposed(const MATRIX3& m) {
    return {m.m11, m.m21, m.m31, m.m12, m.m22, m.m32, m.m13, m.m23, m.m33};
}

// a * b
inline MATRIX3 Mul(const MATRIX3& a, const MATRIX3& b) {
    return {a.m11 * b.m11 + a.m12 * b.m21 + a.m13 * b.m31,
            a.m11 * b.m12 + a.m12 * b.m22 + a.m13 * b.m32,
            a.m11 * b.m13 + a.m12 * b.m23 + a.m13 * b.m33,
            a.m21 * b.m11 + a.m22 * b.m21 + a.m23 * b.m31,
            a.m21 * b.m12 + a.m22 * b.m22 + a.m23 * b.m32,
            a.m21 * b.m13 + a.m22 * b.m23 + a.m23 * b.m33,
            a.m31 * b.m11 + a.m32 * b.m21 + a.m33 * b.m31,
            a.m31 * b.m12 + a.m32 * b.m22 + a.m33 * b.m32,
            a.m31 * b.m13 + a.m32 * b.m23 + a.m33 * b.m33};
}

inline bool IsZero(const VECTOR3& v) { return v.x == 0.0 && v.y == 0.0 && v.z == 0.0; }

}  // namespace sim
