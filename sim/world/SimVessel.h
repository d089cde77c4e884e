// One vessel as the simulator keeps it: its definition (mass, propellant, thrusters, groups,
// docks, attachments, meshes, transponder), its motion and what it last drew on the HUD.
// Handles given to modules are pointers to the objects held here; the vessel keeps a hash map of
// the handles it gave out, so a handle is checked in constant time without ever reading through
// a pointer that is not one of its own.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

#include "host/HostApi.h"
#include "sim/host-side/CrewAddonVessel.h"
#include "sim/world/ReferenceBody.h"
#include "sim/world/Surface.h"
#include "sim/world/TouchdownPoints.h"
#include "sim/world/VesselMotion.h"

namespace sim {

class ModuleLibrary;
struct SimVessel;

struct Propellant {
    std::size_t index;
    double maxMass;
    double mass;
    double efficiency;
};

struct Thruster {
    std::size_t index;  // creation order among the vessel's thrusters
    VECTOR3 pos;
    VECTOR3 dir;
    double maxThrust;
    Propellant* propellant;
    double isp;
    double ispRef;
    double pRef;
    double level;  // 0..1
};

// One of the fixed group slots, one per THGROUP_TYPE. Replacing a group reuses its list's
// storage, so re-creating a group of the same size or shorter allocates nothing.
struct ThrusterGroup {
    std::vector<Thruster*> members;
    bool exists = false;
    // Of a rotation group: the turning strength, N m, as the simulator works it out when the group
    // is created, from its thrusters' maximum thrust then. Changing a thruster's maximum later
    // does not change it; creating the group again does.
    double maxAngularMoment = 0.0;

    // Whether the group exists with exactly these thrusters, in this order.
    bool Holds(const THRUSTER_HANDLE* thrusters, std::size_t count) const {
        if (!exists || members.size() != count) return false;
        for (std::size_t i = 0; i < count; ++i) {
            if (thrusters[i] != members[i]) return false;
        }
        return true;
    }
};

struct Exhaust {
    Thruster* thruster;
    double lengthScale;
    double widthScale;
    VECTOR3 pos;
    VECTOR3 dir;
    SURFHANDLE texture;
};

struct ExhaustStream {
    Thruster* thruster;
    const VECTOR3* source;  // kept as given: the stream follows the caller's point
    PARTICLESTREAMSPEC description;
    bool hasStreamDescription;
};

struct Dock {
    std::size_t index;
    VECTOR3 pos;
    VECTOR3 dir;
    VECTOR3 rot;
    SimVessel* mate;
    std::size_t matePort;
};

struct Attachment {
    std::string id;
    VECTOR3 pos;
    VECTOR3 dir;
    VECTOR3 rot;
    std::size_t index;
    bool toParent;
    bool loose;
};

struct Mesh {
    std::string name;
    VECTOR3 offset;
    unsigned short visibility;
};

// A vessel's attachments of one side, in creation order.
using AttachmentList = std::vector<std::unique_ptr<Attachment>>;

// The interface of a vessel whose class has no module: the host's own callbacks only. Final, as
// every interface object the stand-in holds by value, since VESSEL2 has no virtual destructor.
class InertVessel final : public VESSEL2 {
  public:
    using VESSEL2::VESSEL2;
};

enum class VesselKind {
    Module,     // made by a vessel module's ovcInit
    CrewAddon,  // the built-in crew add-on class
    Inert,      // a class without a module: no callbacks, scenario lines kept as read
};

struct SimVessel {
    SimVessel() = default;
    // Handles are the vessel's address, and `motion` may point into the vessel itself: it never
    // moves.
    SimVessel(const SimVessel&) = delete;
    SimVessel& operator=(const SimVessel&) = delete;

    // Its motion: while the vessel is in the world's list, its record in the world's table
    // (World::Frame); before and after, `ownMotion`.
    VesselMotion* motion = &ownMotion;
    VesselMotion ownMotion;
    ReferenceBody referenceBody{"Earth"};
    MATRIX3 rotation{1, 0, 0, 0, 1, 0, 0, 0, 1};  // vessel frame to global frame

