// Value types and opaque handles of the host simulator's vessel interface.
//
// Built against the simulator's own development kit (QM_ORBITER_SDK), these are the kit's types.
// Otherwise this header declares them itself, following the kit exactly (the same names, members,
// layout and function signatures), so that the module compiles to the same meaning either way.
#pragma once

#include "host/Platform.h"

#if defined(QM_ORBITER_SDK)

#include <Orbitersdk.h>

#else

#include <cstdint>

// The kit's vectors and matrices are unions of an array and named members; the named members are
// an anonymous struct, which compilers accept as an extension.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpedantic"

// Three doubles; vessel frame unless a call says otherwise (x right, y up, z forward).
typedef union {
    double data[3];
    struct {
        double x, y, z;
    };
} VECTOR3;

// 3x3 matrix of doubles, row-major: m12 is row 1, column 2.
typedef union {
    double data[9];
    struct {
        double m11, m12, m13, m21, m22, m23, m31, m32, m33;
    };
} MATRIX3;

#pragma GCC diagnostic pop

// The SDK's inline matrix products, under its names: A b, transpose(A) b and A B.
inline VECTOR3 mul(const MATRIX3& A, const VECTOR3& b) {
    return {A.m11 * b.x + A.m12 * b.y + A.m13 * b.z, A.m21 * b.x + A.m22 * b.y + A.m23 * b.z,
            A.m31 * b.x + A.m32 * b.y + A.m33 * b.z};
}

inline VECTOR3 tmul(const MATRIX3& A, const VECTOR3& b) {
    return {A.m11 * b.x + A.m21 * b.y + A.m31 * b.z, A.m12 * b.x + A.m22 * b.y + A.m32 * b.z,
            A.m13 * b.x + A.m23 * b.y + A.m33 * b.z};
}

inline MATRIX3 mul(const MATRIX3& A, const MATRIX3& B) {
    return {A.m11 * B.m11 + A.m12 * B.m21 + A.m13 * B.m31,
            A.m11 * B.m12 + A.m12 * B.m22 + A.m13 * B.m32,
            A.m11 * B.m13 + A.m12 * B.m23 + A.m13 * B.m33,
            A.m21 * B.m11 + A.m22 * B.m21 + A.m23 * B.m31,
            A.m21 * B.m12 + A.m22 * B.m22 + A.m23 * B.m32,
            A.m21 * B.m13 + A.m22 * B.m23 + A.m23 * B.m33,
            A.m31 * B.m11 + A.m32 * B.m21 + A.m33 * B.m31,
            A.m31 * B.m12 + A.m32 * B.m22 + A.m33 * B.m32,
            A.m31 * B.m13 + A.m32 * B.m23 + A.m33 * B.m33};
}

// Opaque handles handed out by the host. The module never frees them.
typedef void* OBJHANDLE;
typedef void* VISHANDLE;
typedef void* MESHHANDLE;
typedef void* SURFHANDLE;
typedef void* PANELHANDLE;
typedef void* FILEHANDLE;
typedef void* THRUSTER_HANDLE;
typedef void* THGROUP_HANDLE;
typedef void* PROPELLANT_HANDLE;
typedef void* PSTREAM_HANDLE;
typedef void* DOCKHANDLE;
typedef void* ATTACHMENTHANDLE;

// Thruster-group types. The numbers are part of the interface.
enum THGROUP_TYPE {
    THGROUP_MAIN,
    THGROUP_RETRO,
    THGROUP_HOVER,
    THGROUP_ATT_PITCHUP,
    THGROUP_ATT_PITCHDOWN,
    THGROUP_ATT_YAWLEFT,
    THGROUP_ATT_YAWRIGHT,
    THGROUP_ATT_BANKLEFT,
    THGROUP_ATT_BANKRIGHT,
    THGROUP_ATT_RIGHT,
    THGROUP_ATT_LEFT,
    THGROUP_ATT_UP,
    THGROUP_ATT_DOWN,
    THGROUP_ATT_FORWARD,
    THGROUP_ATT_BACK,
};

// Full state of a vessel relative to its reference body, as used to create one.
typedef struct {
    VECTOR3 rpos;     // position relative to the reference body, m
    VECTOR3 rvel;     // velocity relative to the reference body, m/s
    VECTOR3 vrot;     // angular velocity, rad/s, vessel frame (landed: altitude in x)
    VECTOR3 arot;     // orientation as Euler angles, rad
    double fuel;      // propellant level 0..1 (applied when flag[0] & 2)
    double eng_main;  // main/retro engine level -1..1 (applied when flag[0] & 1)
    double eng_hovr;  // hover engine level 0..1 (applied when flag[0] & 1)
    OBJHANDLE rbody;  // reference body
    OBJHANDLE base;   // base docked or landed at, if any
    int port;         // docking or landing port
    int status;       // 0 in free flight, 1 landed
    VECTOR3 vdata[10];
    double fdata[10];
    DWORD flag[10];
} VESSELSTATUS;

// Description of a particle stream (exhaust smoke and the like).
typedef struct {
    DWORD flags;
    double srcsize;      // particle size at creation, m
    double srcrate;      // particles created per second
    double v0;           // emission velocity, m/s
    double srcspread;    // velocity spread
    double lifetime;     // particle lifetime, s
    double growthrate;   // growth rate, m/s
    double atmslowdown;  // slow-down in atmosphere
    enum LTYPE { EMISSIVE, DIFFUSE } ltype;
    enum LEVELMAP { LVL_FLAT, LVL_LIN, LVL_SQRT, LVL_PLIN, LVL_PSQRT } levelmap;
    double lmin, lmax;  // level limits of the PLIN and PSQRT mappings
    enum ATMSMAP { ATM_FLAT, ATM_PLIN, ATM_PLOG } atmsmap;
    double amin, amax;  // density limits of the PLIN mapping
    SURFHANDLE tex;     // texture, null for the host's default
} PARTICLESTREAMSPEC;

// What the host tells a vessel about the HUD it is drawing.
typedef struct {
    int W, H;        // HUD width and height, pixels
    int CX, CY;      // HUD centre, pixels
    double Scale;    // pixels per degree
    int Markersize;  // marker size, pixels
} HUDPAINTSPEC;

// Mesh visibility modes (SetMeshVisibilityMode), bits.
#define MESHVIS_NEVER 0x00     // never visible
#define MESHVIS_EXTERNAL 0x01  // visible in external views
#define MESHVIS_COCKPIT 0x02   // visible in all internal (cockpit) views
#define MESHVIS_ALWAYS (MESHVIS_EXTERNAL | MESHVIS_COCKPIT)

#endif
