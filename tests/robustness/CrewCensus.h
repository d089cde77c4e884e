// Where every crew member is, as the simulation shows it: aboard a ship (its crew lines), in a
// crew vessel (its name "UMmu_" + code + "-" + name), or in a transfer vessel ("UMmuT" +
// receiver, naming its member in its "U-Mm" attachment, or else by its sender, when that is a
// ship of another add-on, or by the ships' record of the transfer, or else by the transfer file's
// record).
#pragma once

#include <map>
#include <string>

#include "sim/session/Simulator.h"

namespace robustness {

inline constexpr int kSeats = 50;

// Every member in the simulation, counted by name.
using Headcount = std::map<std::string, int>;
// Transfer vessels that ships of another add-on sent, which name their member to nobody: vessel
// name to the name the census counts them under.
using PeerMembers = std::map<std::string, std::string>;
Headcount CountEveryone(const sim::Simulator& sim, const PeerMembers& peers = {});

// Text of a headcount difference, for failure messages; empty when equal.
std::string Difference(const Headcount& expected, const Headcount& found);

}  // namespace robustness
