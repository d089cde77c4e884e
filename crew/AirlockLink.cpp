// The link record's own operations: start, the published airlock, the docked ship's numbers and
// the arrival's fields.
#include "crew/AirlockLink.h"

#include <cstdio>
#include <cstring>

#include "crew/CrewText.h"
#include "crew/MemberLimits.h"
#include "crew/Truncate.h"
#include "crew/VesselDeletion.h"
#include "host/CrewAddon.h"

namespace crew {

namespace {

bool IsAirlockState(int state) { return static_cast<unsigned>(state) <= 1U; }

// Simulation seconds between passes of the arrival scan: a pass runs once the gathered time is
// above this.
constexpr double kScanInterval = 0.25;

// The airlock published by the ship docked at `port` of `own`: the first child attachment "UMmu"
// of that ship. False when any link of the chain is missing.
bool ReadDockedAirlock(const VESSEL& own, int port, crew_addon::PublishedAirlock& airlock) {
    const OBJHANDLE docked = AirlockLink::DockedVessel(own, port);
    if (docked == nullptr) return false;
    const VESSEL* other = oapiGetVesselInterface(docked);
    return other != nullptr && crew_addon::FindPublishedAirlock(*other, airlock) != nullptr;
}

// A number the ship docked at `port` publishes, truncated; -1 while `link` publishes no airlock
// itself or that ship publishes none.
int DockedNumber(const AirlockLink& link, int port, double crew_addon::PublishedAirlock::*number) {
    crew_addon::PublishedAirlock docked;
    if (!link.Published() || link.Vessel() == nullptr ||
        !ReadDockedAirlock(*link.Vessel(), port, docked)) {
        return -1;
    }
    return TruncateToInt(docked.*number);
}

}  // namespace

OBJHANDLE AirlockLink::DockedVessel(const VESSEL& own, int port) {
    const DOCKHANDLE dock = own.GetDockHandle(static_cast<unsigned>(port));
    return dock == nullptr ? nullptr : own.GetDockStatus(dock);
}

StartResult AirlockLink::Init(OBJHANDLE handle) {
    *this = AirlockLink{};
    autoDeleteArrival = 1;
    scanTimer = oapiRand();
    vesselHandle = handle;
    arrivalWeight = kUnknownWeight;
    auxValue = 1000;
    freeSeats = 1000;

    std::FILE* module = platform::OpenFile(crew_addon::kModuleFile, "rb");
    if (module == nullptr) return StartResult::kAddonMissing;
    std::fclose(module);
    if (handle == nullptr) return StartResult::kNoVessel;
    vessel = oapiGetVesselInterface(handle);
    return vessel != nullptr ? StartResult::kStarted : StartResult::kNoVessel;
}

void AirlockLink::Publish() {
    const crew_addon::PublishedAirlock published{box.xMin,
                                                 box.xMax,
                                                 box.yMin,
                                                 box.yMax,
                                                 box.zMin,
                                                 box.zMax,
                                                 static_cast<double>(airlockState),
                                                 static_cast<double>(auxValue),
                                                 static_cast<double>(freeSeats)};
    const crew_addon::PublishedAirlock::Vectors v = published.Pack();
    if (attachment == nullptr) {
        attachment = vessel->CreateAttachment(false, v.position, v.direction, v.rotation,
                                              crew_addon::kAirlockAttachmentId, false);
    } else {
        vessel->SetAttachmentParams(attachment, v.position, v.direction, v.rotation);
    }
}

AirlockLink::Result AirlockLink::DefineAirlock(int state, float boxXMin, float boxXMax,
                                               float boxYMin, float boxYMax, float boxZMin,
                                               float boxZMax) {
    if (boxXMax < boxXMin || boxYMax < boxYMin || boxZMax < boxZMin) return Result::kRefused;
    if (!IsAirlockState(state) || vessel == nullptr) return Result::kRefused;
    airlockState = state;
    box = AirlockBox{boxXMin, boxXMax, boxYMin, boxYMax, boxZMin, boxZMax};
    airlockDefined = 1;
    Publish();
    return Result::kDone;
}

AirlockLink::Result AirlockLink::SetAirlockState(int state) {
    if (state == airlockState) return Result::kDone;
    if (!IsAirlockState(state) || attachment == nullptr || vessel == nullptr) {
        return Result::kRefused;
    }
    airlockState = state;
    Publish();
    return Result::kDone;
}

int AirlockLink::GetAirlockState() const {
    return (attachment == nullptr || vessel == nullptr) ? -1 : airlockState;
}

AirlockLink::Result AirlockLink::SetAuxValue(int value) {
    if (attachment == nullptr || vessel == nullptr) return Result::kRefused;
    auxValue = value;
    Publish();
    return Result::kDone;
}

AirlockLink::Result AirlockLink::SetFreeSeats(int value) {
    if (attachment == nullptr || vessel == nullptr) return Result::kRefused;
    freeSeats = value;
    Publish();
    return Result::kDone;
}

int AirlockLink::GetDockedFreeSeats(int port) const {
    return DockedNumber(*this, port, &crew_addon::PublishedAirlock::freeSeats);
}

int AirlockLink::GetDockedAuxValue(int port) const {
    return DockedNumber(*this, port, &crew_addon::PublishedAirlock::auxValue);
}

void AirlockLink::SetTransferDock(int port) { transferDock = port; }

void AirlockLink::SetIgnoreDocking(int value) { ignoreDocking = value; }

void AirlockLink::SetEjectFlag(int value) { ejectFlag = value; }

AirlockLink::Result AirlockLink::SetAutoDeleteArrival(int value) {
    if (airlockDefined == 0) return Result::kRefused;
    autoDeleteArrival = value;
    return Result::kDone;
}

OBJHANDLE AirlockLink::GetArrivalVessel() const { return arrivalVessel; }

AirlockLink::Result AirlockLink::DeleteArrivalVessel() {
    if (arrivalVessel == nullptr) return Result::kRefused;
    DeleteVessel(arrivalVessel);
    arrivalVessel = nullptr;
    return Result::kDone;
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

void AirlockLink::SetArrival(const char* vesselName, int age, int pulse, int weight) {
    CopyText(arrivalName, sizeof arrivalName, vesselName, sizeof arrivalName - 1);
    arrivalAge = age;
    arrivalPulse = pulse;
    arrivalWeight = weight;
}

void AirlockLink::SetArrivalVessel(OBJHANDLE arrival) { arrivalVessel = arrival; }

bool AirlockLink::StepScanTimer(double step) {
    scanTimer += step;
    if (!(scanTimer > kScanInterval)) return false;
    scanTimer = 0.0;
    return true;
}

}  // namespace crew
