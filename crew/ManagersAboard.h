// The crew managers of the module's ships, all of them: a member named by a hand-over record may
// be aboard one of them already (the record is an old one, left by a transfer that ended), and
// such a record must never bring the member aboard a second ship.
#pragma once

namespace crew {

class CrewManager;

// A manager was made or is going: the module's list of managers follows.
void ManagerMade(const CrewManager* manager);
void ManagerGone(const CrewManager* manager);

// Whether the member of this member string ("code-name", as a transfer carries it) is aboard a
// ship of the module: a roster holds a member of that code and name as it would store them.
bool AboardAShipOfTheModule(const char* memberString);

}  // namespace crew
