// Value types and opaque handles of the host simulator's vessel interface, declared by the project
// for every build: the Linux one and the Windows DLLs in the simulator's own C++ ABI. Names,
// members, layouts and values are the simulator's, so that the module's objects and the decorated
// names it imports are the ones the simulator has; host/abi/AbiTable.h holds the measured layout
// and values these declarations must keep, and scripts/check-abi.py holds them to it.
#pragma once

#include "host/Platform.h"

// Vectors and matrices are unions of an array and named members; the named members are an
// anonymous struct, which compilers accept as an extension. Being unions is part of the ABI: it
// shows in every decorated name that takes one.
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

// Matrix products under the names the simulator's interface gives them: mul(A, b) is A b,
// tmul(A, b) is the transpose of A times b, mul(A, B) is A B. Each sum runs over the index in the
// same order, so results do not depend on which build computes them.
inline VECTOR3 mul(const MATRIX3& A, const VECTOR3& b) {
    VECTOR3 product{};
    for (int row = 0; row < 3; ++row) {
        const double* a = &A.data[3 * row];
        product.data[row] = a[0] * b.data[0] + a[1] * b.data[1] + a[2] * b.data[2];
    }
    return product;
}

inline VECTOR3 tmul(const MATRIX3& A, const VECTOR3& b) {
    VECTOR3 product{};
    for (int column = 0; column < 3; ++column) {
        product.data[column] = A.data[column] * b.data[0] + A.data[3 + column] * b.data[1] +
                               A.data[6 + column] * b.data[2];
    }
    return product;
}

inline MATRIX3 mul(const MATRIX3& A, const MATRIX3& B) {
    MATRIX3 product{};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            product.data[3 * row + column] = A.data[3 * row] * B.data[column] +
                                             A.data[3 * row + 1] * B.data[3 + column] +
                                             A.data[3 * row + 2] * B.data[6 + column];
        }
    }
    return product;
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
// The thruster-group types above, THGROUP_MAIN to THGROUP_ATT_BACK: a host keeps one group of each.
inline constexpr int kThrusterGroupTypes = THGROUP_ATT_BACK + 1;

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

// A particle stream's look: how particles are made, move and fade, and how the engine's level and
// the air's density map onto their strength. The module fills it for its exhaust streams.
typedef struct {
    DWORD flags;
    double srcsize;
    double srcrate;
    double v0;
    double srcspread;
    double lifetime;
    double growthrate;
    double atmslowdown;
    enum LTYPE { EMISSIVE, DIFFUSE } ltype;
    enum LEVELMAP { LVL_FLAT, LVL_LIN, LVL_SQRT, LVL_PLIN, LVL_PSQRT } levelmap;
    double lmin, lmax;
    enum ATMSMAP { ATM_FLAT, ATM_PLIN, ATM_PLOG } atmsmap;
    double amin, amax;
    SURFHANDLE tex;
} PARTICLESTREAMSPEC;

// What the host tells a vessel about the HUD it is drawing.
typedef struct {
    int W, H;        // HUD width and height, pixels
    int CX, CY;      // HUD centre, pixels
    double Scale;    // pixels per degree
    int Markersize;  // marker size, pixels
} HUDPAINTSPEC;

// A point on which the vessel meets the ground: its position in the vessel frame, m; the spring
// it stands on there (stiffness, N/m; damping, N s/m); and the friction coefficients across and
// along the vessel's z axis. A vessel that sets none stands on the host's three default points.
typedef struct {
    VECTOR3 pos;
    double stiffness;
    double damping;
    double mu;
    double mu_lng;
} TOUCHDOWNVTX;

// When a mesh is drawn (SetMeshVisibilityMode): bits of a WORD. The module's hull is seen from
// outside and from the cockpit alike.
#define MESHVIS_NEVER 0x00
#define MESHVIS_EXTERNAL 0x01
#define MESHVIS_COCKPIT 0x02
#define MESHVIS_ALWAYS 0x03
#define MESHVIS_VC 0x04
#define MESHVIS_EXTPASS 0x10
