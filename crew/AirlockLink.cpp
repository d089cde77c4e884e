// The link record's own operations: start, the published airlock and the docked ship's numbers.
#include "crew/AirlockLink.h"

#include <cstdio>
#include <cstring>

#include "crew/CrewText.h"
#include "crew/Truncate.h"
#include "host/CrewAddon.h"

namespace {

bool IsAirlockState(int state) { return static_cast<unsigned>(state) <= 1U; }

// The docked ship's published vectors, through the first child attachment "UMmu" of the vessel
// docked at `port` of `own`. False when any link of the chain is missing.
bool ReadDockedAirlock(const VESSEL& own, int port, VECTOR3& rotation) {
    const DOCKHANDLE dock = own.GetDockHandle(static_cast<unsigned>(port));
    if (dock == nullptr) return false;
    const OBJHANDLE docked = own.GetDockStatus(dock);
    if (docked == nullptr) return false;
    const VESSEL* other = oapiGetVesselInterface(docked);
    if (other == nullptr) return false;
    const DWORD count = other->AttachmentCount(false);
    for (DWORD i = 0; i < count; ++i) {
        const ATTACHMENTHANDLE attachment = other->GetAttachmentHandle(false, i);
        if (attachment == nullptr) continue;
        const char* id = other->GetAttachmentId(attachment);
        if (id == nullptr || std::strcmp(id, crew_addon::kAirlockAttachmentId) != 0) continue;
        VECTOR3 position{};
        VECTOR3 direction{};
        rotation = VECTOR3{};
        other->GetAttachmentParams(attachment, position, direction, rotation);
        return true;
    }
    return false;
}

}  // namespace

int AirlockLink::Init(OBJHANDLE handle) {
    *this = AirlockLink{};
    autoDeleteArrival = 1;
    scanTimer = oapiRand();
    vesselHandle = handle;
    arrivalWeight = 60;
    auxValue = 1000;
    freeSeats = 1000;

    std::FILE* module = platform::OpenFile(crew_addon::kModuleFile, "rb");
    if (module == nullptr) return -999;
    std::fclose(module);
    if (handle == nullptr) return -1;
    vessel = oapiGetVesselInterface(handle);
    return vessel != nullptr ? 1 : -1;
}

void AirlockLink::Publish() {
    const VECTOR3 position{xMin, xMax, yMin};
    const VECTOR3 direction{yMax, zMin, zMax};
    const VECTOR3 rotation{static_cast<double>(airlockState), static_cast<double>(auxValue),
                           static_cast<double>(freeSeats)};
    if (attachment == nullptr) {
        attachment = vessel->CreateAttachment(false, position, direction, rotation,
                                              crew_addon::kAirlockAttachmentId, false);
    } else {
        vessel->SetAttachmentParams(attachment, position, direction, rotation);
    }
}

int AirlockLink::DefineAirlock(int state, float boxXMin, float boxXMax, float boxYMin,
                               float boxYMax, float boxZMin, float boxZMax) {
    if (boxXMax < boxXMin || boxYMax < boxYMin || boxZMax < boxZMin) return -1;
    if (!IsAirlockState(state) || vessel == nullptr) return -1;
    airlockState = state;
    xMin = boxXMin;
    xMax = boxXMax;
    yMin = boxYMin;
    yMax = boxYMax;
    zMin = boxZMin;
    zMax = boxZMax;
    airlockDefined = 1;
    Publish();
    return 1;
}

int AirlockLink::SetAirlockState(int state) {
    if (state == airlockState) return 1;
    if (!IsAirlockState(state) || attachment == nullptr || vessel == nullptr) return -1;
    airlockState = state;
    Publish();
    return 1;
}

int AirlockLink::GetAirlockState() const {
    return (attachment == nullptr || vessel == nullptr) ? -1 : airlockState;
}

int AirlockLink::SetAuxValue(int value) {
    if (attachment == nullptr || vessel == nullptr) return -1;
    auxValue = value;
    Publish();
    return 1;
}

int AirlockLink::SetFreeSeats(int value) {
    if (attachment == nullptr || vessel == nullptr) return -1;
    freeSeats = value;
    Publish();
    return 1;
}

int AirlockLink::GetDockedFreeSeats(int port) const {
    VECTOR3 rotation{};
    if (attachment == nullptr || vessel == nullptr || !ReadDockedAirlock(*vessel, port, rotation)) {
        return -1;
    }
    return TruncateToInt(rotation.z);
}

int AirlockLink::GetDockedAuxValue(int port) const {
    VECTOR3 rotation{};
    if (attachment == nullptr || vessel == nullptr || !ReadDockedAirlock(*vessel, port, rotation)) {
        return -1;
    }
    return TruncateToInt(rotation.y);
}

void AirlockLink::SetIgnoreDocking(int value) { ignoreDocking = value; }

void AirlockLink::SetEjectFlag(int value) { ejectFlag = value; }

int AirlockLink::SetAutoDeleteArrival(int value) {
    if (airlockDefined == 0) return -1;
    autoDeleteArrival = value;
    return 1;
}

OBJHANDLE AirlockLink::GetArrivalVessel() const { return arrivalVessel; }

int AirlockLink::DeleteArrivalVessel() {
    if (arrivalVessel == nullptr) return -1;
    oapiDeleteVessel(arrivalVessel, nullptr);
    arrivalVessel = nullptr;
    return 1;
}

void AirlockLink::GetArrivalName(char* destination, int n) const {
    if (destination == nullptr || n <= 0) return;
    constexpr int kMostChars = 32;
    const auto limit = static_cast<std::size_t>(n < kMostChars ? n : kMostChars);
    // strncpy's manner: stop at the source's terminator, pad with zeros, no terminator added
    // when the limit is reached. The source lies within arrivalName.
    std::strncpy(destination, arrivalName + crew_addon::kVesselPrefixLength, limit);
}

int AirlockLink::GetArrivalAge() const { return arrivalAge; }
int AirlockLink::GetArrivalPulse() const { return arrivalPulse; }
int AirlockLink::GetArrivalWeight() const { return arrivalWeight; }
