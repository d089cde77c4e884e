// Where every crew member is, as the simulation shows it: aboard a ship (its crew lines), in a
// crew vessel (its name "UMmu_" + code + "-" + name), or in a transfer vessel ("UMmuT" +
// receiver, naming its member in its "U-Mm" attachment, or else by the transfer file's record).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "sim/Simulator.h"

namespace robustness {

inline constexpr char kShipClass[] = "Quillmar";
inline constexpr int kSeats = 50;

// One crew line as written: code-name-age-pulse-weight, the name with spaces again.
struct CrewLine {
    std::string code;
    std::string name;
    int age = 0;
    int pulse = 0;
    int weight = 0;
};

// The ship's crew, in roster order, from the crew lines it saves.
std::vector<CrewLine> Roster(const std::string& ship);
std::vector<std::string> RosterNames(const std::string& ship);

// The member a crew vessel name carries ("UMmu_Capt-Ada_Kerr" gives "Ada Kerr").
std::string MemberOfCrewVesselName(const std::string& vesselName);

// A member's name as a roster keeps it: every character but letters and digits a blank. A crew
// vessel's name may hold what the roster does not ("Ann.Lee" comes aboard as "Ann Lee").
std::string CrewName(std::string name);

// Every member in the simulation, counted by name.
using Headcount = std::map<std::string, int>;
Headcount CountEveryone(const sim::Simulator& sim);

// Text of a headcount difference, for failure messages; empty when equal.
std::string Difference(const Headcount& expected, const Headcount& found);

// The free seats a ship publishes on its airlock attachment, or -1 without one.
int PublishedFreeSeats(const std::string& ship);
// The door state a ship publishes (1 open, 0 closed), or -1 without an airlock.
int PublishedAirlockState(const std::string& ship);

// Names of the transfer vessels under way, in index order.
std::vector<std::string> TransferVessels(const sim::Simulator& sim);

}  // namespace robustness