    std::string name;
    std::string className;
    VesselKind kind = VesselKind::Inert;
    // Deleted: still in the simulation until the end of the frame's post-step; the focus then
    // goes to focusAfterRemoval when that vessel still exists.
    bool marked = false;
    ModuleLibrary* module = nullptr;
    SimVessel* focusAfterRemoval = nullptr;

    // The interface the host hands out (oapiGetVesselInterface): the module's own object, or for
    // a vessel of the host's own classes, the object held here.
    VESSEL* vesselInterface = nullptr;
    std::variant<std::monostate, InertVessel, CrewAddonVessel> builtInInterface;

    // Physical definition.
    double size = 0.0;
    double emptyMass = 0.0;
    std::array<double, 4> cw{};
    VECTOR3 crossSections{};
    VECTOR3 rotDrag{};
    double pitchMomentScale = 0.0;
    double bankMomentScale = 0.0;
    VECTOR3 pmi{};
    // The points it stands on when landed (sim/world/TouchdownPoints.h).
    std::vector<TOUCHDOWNVTX> touchdownPoints{std::begin(kDefaultTouchdownPoints),
                                              std::end(kDefaultTouchdownPoints)};
    std::vector<std::unique_ptr<Propellant>> propellants;
    std::vector<std::unique_ptr<Thruster>> thrusters;
    std::array<ThrusterGroup, kThrusterGroupTypes> groups;
    std::vector<Exhaust> exhausts;
    std::vector<std::unique_ptr<ExhaustStream>> streams;
    std::vector<std::unique_ptr<Dock>> docks;
    std::array<AttachmentList, 2> attachments;  // [toParent]
    std::vector<Mesh> meshes;
    VECTOR3 cameraOffset{};
    bool transponderOn = false;
    unsigned int transponderChannel = 0;

    // Of a vessel `landed` on `referenceBody` ("STATUS Landed BODY"): where it stands, its
    // orientation in the body's frame, and its surface lines (POS, BASE, HEADING, ALT) as read or
    // as its landed status gave them. On a body without surface (sim/world/SurfaceBodies.h) it
    // stays where it is and the body's frame is the global frame.
    SurfaceSpot spot;
    MATRIX3 surfaceRotation{1, 0, 0, 0, 1, 0, 0, 0, 1};
    std::vector<std::pair<std::string, std::string>> surfaceLines;

    // Scenario lines of an inert vessel, kept exactly as read, and lines before its header.
    bool hasKeptLines = false;
    std::vector<std::string> keptLines;
    std::string keptHeader;
    std::string keptEnd;
    std::vector<std::string> leadingLines;

    enum class HandleKind { Propellant, Thruster, Dock, Attachment };
    std::unordered_map<const void*, HandleKind> handles;

    // The status a module created the vessel with (oapiCreateVessel), for tests to look at.
    std::unique_ptr<VESSELSTATUS> creationStatus;

    // The text drawn in this vessel's most recent HUD frame.
    bool hudHasText = false;
    std::string hudText;

    double Mass() const;

    // New objects of the vessel; their addresses are the handles given out.
    Propellant* AddPropellant(double maxMass, double mass, double efficiency);
    Thruster* AddThruster(const Thruster& thruster);
    Dock* AddDock(const VECTOR3& pos, const VECTOR3& dir, const VECTOR3& rot);
    Attachment* AddAttachment(Attachment attachment);

    // The vessel's own object for a handle, or null when the handle is not one of its own.
    Propellant* FindPropellant(const void* handle) const;
    Thruster* FindThruster(const void* handle) const;
    Dock* FindDock(const void* handle) const;
    Attachment* FindAttachment(const void* handle) const;
    int GroupType(const void* handle) const;  // -1 when not one of its groups

    // Makes the group exist with those of the thrusters that are the vessel's own, reusing the
    // group's storage.
    void ReplaceGroup(ThrusterGroup& group, const THRUSTER_HANDLE* thrusters, std::size_t count);

    // Sets the level (clamped to 0..1) of every thruster of the group, when the group exists.
    void SetGroupLevel(int type, double level);

    // Removes thrusters with everything that refers to them (groups, exhausts, streams).
    void DeleteThrusters(const std::vector<Thruster*>& doomed);

    // The port, created on demand up to `index` for an inert vessel; null when missing.
    Dock* DockAt(std::size_t index);
};

}  // namespace sim
