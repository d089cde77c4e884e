// Every text the ship shows on its HUD line, and the add-on name it gives its crew manager for
// the debug-line warnings. Formats take the arguments named beside them.
#pragma once

namespace quillmar::messages {

inline constexpr char kWelcome[] =
    "Welcome aboard ! E=EVA 1,2=select UMmu A=Open/Close airlock S=info";

// Docking port: port number, name of the docked vessel or kNothingDocked.
inline constexpr char kActiveDockChanged[] = "Active dock number changed to: %i %s";
inline constexpr char kNothingDocked[] = "None";

// Arrivals: identifier code, name, age.
inline constexpr char kArrivalWalkedIn[] = "%s \"%s\" aged %i entered into our ship";
inline constexpr char kArrivalTransferred[] = "%s \"%s\" aged %i was transfered to our ship";
// A transfer that named nobody: the name the member was given outside.
inline constexpr char kArrivalUnnamed[] =
    "Error, transfered crew has no record, \"%s\" left outside our airlock";

// Attitude thrust level.
inline constexpr char kRcsMaximum[] = "RCS changed to maximum level";
inline constexpr char kRcsMinimum[] = "RCS changed to minimum level";

// EVA and transfer: the two successes take the name of the member who left.
inline constexpr char kTransferDone[] = "Transfer to docked ship Ok - %s transfered";
inline constexpr char kEvaDone[] = "EVA OK - %s left the ship";
inline constexpr char kEvaNobodyAboard[] = "Error, no one on board, unable to EVA";
inline constexpr char kEvaAirlockClosed[] = "Error, airlock is closed, unable to EVA";
inline constexpr char kEvaDockedAirlockClosed[] =
    "Error, docked ship's airlock is closed, unable to transfer";
inline constexpr char kEvaDockedShipFull[] = "Error, docked ship is already full transfer failed";
inline constexpr char kEvaNoSuchMember[] = "Error, no crew by this name in ship";
inline constexpr char kEvaDockedShipWithoutCrew[] =
    "Error, docked ship do not use UMmu 2.0, ask author to add it";
inline constexpr char kEvaMiscError[] = "Misc error with UMMU install it again";
inline constexpr char kEvaTransferUnderWay[] =
    "Error, a transfer to docked ship is under way, unable to transfer";
// Joins a refusal to a message posted earlier in the same frame.
inline constexpr char kSameFrameJoin[] = " / ";

// Crew selection: slot, identifier code, name, age. The two keys differ in one blank.
inline constexpr char kSelectNobodyAboard[] = "Sorry no one aboard unable to select";
inline constexpr char kSelectedNext[] =
    "Slot %i  %s \"%s\" aged %i Selected for EVA or Transfer, please press \"E\" to EVA";
inline constexpr char kSelectedPrevious[] =
    "Slot %i %s \"%s\" aged %i Selected for EVA or Transfer, please press \"E\" to EVA";

inline constexpr char kAirlockOpen[] = "Airlock is now open";
inline constexpr char kAirlockClosed[] = "Airlock is now closed";

// Crew information: crew count, ship name, free seats.
inline constexpr char kCrewInfo[] = "%i souls aboard ship %s, %i seats available";

inline constexpr char kMeshChanged[] = "Mesh changed";

// Name under which the crew manager's start-up warnings appear: the ship's class name.
inline constexpr char kAddonName[] = "Quillmar";

}  // namespace quillmar::messages
