// The roster, the member data, the settings, the airlock and the last crossings.
#include "crew/CrewManager.h"

#include <cassert>
#include <cstring>

#include "crew/CrewText.h"
#include "crew/ManagersAboard.h"
#include "crew/ModuleState.h"
#include "crew/Truncate.h"

namespace crew {

CrewManager::CrewManager() { ManagerMade(this); }

CrewManager::CrewManager(const CrewManager& other) : CrewManagerFields(other) {
    ManagerMade(this);
    CountUnreadCrewLines(keptCrewLines, 1);
}

CrewManager& CrewManager::operator=(const CrewManager& other) {
    if (this == &other) return *this;
    CountUnreadCrewLines(keptCrewLines, -1);
    static_cast<CrewManagerFields&>(*this) = other;
    CountUnreadCrewLines(keptCrewLines, 1);
    return *this;
}

CrewManager::~CrewManager() {
    if (!ModuleStateExists()) return;
    ManagerGone(this);
    CountUnreadCrewLines(keptCrewLines, -1);
}

bool CrewManager::HoldsMember(const char* idCode, const char* name) const {
    if (idCode == nullptr || name == nullptr || !Ready()) return false;
    for (int slot = 0; slot < crewCount; ++slot) {
        if (EqualsIgnoringCase(roster[slot].name, name) &&
            EqualsIgnoringCase(roster[slot].idCode, idCode)) {
            return true;
        }
    }
    return false;
}

AirlockLink* CrewManager::Link() const { return linkIndex < 0 ? nullptr : &LinkRecord(linkIndex); }

int CrewManager::FindMember(const char* name) const {
    if (name == nullptr || !Ready() || TooLongToLookUp(name) || crewCount < 1) return -1;
    for (int slot = 0; slot < crewCount; ++slot) {
        if (EqualsIgnoringCase(roster[slot].name, name)) return slot;
    }
    return -1;
}

void CrewManager::PublishSeats() const {
    AirlockLink* link = Link();
    if (link == nullptr) return;
    link->SetFreeSeats(seatCount - crewCount);
    link->SetAuxValue(0);
}

void CrewManager::ApplyCrewMassToHost(double newCrewMass) const {
    if (vesselHandle == nullptr || massBookkeeping != 1) return;
    oapiSetEmptyMass(vesselHandle, (oapiGetEmptyMass(vesselHandle) - crewMass) + newCrewMass);
}

CrewManager::Result CrewManager::AddMember(const char* name, int age, int pulse, int weight,
                                           const char* idCode) {
    if (!Ready() || crewCount >= seatCount || name == nullptr || crewCount >= kMostMembers) {
        return Result::kRefused;
    }
    CrewMember member{};
    CopyText(member.name, sizeof member.name, name, kStoredNameChars);
    SanitizeName(member.name);
    CopyText(member.idCode, sizeof member.idCode, idCode, kStoredCodeChars);
    SanitizeCode(member.idCode);
    member.age = kAgeRange.Clamp(age);
    member.pulse = kPulseRange.Clamp(pulse);
    member.weight = kWeightRange.Clamp(weight);
    SeatMember(member);
    return Result::kDone;
}

void CrewManager::SeatMember(const CrewMember& member) {
    assert(crewCount < seatCount && seatCount <= kMostMembers);
    ApplyCrewMassToHost(crewMass + member.weight);
    roster[crewCount] = member;
    ++crewCount;
    crewMass += member.weight;
    PublishSeats();
}

void CrewManager::RemoveSlot(int slot) {
    const double weight = roster[slot].weight;
    ApplyCrewMassToHost(crewMass - weight);
    crewMass -= weight;
    const int last = crewCount - 1;
    // The last member moves into the freed slot; the last slot falls outside the roster.
    if (slot != last) roster[slot] = roster[last];
    crewCount = last;
    PublishSeats();
}

CrewManager::Result CrewManager::RemoveMember(const char* name) {
    const int slot = FindMember(name);
    if (slot < 0) return Result::kRefused;
    RemoveSlot(slot);
    return Result::kDone;
}

int CrewManager::GetCrewCount() const { return Ready() ? crewCount : 0; }

const char* CrewManager::GetMemberName(int slot) const {
    return (Ready() && slot >= 0 && slot < crewCount) ? roster[slot].name : emptyText;
}

int CrewManager::GetAge(int slot) const {
    return (Ready() && slot >= 0 && slot < crewCount) ? roster[slot].age : kNoValue;
}

int CrewManager::GetPulse(int slot) const {
    return (Ready() && slot >= 0 && slot < crewCount) ? roster[slot].pulse : kNoValue;
}

CrewManager::Result CrewManager::SetPulse(int slot, int value) {
    if (!Ready() || slot < 0 || slot >= crewCount) return Result::kNoValue;
    roster[slot].pulse = kSetPulseRange.Clamp(value);
    return Result::kDone;
}

int CrewManager::GetWeight(int slot) const {
    return (Ready() && slot >= 0 && slot < crewCount) ? TruncateToInt(roster[slot].weight)
                                                      : kNoValue;
}

const char* CrewManager::GetIdCode(int slot) const {
    return (Ready() && slot >= 0 && slot < crewCount) ? roster[slot].idCode : emptyText;
}

int CrewManager::GetAgeByName(const char* name) const {
    const int slot = FindMember(name);
    return slot < 0 ? kNoValue : roster[slot].age;
}

int CrewManager::GetPulseByName(const char* name) const {
    const int slot = FindMember(name);
    return slot < 0 ? kNoValue : roster[slot].pulse;
}

CrewManager::Result CrewManager::SetPulseByName(const char* name, int value) {
    const int slot = FindMember(name);
    if (slot < 0) return Result::kNoValue;
    roster[slot].pulse = kSetPulseRange.Clamp(value);
    return Result::kDone;
}

int CrewManager::GetWeightByName(const char* name) const {
    const int slot = FindMember(name);
    return slot < 0 ? kNoValue : TruncateToInt(roster[slot].weight);
}

const char* CrewManager::GetIdCodeByName(const char* name) const {
    if (name == nullptr || !Ready()) return nullptr;
    const int slot = FindMember(name);
    return slot < 0 ? emptyText : roster[slot].idCode;
}

CrewManager::Result CrewManager::SetSeatCount(int seats) {
    if (!Ready() || seats < 1 || seats > kMostMembers || seats < crewCount) return Result::kRefused;
    seatCount = seats;
    PublishSeats();
    return Result::kDone;
}

CrewManager::Result CrewManager::SetMassBookkeeping(int flag) {
    if (!Ready() || crewCount > 0) return Result::kRefused;
    massBookkeeping = flag;
    return Result::kDone;
}

CrewManager::Result CrewManager::SetEvaValue(int value) {
    if (!Ready()) return Result::kRefused;
    evaValue = value;
    return Result::kDone;
}

CrewManager::Result CrewManager::SetEvaMesh(const char* mesh) {
    if (mesh == nullptr || !Ready()) return Result::kRefused;
    CopyText(evaMesh, sizeof evaMesh, mesh, sizeof evaMesh - 1);
    return Result::kDone;
}

CrewManager::Result CrewManager::SetEvaPlacement(VECTOR3 position, VECTOR3 angles) {
    if (!Ready()) return Result::kRefused;
    evaPosition = position;
    evaAngles = angles;
    return Result::kDone;
}

CrewManager::Result CrewManager::SetEjectPlacement(VECTOR3 position, VECTOR3 angles,
                                                   VECTOR3 velocity) {
    if (!Ready()) return Result::kRefused;
    ejectPosition = position;
    ejectAngles = angles;
    ejectVelocity = velocity;
    return Result::kDone;
}

CrewManager::Result CrewManager::DefineAirlock(int state, float xMin, float xMax, float yMin,
                                               float yMax, float zMin, float zMax) {
    AirlockLink* link = Link();
    if (link == nullptr || link->DefineAirlock(state, xMin, xMax, yMin, yMax, zMin, zMax) !=
                               AirlockLink::Result::kDone) {
        return Result::kRefused;
    }
    readyFlags |= kAirlockDefined;
    airlockOpen = state;
    link->SetFreeSeats(seatCount);
    link->SetAutoDeleteArrival(0);
    return Result::kDone;
}

CrewManager::Result CrewManager::SetAirlockState(int state) {
    if (!Ready()) return Result::kNoValue;
    AirlockLink* link = Link();
    link->SetAirlockState(state);
    airlockOpen = link->GetAirlockState();
    return Result::kDone;
}

int CrewManager::GetAirlockState() {
    if (!Ready()) return kNoValue;
    airlockOpen = Link()->GetAirlockState();
    return airlockOpen;
}

CrewManager::Result CrewManager::SetTransferDock(int port) {
    if (!Ready()) return Result::kRefused;
    Link()->SetTransferDock(port);
    return Result::kDone;
}

const char* CrewManager::GetLastEvaName() const { return lastEvaName; }

const char* CrewManager::GetLastArrivalName() const { return lastArrivalName; }

const char* CrewManager::GetLastEvaVesselName() const {
    return Ready() ? lastEvaVesselName : emptyText;
}

OBJHANDLE CrewManager::FindLastEvaVessel() {
    return Ready() ? oapiGetObjectByName(lastEvaVesselName) : nullptr;
}

}  // namespace crew
