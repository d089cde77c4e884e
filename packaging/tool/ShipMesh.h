// The ship's mesh, made from the ship's own tables (vessel/ShipTables.h), so that a port, an
// engine or a thruster added to a table appears in the mesh without touching this code: a hull
// turned through cross-sections along the ship (a tapered nose, a crew module with a lit window
// band, a slender spine widening at midship where the side ports and the airlock door are, an
// engine section flaring out to the thrust plate), an engine bell at every exhaust point facing
// along the flames, a docking collar facing out of every port (on a pod held by an arm where the
// port lies off the hull), attitude thruster blocks with a nozzle for each thruster at the
// thrusters' positions and at their exhaust points, the airlock door outlined on the hull, and a
// landing pad on a leg at each of the ship's landing pads' touchdown points.
#pragma once

#include <span>

#include "packaging/tool/MeshFile.h"
#include "vessel/ShipTables.h"

namespace ship_mesh {

// The parts the mesh shows: the ship's tables unless a caller names others.
struct ShipParts {
    std::span<const quillmar::DockingPort> ports = quillmar::kDockingPorts;
    std::span<const VECTOR3> exhaustPoints = quillmar::kMainExhaustPoints;
    std::span<const quillmar::AttitudeThruster> thrusters = quillmar::kAttitudeThrusters;
    std::span<const TOUCHDOWNVTX> pads{quillmar::kTouchdownPoints, quillmar::kLandingPadCount};
};

// The groups' labels, each group in a material of the same name.
inline constexpr const char* kHullGroup = "hull";
inline constexpr const char* kModuleGroup = "modules";
inline constexpr const char* kBellGroup = "engine_bells";
inline constexpr const char* kExitGroup = "nozzle_exits";
inline constexpr const char* kCollarGroup = "collars";
inline constexpr const char* kWindowGroup = "windows";
inline constexpr const char* kDoorGroup = "airlock_door";
inline constexpr const char* kThrusterGroup = "attitude_thrusters";

Mesh BuildShipMesh(const ShipParts& parts = {});

}  // namespace ship_mesh
