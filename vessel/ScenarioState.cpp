// The ship's block in a scenario: the crew lines and the records of the transfers under way on top
// of the host's own lines, and the transponder channel read back. Without the crew add-on the crew
// lines are kept as read and written back after the host's lines.
#include "crew/TransfersInFlight.h"
#include "vessel/Quillmar.h"
#include "vessel/TransponderLine.h"

namespace quillmar {

void Quillmar::clbkLoadStateEx(FILEHANDLE scn, void* status) {
    char* line = nullptr;
    while (oapiReadScenario_nextline(scn, line)) {
        if (line == nullptr) continue;
        if (crew::LoadTransferLine(line)) continue;
        if (crew.LoadCrewLine(line) == crew::CrewManager::Result::kDone) continue;
        if (crew.KeepCrewLine(line) == crew::CrewManager::Result::kDone) continue;
        if (transponder_line::IsTransponderLine(line)) {
            transponder_line::ReadChannel(line, transponderChannel);
            EnableTransponder(true);
            SetTransponderChannel(static_cast<unsigned int>(transponderChannel));
        }
        ParseScenarioLineEx(line, status);
    }
}

void Quillmar::clbkSaveState(FILEHANDLE scn) {
    VESSEL4::clbkSaveState(scn);
    crew.SaveCrew(scn);
    crew.SaveKeptCrewLines(scn);
    crew::SaveTransfersInFlight(scn);
}

}  // namespace quillmar
