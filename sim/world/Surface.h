// Landed vessels on the turning surfaces of SurfaceBodies.h. A body sits at the global origin;
// its frame turns against the global frame about y by the angle its rotation has reached since
// MJD 51544.5, when longitude 0 faces the global +x axis. In the body's frame, as in the
// simulator's, a point at longitude, latitude and radius r is
// r (cos lat cos lng, sin lat, cos lat sin lng), and a vessel standing upright there has its y
// axis up and its z axis along its heading (clockwise from north).
#pragma once

#include <string>

#include "host/HostTypes.h"
#include "sim/world/SurfaceBodies.h"

namespace sim {

class World;
struct SimVessel;

// Altitude of a landed vessel whose scenario gives none (no "ALT" line), metres.
inline constexpr double kDefaultLandedAltitude = 2.0;

// Where a landed vessel stands. Angles in degrees, as the scenario gives them.
struct SurfaceSpot {
    double longitude = 0.0;
    double latitude = 0.0;
    double heading = 0.0;
    double altitude = kDefaultLandedAltitude;  // of the vessel's centre above the surface, m
};

// Angle of the body's turn at `seconds` after MJD 51544.5, radians.
double BodyAngle(const SurfaceBody& body, double seconds);
// Body frame to global frame at that angle.
MATRIX3 BodyRotation(double angle);
// Orientation of a vessel standing upright at the spot: its frame to the body's frame.
MATRIX3 UprightOnSurface(const SurfaceSpot& spot);

// The body whose surface the vessel's reference body has, or null.
const SurfaceBody* SurfaceOf(const SimVessel& vessel);

// Puts a landed vessel where its spot is now: global position, velocity (the surface's) and
// orientation. A vessel on a body without surface stays as it is.
void FollowSurface(const World& world, SimVessel& vessel);

// Turns the vessel to this global orientation; a landed one keeps it against its turning surface.
void SetOrientation(const World& world, SimVessel& vessel, const MATRIX3& rotation);

// Makes the vessel landed at the point of `body` below (or above) its global position, at that
// altitude, standing upright, turned to the heading of its z axis.
void LandBelow(const World& world, SimVessel& vessel, const SurfaceBody& body, double altitude);
// Makes the vessel landed where it is, keeping its orientation against the turning surface.
void LandWhereItIs(const World& world, SimVessel& vessel, const SurfaceBody& body);

// Height of the vessel's centre above the surface when it rests on its touchdown points on
// `body` with its present mass: the simulator's landed altitude.
double RestingAltitude(const SimVessel& vessel, const SurfaceBody& body);

// The simulator's check of a state in free flight: a position inside the reference body (closer
// to its centre than its mean radius) becomes (0, 0, 1.1 R) in the body's global frame, which the
// transcript notes. True when the vessel was moved. A world whose moveOutOfBodies is off keeps
// the vessel where it is.
bool MoveOutOfBody(World& world, SimVessel& vessel);

// Where a straight path from `from` (outside or on the sphere of `radius` about the origin) to
// `to` first meets that sphere, into `point`. False when it does not meet it: a long frame may
// pass through a body and out on its far side, so the path counts, not only its end.
bool FirstPointOnSphere(const VECTOR3& from, const VECTOR3& to, double radius, VECTOR3& point);

// A crew vessel of the add-on made in free flight closer than this to a surface stands on it, its
// centre this high: the add-on's crew walk on the ground.
inline constexpr double kCrewStepDownHeight = 50.0;
inline constexpr double kCrewStandingAltitude = 1.0;

// A landed vessel's surface lines on one line ("POS lng lat, HEADING hdg, ALT alt"), for the
// transcript.
std::string SpotText(const SimVessel& vessel);

// Sets the spot and rewrites the vessel's surface lines (POS, HEADING, ALT) from it.
void SetSpot(SimVessel& vessel, const SurfaceSpot& spot);
// Sets the spot's altitude and the ALT line, keeping the other surface lines as they are.
void SetAltitude(SimVessel& vessel, double altitude);

}  // namespace sim
