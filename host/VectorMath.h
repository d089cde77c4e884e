// Small vector and matrix operations on the host's VECTOR3 and MATRIX3, for the stand-in and the
// package tool alike; the matrix products are the host's own mul and tmul.
#pragma once

#include <cmath>

#include "host/HostTypes.h"

namespace vector_math {

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

inline MATRIX3 Transposed(const MATRIX3& m) {
    return {m.m11, m.m21, m.m31, m.m12, m.m22, m.m32, m.m13, m.m23, m.m33};
}

inline bool IsZero(const VECTOR3& v) { return v.x == 0.0 && v.y == 0.0 && v.z == 0.0; }

}  // namespace vector_math
