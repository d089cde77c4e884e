// Class set-up: starts the crew, gives the ship's own state its first values and defines the
// whole ship in the host.
#include "vessel/Messages.h"
#include "vessel/Quillmar.h"

namespace quillmar {

// Module-wide, from the moment the library is loaded.
double rcsThrustLevel = kRcsLevelMaximum;

namespace {

// Shared by the main-engine streams of every ship; the host takes it as a writable pointer.
PARTICLESTREAMSPEC mainExhaustStream = kMainExhaustStreamSpec;

}  // namespace

void Quillmar::clbkSetClassCaps(FILEHANDLE /*cfg*/) {
    StartCrew();

    selectedSlot = 0;
    transponderChannel = 0;
    EnableTransponder(true);
    SetTransponderChannel(static_cast<unsigned int>(transponderChannel));

    activeDock = 0;
    PlaceAirlockAtActiveDock();

    hudMessage[0] = '\0';
    hudMessageTimer = 0.0;
    PostHudText(messages::kWelcome);

    propellant =
        CreatePropellantResource(kPropellantMaxMass, kPropellantInitialMass, kPropellantEfficiency);
    SetSize(kSize);
    SetEmptyMass(kEmptyMass);
    SetCW(kDrag.zPositive, kDrag.zNegative, kDrag.x, kDrag.y);
    SetCrossSections(kCrossSections);
    SetRotDrag(kRotDrag);
    SetPitchMomentScale(kPitchMomentScale);
    SetBankMomentScale(kBankMomentScale);
    SetPMI(kPrincipalMoments);
    SetTouchdownPoints(kTouchdownPoints, static_cast<DWORD>(kTouchdownPointCount));

    CreateMainEngines();
    CreateAttitudeThrusters();
    CreateDocks();

    AddMesh(kMeshName, &kMeshOffset);
    SetCameraOffset(kCameraOffset);
    SetMeshVisibilityMode(0, MESHVIS_ALWAYS);
}

// The crew manager accepts placement, seats and members only once it is started and has an
// airlock, so Initialize and DefineAirlock come first. Results are not examined: a crew manager
// that could not start refuses everything later, and the ship runs on without crew.
void Quillmar::StartCrew() {
    crew.Initialize(GetHandle());
    crew.DefineAirlock(kProvisionalDoorState, kProvisionalAirlock.xMin, kProvisionalAirlock.xMax,
                       kProvisionalAirlock.yMin, kProvisionalAirlock.yMax, kProvisionalAirlock.zMin,
                       kProvisionalAirlock.zMax);
    crew.SetEvaPlacement(kProvisionalEvaPosition, kProvisionalEvaAngles);
    static_assert(kSeatCount <= crew::KeptCrewLines::kMostLines,
                  "without the crew add-on a full ship's crew lines must all be kept");
    crew.SetSeatCount(kSeatCount);
    crew.AddMember(kDefaultCrewMember.name, kDefaultCrewMember.age, kDefaultCrewMember.pulse,
                   kDefaultCrewMember.weight, kDefaultCrewMember.idCode);
}

void Quillmar::CreateMainEngines() {
    for (int i = 0; i < kMainEngineCount; ++i) mainExhaustPos[i] = kMainExhaustPoints[i];

    for (int i = 0; i < kMainEngineCount; ++i) {
        mainThrusters[i] =
            CreateThruster(kMainEnginePos, kMainEngineDir, kMainEngineThrust, propellant,
                           kThrusterIsp, kThrusterIspRef, kThrusterPressureRef);
        const VECTOR3 flamePos{mainExhaustPos[i].x, mainExhaustPos[i].y,
                               mainExhaustPos[i].z - kMainFlameAftOffset};
        AddExhaust(mainThrusters[i], kMainFlameLength, kMainFlameWidth, flamePos, kMainFlameDir);
        // The stream keeps the member itself as its source point.
        AddExhaustStream(mainThrusters[i], mainExhaustPos[i], &mainExhaustStream);
    }
    CreateThrusterGroup(mainThrusters, kMainEngineCount, THGROUP_MAIN);
}

void Quillmar::CreateAttitudeThrusters() {
    for (int k = 0; k < kAttitudeThrusterCount; ++k) {
        const AttitudeThruster& row = kAttitudeThrusters[k];
        rcsThrusters[k] = CreateThruster(row.pos, row.dir, rcsThrustLevel, propellant, kThrusterIsp,
                                         kThrusterIspRef, kThrusterPressureRef);
        AddExhaust(rcsThrusters[k], kAttitudeFlameLength, kAttitudeFlameWidth, row.exhaustPos,
                   row.exhaustDir);
    }
    for (const AttitudeGroup& group : kAttitudeGroups) CreateAttitudeGroup(group);
}

// The host copies the list, so the same scratch list serves every group.
void Quillmar::CreateAttitudeGroup(const AttitudeGroup& group) {
    for (int m = 0; m < group.count; ++m) groupScratch[m] = rcsThrusters[group.members[m]];
    CreateThrusterGroup(groupScratch, group.count, group.type);
}

void Quillmar::CreateDocks() {
    for (const DockingPort& port : kDockingPorts) CreateDock(port.pos, port.dir, port.rot);
}

}  // namespace quillmar
