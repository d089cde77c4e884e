// A ship's crew as its scenario lines give it, and the member a crew vessel's name carries.
#pragma once

#include <string>
#include <vector>

#include "sim/session/Simulator.h"

namespace test_support {

// One crew line as the ship writes it: code-name-age-pulse-weight, the name with its blanks.
struct CrewLine {
    std::string code;
    std::string name;
    int age = 0;
    int pulse = 0;
    int weight = 0;
};

// The ship's crew in roster order, from the crew lines its save writes now: of a ship that
// publishes its airlock, the first as many as it has members (the lines it keeps unread follow
// them); empty when there is no such vessel. Throws std::runtime_error on a member's crew line
// that is not five fields.
std::vector<CrewLine> Roster(const sim::Simulator& simulator, const std::string& ship);
std::vector<std::string> RosterNames(const sim::Simulator& simulator, const std::string& ship);

// A member's name as a roster keeps it: every character but letters and digits a blank. A crew
// vessel's name may hold what the roster does not ("Ann.Lee" comes aboard as "Ann Lee").
std::string CrewName(std::string name);

// The member a crew vessel name carries ("UMmu_Capt-Ada_Kerr" gives "Ada Kerr").
std::string MemberOfCrewVesselName(const std::string& vesselName);

}  // namespace test_support
