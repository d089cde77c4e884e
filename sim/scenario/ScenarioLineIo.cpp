#include "sim/scenario/ScenarioLineIo.h"

#include <string>
#include <utility>

#include "sim/world/World.h"

namespace sim {

bool NextScenarioLine(FILEHANDLE scn, char*& line) {
    World* world = World::Current();
    if (world == nullptr || scn == nullptr || scn != world->loading.activeSource) return false;
    ScenarioLineSource& source = *world->loading.activeSource;
    if (source.next >= source.lines.size()) return false;
    source.current = source.lines[source.next];
    source.currentLine = source.lineNumbers[source.next];
    ++source.next;
    line = source.current.data();
    return true;
}

void WriteScenarioLine(FILEHANDLE scn, std::string_view item, std::string_view value) {
    World* world = World::Current();
    if (world == nullptr || scn == nullptr || scn != world->activeSink) return;
    std::string text(item);
    if (!value.empty()) {
        text += ' ';
        text += value;
    }
    world->activeSink->lines.push_back(std::move(text));
}

}  // namespace sim
