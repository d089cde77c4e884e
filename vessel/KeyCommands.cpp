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

// The commands, each on the ship whose key it was; a friend of the ship, so that a command is
// written here alone.
class KeyCommands {
  public:
    static void Run(Quillmar& ship, KeyCommand command) {
        switch (command) {
            case KeyCommand::ToggleRcsLevel:
                return ToggleRcsLevel(ship);
            case KeyCommand::EvaOrTransfer:
                return EvaSelectedMember(ship);
            case KeyCommand::SelectNextMember:
                return SelectMember(ship, +1, messages::kSelectedNext);
            case KeyCommand::SelectPreviousMember:
                return SelectMember(ship, -1, messages::kSelectedPrevious);
            case KeyCommand::ToggleAirlock:
                return ToggleAirlock(ship);
            case KeyCommand::CrewInfo:
                return ShowCrewInfo(ship);
            case KeyCommand::SwitchEvaMesh:
                return SwitchEvaMesh(ship);
            case KeyCommand::PreviousDock:
                return StepActiveDock(ship, -1);
            case KeyCommand::NextDock:
                return StepActiveDock(ship, +1);
        }
    }

  private:
    // The level is one value for the whole module; only this ship's thrusters follow it now. The
    // host works out a rotation group's turning strength only when the group is created, so the
    // rotation groups the ship holds now are handed over again with the new thrust.
    static void ToggleRcsLevel(Quillmar& ship) {
        const bool toMaximum = rcsThrustLevel != kRcsLevelMaximum;
        rcsThrustLevel = toMaximum ? kRcsLevelMaximum : kRcsLevelMinimum;
        for (THRUSTER_HANDLE thruster : ship.rcsThrusters) {
            ship.SetThrusterMax0(thruster, rcsThrustLevel);
        }
        for (std::size_t r = 0; r < std::size(kRotationRateRules); ++r) {
            if (ship.rateDecisions.made && ship.rateDecisions.withdrawn[r]) continue;
            ship.CreateAttitudeGroup(kAttitudeGroups[kRotationRateRules[r].groupIndex]);
        }
        ship.PostHudText(toMaximum ? messages::kRcsMaximum : messages::kRcsMinimum);
    }

    static void EvaSelectedMember(Quillmar& ship) {
        crew::CrewManager& crew = ship.crew;
        const crew::CrewManager::EvaResult result =
            crew.EvaMember(crew.GetMemberName(ship.selectedSlot));
        for (const EvaOutcome& outcome : kEvaOutcomes) {
            if (outcome.code != result) continue;
            if (outcome.memberLeft) {
                ship.selectedSlot = 0;
                ship.PostHudMessage(outcome.message, TextOrEmpty(crew.GetLastEvaName()));
            } else if (result == crew::CrewManager::EvaResult::kTransferUnderWay) {
                // Most often the transfer this same key started in this frame: its message stays.
                ship.PostHudTextBesideThisFrames(outcome.message);
            } else {
                ship.PostHudText(outcome.message);
            }
            return;
        }
    }

    // Moves the selection one slot on (+1) or back (-1), staying within the roster, and shows the
    // selected member with the key's own text.
    static void SelectMember(Quillmar& ship, int direction, const char* message) {
        crew::CrewManager& crew = ship.crew;
        int& slot = ship.selectedSlot;
        const int count = crew.GetCrewCount();
        if (count == 0) {
            ship.PostHudText(messages::kSelectNobodyAboard);
            return;
        }
        if (direction > 0 && slot < count - 1) ++slot;
        if (direction < 0 && slot > 0) --slot;
        ship.PostHudMessage(message, slot, TextOrEmpty(crew.GetIdCode(slot)),
                            TextOrEmpty(crew.GetMemberName(slot)), crew.GetAge(slot));
    }

    static void ToggleAirlock(Quillmar& ship) {
        crew::CrewManager& crew = ship.crew;
        // A door that reads neither open nor closed (no airlock yet) is closed.
        crew.SetAirlockState(crew.GetAirlockState() == kDoorClosed ? kDoorOpen : kDoorClosed);
        ship.PostHudText(crew.GetAirlockState() == kDoorOpen ? messages::kAirlockOpen
                                                             : messages::kAirlockClosed);
    }

    // Free seats are counted from the seat count set-up gives the crew manager.
    static void ShowCrewInfo(Quillmar& ship) {
        const int count = ship.crew.GetCrewCount();
        ship.PostHudMessage(messages::kCrewInfo, count, TextOrEmpty(ship.GetName()),
                            kSeatCount - count);
    }

    static void SwitchEvaMesh(Quillmar& ship) {
        ship.crew.SetEvaMesh(kAlternativeEvaMesh);
        ship.PostHudText(messages::kMeshChanged);
    }

    // At either end of the port range the port stays, and is announced all the same.
    static void StepActiveDock(Quillmar& ship, int direction) {
        if (direction < 0 && ship.activeDock > 0) --ship.activeDock;
        if (direction > 0 && ship.activeDock < kDockCount - 1) ++ship.activeDock;
        ship.ActiveDockChanged();
    }
};

int Quillmar::clbkConsumeBufferedKey(DWORD key, bool down, char* kstate) {
    if (!down) return kKeyLeftToHost;
    const bool shift = kstate != nullptr && KEYMOD_SHIFT(kstate);
    const bool ctrl = kstate != nullptr && KEYMOD_CONTROL(kstate);

    for (const KeyBinding& binding : kKeyBindings) {
        if (binding.key != key || !Matches(binding.shift, shift) || !Matches(binding.ctrl, ctrl)) {
            continue;
        }
        KeyCommands::Run(*this, binding.command);
        return binding.result;
    }
    return kKeyLeftToHost;
}

}  // namespace quillmar
