// The active docking port: announcing it and placing the crew airlock at it.
#include <cstdio>

#include "vessel/Messages.h"
#include "vessel/Quillmar.h"

namespace quillmar {

void Quillmar::ActiveDockChanged() {
    const auto port = static_cast<unsigned int>(activeDock);
    OBJHANDLE docked = DockingStatus(port) != 0 ? GetDockStatus(GetDockHandle(port)) : nullptr;
    if (docked != nullptr) {
        // A longer name is cut to fit.
        oapiGetObjectName(docked, dockedName, static_cast<int>(sizeof dockedName));
        dockedName[sizeof dockedName - 1] = '\0';
    } else {
        std::snprintf(dockedName, sizeof dockedName, "%s", messages::kNothingDocked);
    }
    PostHudMessage(messages::kActiveDockChanged, activeDock, dockedName);
    PlaceAirlockAtActiveDock();
}

void Quillmar::PlaceAirlockAtActiveDock() {
    const int doorState = crew.GetAirlockState();
    crew.SetTransferDock(activeDock);
    if (activeDock < 0 || activeDock >= kDockCount) return;

    const DockingPort& port = kDockingPorts[activeDock];
    const int state = port.door == DoorOnPlacement::Keep ? doorState : kDoorOpen;
    const AirlockBox& box = port.airlock;
    crew.DefineAirlock(state, box.xMin, box.xMax, box.yMin, box.yMax, box.zMin, box.zMax);
    // Defining the airlock publishes the whole seat count as free; the crew aboard take their
    // seats back, so that docked ships and crew vessels see the seats that are really free.
    crew.SetSeatCount(kSeatCount);
    crew.SetEvaPlacement(port.evaPosition, port.evaAngles);
}

}  // namespace quillmar
