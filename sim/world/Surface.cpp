#include "sim/world/Surface.h"

#include <cmath>
#include <numbers>

#include "host/VectorMath.h"
#include "sim/text/TextParsing.h"
#include "sim/world/SimVessel.h"
#include "sim/world/TouchdownPoints.h"
#include "sim/world/World.h"

namespace sim {

using namespace vector_math;
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kTurn = 2.0 * std::numbers::pi;

// Unit vectors of the body's frame at a point: up, north and east.
struct Horizon {
    VECTOR3 up, north, east;
};

Horizon HorizonAt(double longitude, double latitude) {
    const double sg = std::sin(longitude), cg = std::cos(longitude);
    const double sl = std::sin(latitude), cl = std::cos(latitude);
    return {{cl * cg, sl, cl * sg}, {-sl * cg, cl, -sl * sg}, {-sg, 0.0, cg}};
}

double AngularRate(const SurfaceBody& body) { return kTurn / body.siderealDay; }

// The spot below a global position, with the heading of the vessel's z axis and the altitude of
// the position; `inBody` gets the orientation in the body's frame.
SurfaceSpot SpotOf(const World& world, const SimVessel& vessel, const SurfaceBody& body,
                   MATRIX3& inBody) {
    const MATRIX3 turn = BodyRotation(BodyAngle(body, world.SurfaceSeconds()));
    VECTOR3 local = tmul(turn, vessel.motion->pos);
    double radius = Length(local);
    if (!(radius > 0.0) || !std::isfinite(radius)) {
        local = {1.0, 0.0, 0.0};
        radius = 0.0;
    }
    const double longitude = std::atan2(local.z, local.x);
    const double latitude =
        radius > 0.0 ? std::asin(std::fmax(-1.0, std::fmin(1.0, local.y / radius))) : 0.0;
    inBody = mul(Transposed(turn), vessel.rotation);
    const VECTOR3 forward{inBody.m13, inBody.m23, inBody.m33};
    const Horizon horizon = HorizonAt(longitude, latitude);
    double heading = std::atan2(Dot(forward, horizon.east), Dot(forward, horizon.north));
    if (heading < 0.0) heading += kTurn;
    return {longitude / kDegree, latitude / kDegree, heading / kDegree, radius - body.meanRadius};
}

void Land(const World& world, SimVessel& vessel, const SurfaceSpot& spot,
          const MATRIX3& surfaceRotation) {
    vessel.motion->landed = true;
    vessel.motion->angularVelocity = {};
    vessel.surfaceRotation = surfaceRotation;
    SetSpot(vessel, spot);
    FollowSurface(world, vessel);
}

}  // namespace

const SurfaceBody* FindSurfaceBody(std::string_view name) {
    for (const SurfaceBody& body : kSurfaceBodies) {
        if (text::EqualsNoCase(body.name, name)) return &body;
    }
    return nullptr;
}

double BodyAngle(const SurfaceBody& body, double seconds) {
    return std::fmod(AngularRate(body) * seconds, kTurn);
}

MATRIX3 BodyRotation(double angle) {
    const double s = std::sin(angle), c = std::cos(angle);
    return {c, 0, -s, 0, 1, 0, s, 0, c};
}

MATRIX3 UprightOnSurface(const SurfaceSpot& spot) {
    const Horizon horizon = HorizonAt(spot.longitude * kDegree, spot.latitude * kDegree);
    const double sh = std::sin(spot.heading * kDegree), ch = std::cos(spot.heading * kDegree);
    const VECTOR3 forward = Add(Scale(horizon.north, ch), Scale(horizon.east, sh));
    const VECTOR3 right = Cross(horizon.up, forward);
    const VECTOR3& up = horizon.up;
    return {right.x, up.x, forward.x, right.y, up.y, forward.y, right.z, up.z, forward.z};
}

const SurfaceBody* SurfaceOf(const SimVessel& vessel) { return vessel.referenceBody.Surface(); }

