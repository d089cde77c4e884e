// What a drawing of a vessel shows, worked out from the simulator's state as plain data in the
// vessel's frame: its ports and which of them is active, the published crew airlock, its
// thrusters by kind and group, the crew and docked vessels around it and the outline of its hull.
// The SVG writer (SvgDrawing.h) only lays this out on the page.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "host/HostTypes.h"

namespace sim {

class World;
struct SimVessel;

// A plane the vessel is drawn in: z runs to the right of the page; `downAxis` (0 x, 1 y, 2 z)
// runs down the page with `downSign`, and `towardsAxis` comes towards the viewer.
struct PlaneAxes {
    int downAxis;
    double downSign;
    int towardsAxis;
    double towardsSign;

    double Down(const VECTOR3& v) const;
    double Towards(const VECTOR3& v) const;
};

enum Plane : int { kTopPlane, kSidePlane };
inline constexpr PlaneAxes kPlaneAxes[] = {
    {0, 1.0, 1, 1.0},   // from above: starboard (+x) down, up (+y) towards the viewer
    {1, -1.0, 0, 1.0},  // from starboard: up (+y) up, starboard (+x) towards the viewer
};

// The published crew airlock: the child attachment's vectors hold the box (x, y and z ranges),
// the door state, an auxiliary number (not drawn) and the free seats.
struct SceneAirlock {
    bool present = false;
    VECTOR3 low{}, high{};
    bool open = false;
    double freeSeats = 0.0;
};

struct ScenePort {
    std::size_t index;
    VECTOR3 pos, dir;
    bool docked;       // something is docked here
    std::string mate;  // the docked vessel's name
    bool active;       // one of DrawingScene::activePorts
};

// Engines are the thrusters of the main, retro and hover groups; the attitude groups' others.
enum class ThrusterKind { Engine, Attitude, Ungrouped };

struct SceneThruster {
    std::size_t index;
    VECTOR3 pos, dir;
    double maxThrust;
    ThrusterKind kind;
    std::vector<int> groups;  // the thruster group types it belongs to, in type order
};

// A thruster group the vessel has: its type (THGROUP_TYPE) and its members' indices.
struct SceneGroup {
    int type;
    std::vector<std::size_t> members;
};

// A docked vessel, or a crew vessel near the drawn one.
struct NearbyVessel {
    std::string name, className;
    VECTOR3 pos;  // in the drawn vessel's frame
    bool docked;
    std::size_t port;  // the drawn vessel's port it is docked at
};

struct DrawingScene {
    std::string name, className;
    double size = 0.0;
    double simTime = 0.0, mjd = 0.0;
    SceneAirlock airlock;
    std::vector<ScenePort> ports;  // every port, in index order; positions may be non-finite
    // The active port is not published; the airlock box sits at it. Of the ports inside the box,
    // those nearest its centre: one when the box tells, several when it cannot (ports sharing a
    // box), none without an airlock or a port in it.
    std::vector<std::size_t> activePorts;
    std::vector<SceneThruster> thrusters;  // every thruster, in index order
    std::vector<SceneGroup> groups;        // in type order
    // Docked vessels, and crew vessels within the vessel's size (at least 100 m) of its origin.
    std::vector<NearbyVessel> nearby;
    // The finite ports, thrusters and exhausts: the points the vessel defines on its skin.
    std::vector<VECTOR3> skin;
    // The hull outline in each plane (Plane): the convex hull of the skin, empty when it encloses
    // no area.
    std::vector<VECTOR3> hullOutlines[2];
    // Every point a view must show: the skin, the origin, the airlock box's corners, the nearby
    // vessels, and with fewer than three skin points a cube of the vessel's size.
    std::vector<VECTOR3> content;
};

DrawingScene MakeDrawingScene(const World& world, const SimVessel& vessel);

// The convex hull of `points` in a plane, from its rearmost point; empty when the points enclose
// no area.
std::vector<VECTOR3> HullOutline(const PlaneAxes& plane, const std::vector<VECTOR3>& points);

bool IsFinite(const VECTOR3& v);

}  // namespace sim
