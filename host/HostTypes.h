// Value types and opaque handles of the host simulator's vessel interface.
#pragma once

#include <cstdint>

#include "host/Platform.h"

// Three doubles; vessel frame unless a call says otherwise (x right, y up, z forward).
struct VECTOR3 {
    double x;
    double y;
    double z;
};

// 3x3 matrix of doubles, row-major: m12 is row 1, column 2.
struct MATRIX3 {
    double m11, m12, m13;
    double m21, m22, m23;
    double m31, m32, m33;
};

// Opaque handles handed out by the host. The module never frees them.
using OBJHANDLE = void*;
using THRUSTER_HANDLE = void*;
using THGROUP_HANDLE = void*;
using PROPELLANT_HANDLE = void*;
using DOCKHANDLE = void*;
using ATTACHMENTHANDLE = void*;
using FILEHANDLE = void*;
using SURFHANDLE = void*;
using PSTREAM_HANDLE = void*;
using VISHANDLE = void*;

// Thruster-group types. The numbers are part of the interface.
enum THGROUP_TYPE : int {
    THGROUP_MAIN = 0,
    THGROUP_RETRO = 1,
    THGROUP_HOVER = 2,
    THGROUP_ATT_PITCHUP = 3,
    THGROUP_ATT_PITCHDOWN = 4,
    THGROUP_ATT_YAWLEFT = 5,
    THGROUP_ATT_YAWRIGHT = 6,
    THGROUP_ATT_BANKLEFT = 7,
    THGROUP_ATT_BANKRIGHT = 8,
    THGROUP_ATT_RIGHT = 9,
    THGROUP_ATT_LEFT = 10,
    THGROUP_ATT_UP = 11,
    THGROUP_ATT_DOWN = 12,
    THGROUP_ATT_FORWARD = 13,
    THGROUP_ATT_BACK = 14,
};
inline constexpr int THGROUP_TYPE_COUNT = 15;

// Full state of a vessel relative to its reference body, as used to create one.
struct VESSELSTATUS {
    VECTOR3 rpos;       // position relative to the reference body, m
    VECTOR3 rvel;       // velocity relative to the reference body, m/s
    VECTOR3 vrot;       // angular velocity, rad/s, vessel frame
    VECTOR3 arot;       // orientation as Euler angles, rad
    double fuel;        // propellant level 0..1
    double eng_main;    // main engine level 0..1
    double eng_hovr;    // hover engine level 0..1
    OBJHANDLE rbody;    // reference body
    OBJHANDLE base;     // base landed at, if any
    int port;           // landing pad
    int status;         // 0 in free flight, 1 landed
    VECTOR3 vdata[10];  // reserved
    double fdata[10];   // reserved
    DWORD flag[10];     // reserved
};

enum PARTICLE_LIGHTING : int { PARTICLE_EMISSIVE = 0, PARTICLE_DIFFUSE = 1 };
enum PARTICLE_LEVELMAP : int {
    PARTICLE_LVL_FLAT = 0,
    PARTICLE_LVL_LIN = 1,
    PARTICLE_LVL_SQRT = 2,
    PARTICLE_LVL_PLIN = 3,
    PARTICLE_LVL_PSQRT = 4,
};
enum PARTICLE_ATMSMAP : int { PARTICLE_ATM_FLAT = 0, PARTICLE_ATM_PLIN = 1, PARTICLE_ATM_PLOG = 2 };

// Description of a particle stream (exhaust smoke and the like).
struct PARTICLESTREAMSPEC {
    DWORD flags;                 // reserved
    double srcsize;              // particle size at creation, m
    double srcrate;              // particles created per second
    double v0;                   // emission velocity, m/s
    double srcspread;            // velocity spread
    double lifetime;             // particle lifetime, s
    double growthrate;           // growth rate, m/s
    double atmslowdown;          // slow-down in atmosphere
    PARTICLE_LIGHTING ltype;     // lighting
    PARTICLE_LEVELMAP levelmap;  // thrust level to particle alpha
    double lmin, lmax;           // level limits
    PARTICLE_ATMSMAP atmsmap;    // atmospheric pressure to particle alpha
    double amin, amax;           // pressure limits
    SURFHANDLE tex;              // texture, null for the host's default
};

// What the host tells a vessel about the HUD it is drawing.
struct HUDPAINTSPEC {
    int W, H;        // HUD width and height, pixels
    int CX, CY;      // HUD centre, pixels
    double Scale;    // pixels per degree
    int Markersize;  // marker size, pixels
};
