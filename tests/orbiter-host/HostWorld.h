// The test host's world: the vessels of a small simulation and everything a module hands to the
// host about them, kept exactly as it arrived so that the checks can compare it with what the
// module meant to send. The exported interface functions (VesselInterface.cpp, OapiFunctions.cpp)
// read and write it; the checks read it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/HostApi.h"
#include "host/Keyboard.h"

inline constexpr std::size_t kHostDebugStringSize = 256;  // terminator included, as the simulator's
// The parent attachment every crew vessel of the crew add-on carries from its creation on.
inline constexpr char kCrewSuitAttachmentId[] = "UMmuSuit";

struct HostPropellant {
    double maxMass;
    double massArgument;  // as given; negative means "full"
    double efficiency;
};

struct HostThruster {
    VECTOR3 pos;
    VECTOR3 dir;
    double maxThrust;
    PROPELLANT_HANDLE propellant;
    double isp;
    double ispRef;
    double pressureRef;
};

struct HostThrusterGroup {
    bool exists = false;
    std::vector<THRUSTER_HANDLE> members;
    double level = 0.0;
    int levelZeroedWhileExisting = 0;  // SetThrusterGroupLevel(type, 0) calls on an existing group
};

struct HostExhaust {
    THRUSTER_HANDLE thruster;
    double lengthScale;
    double widthScale;
    VECTOR3 pos;
    VECTOR3 dir;
    SURFHANDLE texture;
};

struct HostExhaustStream {
    THRUSTER_HANDLE thruster;
    const VECTOR3* source;  // kept by reference, as the simulator does
    PARTICLESTREAMSPEC parameters;
    bool hasSpec;
};

struct HostDock {
    VECTOR3 pos;
    VECTOR3 dir;
    VECTOR3 rot;
    OBJHANDLE docked = nullptr;
};

struct HostAttachment {
    bool toParent;
    VECTOR3 pos;
    VECTOR3 dir;
    VECTOR3 rot;
    std::string id;
    bool loose;
};

struct HostMesh {
    std::string name;
    bool hasOffset;
    VECTOR3 offset;
    WORD visibility = 0;
};

// The simulator's own vessel record. VESSEL keeps a pointer to it and the handle is its address,
// as in the simulator (the interface names the class and leaves it to the host).
class Vessel {
  public:
    std::string name;
    std::string className;
    VESSEL* vesselInterface = nullptr;
    bool interfaceFromModule = false;
    bool alive = true;

    double size = 0.0;
    double emptyMass = 0.0;
    double cw[4] = {};
    VECTOR3 crossSections{};
    VECTOR3 rotDrag{};
    double pitchMomentScale = 0.0;
    double bankMomentScale = 0.0;
    VECTOR3 pmi{};
    std::vector<TOUCHDOWNVTX> touchdownPoints;  // as the module set them; empty: none set

    std::vector<std::unique_ptr<HostPropellant>> propellants;
    std::vector<std::unique_ptr<HostThruster>> thrusters;
    HostThrusterGroup groups[kThrusterGroupTypes];
    std::vector<HostExhaust> exhausts;
    std::vector<std::unique_ptr<HostExhaustStream>> streams;
    std::vector<std::unique_ptr<HostDock>> docks;
    std::vector<std::unique_ptr<HostAttachment>> attachments;
    std::vector<HostMesh> meshes;
    VECTOR3 cameraOffset{};

    bool transponderEnabled = false;
    DWORD transponderChannel = 0;

    VESSELSTATUS status{};
    VECTOR3 angularVelocity{};
    MATRIX3 rotation{};  // vessel frame to global frame

    // Lines handed to ParseScenarioLineEx and the status pointer that came with them.
    std::vector<std::string> parsedLines;
    void* parsedStatus = nullptr;

    HostThruster* Thruster(THRUSTER_HANDLE handle) const;
    HostAttachment* Attachment(ATTACHMENTHANDLE handle) const;
    int ThrusterIndex(THRUSTER_HANDLE handle) const;  // -1 when not this vessel's
    int AttachmentCount(bool toParent) const;
};

// One scenario block: the lines the host reads to the module and those the module writes.
struct ScenarioBlock {
    std::vector<std::string> lines;
    std::size_t next = 0;
    std::string current;  // the line handed out last; the module may write into it
    std::vector<std::string> written;
};

// The functions a vessel module exports to the simulator.
struct ModuleEntryPoints {
    VESSEL* (*ovcInit)(OBJHANDLE, int) = nullptr;
    void (*ovcExit)(VESSEL*) = nullptr;
    int (*getModuleVersion)() = nullptr;
    std::string className;  // vessels of this class are the module's
};

class HostWorld {
  public:
    // Every vessel ever created, so that handles stay valid; `alive` tells the deleted ones.
    std::vector<std::unique_ptr<Vessel>> vessels;
    ModuleEntryPoints module;

    char debugString[kHostDebugStringSize] = {};
    // Right behind the debug line: a module that writes past the line's end changes it.
    unsigned char debugStringGuard[16] = {0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5,
                                          0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5, 0xA5};
    double simStep = 0.02;
    double sysTime = 0.0;
    unsigned int randomState = 12345u;
    OBJHANDLE focus = nullptr;

    HINSTANCE initLibModule = nullptr;
    int initLibCalls = 0;
    std::vector<std::string> date2IntTexts;

    // Order of events that must come in sequence (the base HUD callback, text drawn).
    int eventCounter = 0;
    int NextEvent() { return ++eventCounter; }
    int baseHudDrawEvent = 0;
    int baseHudDrawCalls = 0;

    // Creates a vessel. One of the module's class gets its interface from ovcInit, any other a
    // host-made one; class set-up is left to the caller. A vessel of the crew add-on's class
    // carries the add-on's own parent attachment from the start, as the add-on's module gives it.
    // Null when a name is taken or empty.
    Vessel* CreateVessel(const char* name, const char* className, const VESSELSTATUS& status);
    // Deletes a vessel; the module's vessels through ovcExit.
    bool DeleteVessel(Vessel* vessel);
    Vessel* FindLive(OBJHANDLE handle) const;
    Vessel* FindByName(const char* name) const;
    std::vector<Vessel*> LiveVessels() const;
};

HostWorld& World();

// Host-side vector helpers for the frames the module asks about.
VECTOR3 Rotate(const MATRIX3& rotation, const VECTOR3& v);
VECTOR3 RotateBack(const MATRIX3& rotation, const VECTOR3& v);
MATRIX3 IdentityMatrix();
