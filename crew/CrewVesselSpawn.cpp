// Making crew vessels: a crew member's vessel of the add-on's class, beside the airlock in free
// space, or a transfer vessel at the airlock of the ship docked at the transfer port. A hand-over
// file carries the member's record to its receiver.
#include <cmath>
#include <cstring>

#include "crew/AirlockLink.h"
#include "crew/CrewText.h"
#include "crew/FreeVesselName.h"
#include "crew/GroundPlacement.h"
#include "crew/MemberLimits.h"
#include "crew/SpawnRecord.h"
#include "crew/TransferVessel.h"
#include "crew/TransfersInFlight.h"
#include "crew/VesselDeletion.h"
#include "host/CrewAddon.h"
#include "host/Platform.h"
#include "host/RotationAngles.h"

namespace crew {

namespace {

// Push of a free-space crew vessel per rad/s of the vessel's rotation about x and y, m/s.
constexpr double kPushPerRotation = 5.0;

// The first child attachment "UMmu" of `ship` with an open airlock. Null when there is none;
// `closedSeen` tells whether a closed one was passed.
ATTACHMENTHANDLE OpenPublishedAirlock(const VESSEL& ship, crew_addon::PublishedAirlock& airlock,
                                      bool& closedSeen) {
    closedSeen = false;
    return crew_addon::FindPublishedAirlock(
        ship, airlock, [&closedSeen](const crew_addon::PublishedAirlock& published) {
            if (published.IsOpen()) return true;
            closedSeen = true;
            return false;
        });
}

// The state of `source` for a new crew vessel in free flight beside it. A landed source's status
// comes in the landed encoding (vrot.x its altitude, arot angles in the planet's frame), which
// read as free flight would set the crew vessel tumbling and turned: those two are taken from
// the source's global state instead, arot in the simulator's convention.
void FreeFlightStatusBeside(const VESSEL& source, VESSELSTATUS& status) {
    source.GetStatus(status);
    if (status.status == 1) {
        source.GetAngularVel(status.vrot);
        MATRIX3 r{};
        source.GetRotationMatrix(r);
        status.arot = rotation_angles::FromMatrix(r);
        status.vdata[0] = VECTOR3{};
    }
}

// The simulator applies a new vessel's fuel level only with flag[0] bit 2 and its main and hover
// levels only with bit 1.
constexpr DWORD kStatusSetsThrusters = 1;
constexpr DWORD kStatusSetsFuel = 2;

void PrepareCrewVesselStatus(VESSELSTATUS& status) {
    status.fuel = 1.0;
    status.eng_main = 0.0;
    status.eng_hovr = 0.0;
    status.flag[0] |= kStatusSetsFuel | kStatusSetsThrusters;
    status.status = 0;
}

// Creates the transfer vessel and fixes the member to it: age, pulse and weight, and the member
// string by which the receiver knows whom it takes; the module records them too, for a save to
// keep (TransfersInFlight.h). kTransfer done; kNotCreated the host created no vessel;
// kTransferUnmarked the member could not be fixed to it. On a failure neither the vessel nor the
// hand-over file just written stays behind, since the member stays aboard.
AirlockLink::SpawnResult CreateTransferVessel(const AirlockLink& link, const char* name,
                                              const VESSELSTATUS& status,
                                              const HandOverFields& handOver,
                                              const char* memberString, const VECTOR3* angles) {
    const OBJHANDLE created = oapiCreateVessel(name, crew_addon::kCrewClassName, status);
    ForgetVessel(created);
    if (created == nullptr) {
        platform::RemoveFile(crew_addon::kTransferFile);
        return AirlockLink::SpawnResult::kNotCreated;
    }
    if (angles != nullptr) link.OrientCrewVessel(angles, created);
    VESSEL* crewVessel = oapiGetVesselInterface(created);
    const VECTOR3 numbers{static_cast<double>(handOver.age), static_cast<double>(handOver.pulse),
                          static_cast<double>(handOver.weight)};
    const MemberVectors member = EncodeMember(memberString);
    if (crewVessel == nullptr ||
        crewVessel->CreateAttachment(true, numbers, member.direction, member.rotation,
                                     crew_addon::kMemberAttachmentId, false) == nullptr) {
        DeleteVessel(created);
        platform::RemoveFile(crew_addon::kTransferFile);
        return AirlockLink::SpawnResult::kTransferUnmarked;
    }
    CarriedMember carried{handOver.age, handOver.pulse, handOver.weight, true, {}};
    CopyText(carried.memberString, sizeof carried.memberString, memberString, kMemberChars);
    TransferSent(created, name + crew_addon::kVesselPrefixLength, carried);
    return AirlockLink::SpawnResult::kTransfer;
}

}  // namespace

AirlockLink::SpawnResult AirlockLink::SpawnCrewVessel(const char* memberString, int age,
                                                      int evaValue, int pulse, int weight,
                                                      const char* meshName, const VECTOR3* position,
                                                      const VECTOR3* angles,
                                                      const VECTOR3* velocity) {
    age = kSpawnAgeLimit.Apply(age);
    evaValue = kSpawnEvaValueLimit.Apply(evaValue);
    pulse = kSpawnPulseLimit.Apply(pulse);
    if (vessel == nullptr) return SpawnResult::kNoInterface;

    const OBJHANDLE docked = (ignoreDocking == 0 && vessel->DockCount() >= 1)
                                 ? DockedVessel(*vessel, transferDock)
                                 : nullptr;
    const bool transfer = docked != nullptr;

    // The member's crew vessel name, "UMmu_" + member string, spaces kept.
    char crewName[crew_addon::kNameFieldSize];
    JoinText(crewName, sizeof crewName, crew_addon::kCrewVesselPrefix, memberString);
    const HandOverFields handOver{crewName, age, pulse, evaValue, weight};

    VESSELSTATUS status{};
    char name[crew_addon::kNameFieldSize];
    if (transfer) {
        const VESSEL* receiver = oapiGetVesselInterface(docked);
        if (receiver == nullptr) return SpawnResult::kNoInterface;
        if (receiver->AttachmentCount(false) == 0) return SpawnResult::kNoDockedAirlock;
        crew_addon::PublishedAirlock airlock;
        bool closedSeen = false;
        if (OpenPublishedAirlock(*receiver, airlock, closedSeen) == nullptr) {
            return closedSeen ? SpawnResult::kDockedAirlockClosed : SpawnResult::kNoDockedAirlock;
        }
        // The receiver's whole name: one cut to fit would address every ship whose name begins
        // alike.
        char transferName[kTransferNameSize];
        if (!ComposeTransferName(receiver->GetName(), transferName)) {
            return SpawnResult::kReceiverNameTooLong;
        }
        FreeFlightStatusBeside(*receiver, status);
        PrepareCrewVesselStatus(status);
        receiver->Local2Rel(airlock.Centre(), status.rpos);
        // One transfer to a ship at a time: the receiver takes only the vessel that bears its name.
        if (oapiGetObjectByName(transferName) != nullptr) return SpawnResult::kTransferUnderWay;

        FillSpawnRecord(handOver, 0);
        SaveSpawnRecord(crew_addon::kTransferFile);
        return CreateTransferVessel(*this, transferName, status, handOver, memberString, angles);
    } else {
        VECTOR3 rotation{};
        vessel->GetAngularVel(rotation);
        const double push = kPushPerRotation * (std::fabs(rotation.x) + std::fabs(rotation.y));
        FreeFlightStatusBeside(*vessel, status);
        PrepareCrewVesselStatus(status);
        const VECTOR3 localVelocity = velocity == nullptr
                                          ? VECTOR3{0.0, 0.0, push}
                                          : VECTOR3{velocity->x, velocity->y, push + velocity->z};
        VECTOR3 globalVelocity{};
        vessel->GlobalRot(localVelocity, globalVelocity);
        status.rvel.x += globalVelocity.x;
        status.rvel.y += globalVelocity.y;
        status.rvel.z += globalVelocity.z;
        vessel->Local2Rel(position == nullptr ? VECTOR3{} : *position, status.rpos);
        KeepAboveGround(*vessel, status.rpos);
        std::memcpy(name, crewName, sizeof name);

        FillSpawnRecord(handOver, ejectFlag);
        SetSpawnRecordMesh(meshName);
        // The crew vessel takes the member's figures from the file: without it they are lost.
        if (!SaveSpawnRecord(crew_addon::kSpawnFile)) return SpawnResult::kRecordNotWritten;
    }

    ReplaceChar(name, ' ', '_');
    ChooseFreeVesselName(name);
    const OBJHANDLE created = oapiCreateVessel(name, crew_addon::kCrewClassName, status);
    ForgetVessel(created);
    if (created != nullptr && angles != nullptr) OrientCrewVessel(angles, created);
    return created != nullptr ? SpawnResult::kInFreeSpace : SpawnResult::kNotCreated;
}

void AirlockLink::OrientCrewVessel(const VECTOR3* angles, OBJHANDLE crewVessel) const {
    if (angles == nullptr) return;
    VESSEL* turned = oapiGetVesselInterface(crewVessel);
    if (turned == nullptr) return;
    // Turned in its own frame by the angles as the simulator turns a vessel by AROT angles.
    MATRIX3 rotation{};
    turned->GetRotationMatrix(rotation);
    turned->SetRotationMatrix(mul(rotation, rotation_angles::ToMatrix(*angles)));
}

}  // namespace crew
