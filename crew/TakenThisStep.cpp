#include "crew/TakenThisStep.h"

#include <algorithm>
#include <vector>

namespace taken_this_step {
namespace {

// The host's system time stays the same through a frame and moves on with the next, so it tells
// one step from the next without a callback at the end of each.
struct TakenList {
    double stepTime = -1.0;
    // Kept between steps, so that a frame allocates only when more are taken than ever before.
    std::vector<OBJHANDLE> vessels;
};

TakenList& List() {
    static TakenList list;
    const double now = oapiGetSysTime();
    if (now != list.stepTime) {
        list.stepTime = now;
        list.vessels.clear();
    }
    return list;
}

}  // namespace

bool Contains(OBJHANDLE vessel) {
    const std::vector<OBJHANDLE>& vessels = List().vessels;
    return std::find(vessels.begin(), vessels.end(), vessel) != vessels.end();
}

void Add(OBJHANDLE vessel) { List().vessels.push_back(vessel); }

void Forget() { List().vessels.clear(); }

}  // namespace taken_this_step