void FollowSurface(const World& world, SimVessel& vessel) {
    const SurfaceBody* body = vessel.motion->landed ? SurfaceOf(vessel) : nullptr;
    if (body == nullptr) return;
    const MATRIX3 turn = BodyRotation(BodyAngle(*body, world.SurfaceSeconds()));
    const SurfaceSpot& spot = vessel.spot;
    const Horizon horizon = HorizonAt(spot.longitude * kDegree, spot.latitude * kDegree);
    VesselMotion& motion = *vessel.motion;
    motion.pos = mul(turn, Scale(horizon.up, body->meanRadius + spot.altitude));
    const double rate = AngularRate(*body);
    motion.vel = {-rate * motion.pos.z, 0.0, rate * motion.pos.x};
    vessel.rotation = mul(turn, vessel.surfaceRotation);
    motion.angularVelocity = {};
}

void SetOrientation(const World& world, SimVessel& vessel, const MATRIX3& rotation) {
    vessel.rotation = rotation;
    const SurfaceBody* body = vessel.motion->landed ? SurfaceOf(vessel) : nullptr;
    if (body == nullptr) return;
    const MATRIX3 turn = BodyRotation(BodyAngle(*body, world.SurfaceSeconds()));
    vessel.surfaceRotation = mul(Transposed(turn), rotation);
}

void LandBelow(const World& world, SimVessel& vessel, const SurfaceBody& body, double altitude) {
    MATRIX3 inBody{};
    SurfaceSpot spot = SpotOf(world, vessel, body, inBody);
    spot.altitude = altitude;
    Land(world, vessel, spot, UprightOnSurface(spot));
}

void LandWhereItIs(const World& world, SimVessel& vessel, const SurfaceBody& body) {
    MATRIX3 inBody{};
    const SurfaceSpot spot = SpotOf(world, vessel, body, inBody);
    Land(world, vessel, spot, inBody);
}

double RestingAltitude(const SimVessel& vessel, const SurfaceBody& body) {
    return RestAltitude(vessel.touchdownPoints, vessel.Mass() * SurfaceGravity(body));
}

bool MoveOutOfBody(World& world, SimVessel& vessel) {
    const SurfaceBody* body = SurfaceOf(vessel);
    if (!world.moveOutOfBodies || body == nullptr || vessel.motion->landed) return false;
    if (!(Length(vessel.motion->pos) < body->meanRadius)) return false;
    vessel.motion->pos = {0.0, 0.0, 1.1 * body->meanRadius};
    // To the millimetre: 1.1 R is not exact in binary.
    world.Log("moved " + vessel.name + " from inside " + vessel.referenceBody.Name() + " to 0 0 " +
              text::FormatNumber(std::round(vessel.motion->pos.z * 1000.0) / 1000.0));
    return true;
}

bool FirstPointOnSphere(const VECTOR3& from, const VECTOR3& to, double radius, VECTOR3& point) {
    // |from + t (to - from)| = radius, the smaller root t in [0, 1].
    const VECTOR3 path = Sub(to, from);
    const double a = Dot(path, path);
    const double b = Dot(from, path);
    const double c = Dot(from, from) - radius * radius;
    if (!(a > 0.0) || c < 0.0 || b >= 0.0) return false;
    const double discriminant = b * b - a * c;
    if (discriminant < 0.0) return false;
    const double t = (-b - std::sqrt(discriminant)) / a;
    if (!(t >= 0.0 && t <= 1.0)) return false;
    point = Add(from, Scale(path, t));
    return true;
}

std::string SpotText(const SimVessel& vessel) {
    std::string text;
    for (const auto& [key, value] : vessel.surfaceLines) {
        text += (text.empty() ? "" : ", ") + key + " " + value;
    }
    return text;
}

void SetSpot(SimVessel& vessel, const SurfaceSpot& spot) {
    vessel.spot = spot;
    vessel.surfaceLines = {
        {"POS", text::FormatNumber(spot.longitude) + " " + text::FormatNumber(spot.latitude)},
        {"HEADING", text::FormatNumber(spot.heading)},
        {"ALT", text::FormatNumber(spot.altitude)},
    };
}

void SetAltitude(SimVessel& vessel, double altitude) {
    vessel.spot.altitude = altitude;
    std::string value = text::FormatNumber(altitude);
    for (auto& [key, line] : vessel.surfaceLines) {
        if (text::EqualsNoCase(key, "ALT")) {
            line = std::move(value);
            return;
        }
    }
    vessel.surfaceLines.emplace_back("ALT", std::move(value));
}

}  // namespace sim
