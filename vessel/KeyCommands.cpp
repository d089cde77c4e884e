// The keyboard handler and its commands. Every command reports its outcome on the HUD line.
#include "vessel/KeyCommands.h"

#include "vessel/Messages.h"
#include "vessel/Quillmar.h"

namespace quillmar {

namespace {

// EvaMember results and what the pilot is told; the successes name the member who left.
struct EvaOutcome {
    crew::CrewManager::EvaResult code;
    const char* message;
    bool memberLeft;
};

constexpr EvaOutcome kEvaOutcomes[] = {
    {crew::CrewManager::EvaResult::kTransferred, messages::kTransferDone, true},
    {crew::CrewManager::EvaResult::kDone, messages::kEvaDone, true},
    {crew::CrewManager::EvaResult::kNobodyAboard, messages::kEvaNobodyAboard, false},
    {crew::CrewManager::EvaResult::kAirlockClosed, messages::kEvaAirlockClosed, false},
    {crew::CrewManager::EvaResult::kDockedAirlockClosed, messages::kEvaDockedAirlockClosed, false},
    {crew::CrewManager::EvaResult::kDockedShipFull, messages::kEvaDockedShipFull, false},
    {crew::CrewManager::EvaResult::kNoSuchMember, messages::kEvaNoSuchMember, false},
    {crew::CrewManager::EvaResult::kDockedShipWithoutCrew, messages::kEvaDockedShipWithoutCrew,
     false},
    {crew::CrewManager::EvaResult::kMiscError, messages::kEvaMiscError, false},
    {crew::CrewManager::EvaResult::kTransferUnderWay, messages::kEvaTransferUnderWay, false},
};

// The mesh every crew vessel gets after the mesh key.
constexpr char kAlternativeEvaMesh[] = "mmu";

bool Matches(Modifier rule, bool held) {
    switch (rule) {
        case Modifier::Held:
            return held;
        case Modifier::NotHeld:
            return !held;
        case Modifier::Ignored:
            return true;
    }
    return false;
}

}  // namespace

int Quillmar::clbkConsumeBufferedKey(DWORD key, bool down, char* kstate) {
    if (!down) return kKeyLeftToHost;
    const bool shift = kstate != nullptr && KEYMOD_SHIFT(kstate);
    const bool ctrl = kstate != nullptr && KEYMOD_CONTROL(kstate);

    for (const KeyBinding& binding : kKeyBindings) {
        if (binding.key != key || !Matches(binding.shift, shift) || !Matches(binding.ctrl, ctrl)) {
            continue;
        }
        switch (binding.command) {
            case KeyCommand::ToggleRcsLevel:
                ToggleRcsLevel();
                break;
            case KeyCommand::EvaOrTransfer:
                EvaSelectedMember();
                break;
            case KeyCommand::SelectNextMember:
                SelectMember(+1, messages::kSelectedNext);
                break;
            case KeyCommand::SelectPreviousMember:
                SelectMember(-1, messages::kSelectedPrevious);
                break;
            case KeyCommand::ToggleAirlock:
                ToggleAirlock();
                break;
            case KeyCommand::CrewInfo:
                ShowCrewInfo();
                break;
            case KeyCommand::SwitchEvaMesh:
                SwitchEvaMesh();
                break;
            case KeyCommand::PreviousDock:
                StepActiveDock(-1);
                break;
            case KeyCommand::NextDock:
                StepActiveDock(+1);
                break;
        }
        return binding.result;
    }
    return kKeyLeftToHost;
}

// The level is one value for the whole module; only this ship's thrusters follow it now. The
// host works out a rotation group's turning strength only when the group is created, so the
// rotation groups the ship holds now are handed over again with the new thrust.
void Quillmar::ToggleRcsLevel() {
    const bool toMaximum = rcsThrustLevel != kRcsLevelMaximum;
    rcsThrustLevel = toMaximum ? kRcsLevelMaximum : kRcsLevelMinimum;
    for (THRUSTER_HANDLE thruster : rcsThrusters) SetThrusterMax0(thruster, rcsThrustLevel);
    for (std::size_t r = 0; r < std::size(kRotationRateRules); ++r) {
        if (rateDecisions.made && rateDecisions.withdrawn[r]) continue;
        CreateAttitudeGroup(kAttitudeGroups[kRotationRateRules[r].groupIndex]);
    }
    PostHudText(toMaximum ? messages::kRcsMaximum : messages::kRcsMinimum);
}

void Quillmar::EvaSelectedMember() {
    const crew::CrewManager::EvaResult result = crew.EvaMember(crew.GetMemberName(selectedSlot));
    for (const EvaOutcome& outcome : kEvaOutcomes) {
        if (outcome.code != result) continue;
        if (outcome.memberLeft) {
            selectedSlot = 0;
            PostHudMessage(outcome.message, TextOrEmpty(crew.GetLastEvaName()));
        } else if (result == crew::CrewManager::EvaResult::kTransferUnderWay) {
            // Most often the transfer this same key started in this frame: its message stays.
            PostHudTextBesideThisFrames(outcome.message);
        } else {
            PostHudText(outcome.message);
        }
        return;
    }
}

// Moves the selection one slot on (+1) or back (-1), staying within the roster, and shows the
// selected member with the key's own text.
void Quillmar::SelectMember(int direction, const char* message) {
    const int count = crew.GetCrewCount();
    if (count == 0) {
        PostHudText(messages::kSelectNobodyAboard);
        return;
    }
    if (direction > 0 && selectedSlot < count - 1) ++selectedSlot;
    if (direction < 0 && selectedSlot > 0) --selectedSlot;
    PostHudMessage(message, selectedSlot, TextOrEmpty(crew.GetIdCode(selectedSlot)),
                   TextOrEmpty(crew.GetMemberName(selectedSlot)), crew.GetAge(selectedSlot));
}

void Quillmar::ToggleAirlock() {
    // A door that reads neither open nor closed (no airlock yet) is closed.
    crew.SetAirlockState(crew.GetAirlockState() == kDoorClosed ? kDoorOpen : kDoorClosed);
    PostHudText(crew.GetAirlockState() == kDoorOpen ? messages::kAirlockOpen
                                                    : messages::kAirlockClosed);
}

// Free seats are counted from the seat count set-up gives the crew manager.
void Quillmar::ShowCrewInfo() {
    const int count = crew.GetCrewCount();
    PostHudMessage(messages::kCrewInfo, count, TextOrEmpty(GetName()), kSeatCount - count);
}

void Quillmar::SwitchEvaMesh() {
    crew.SetEvaMesh(kAlternativeEvaMesh);
    PostHudText(messages::kMeshChanged);
}

// At either end of the port range the port stays, and is announced all the same.
void Quillmar::StepActiveDock(int direction) {
    if (direction < 0 && activeDock > 0) --activeDock;
    if (direction > 0 && activeDock < kDockCount - 1) ++activeDock;
    ActiveDockChanged();
}

}  // namespace quillmar
