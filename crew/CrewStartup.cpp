// Start-up of a crew manager: its link record, the crew add-on checks, the crew ID table, the
// crew vessel mesh, and the start-up warnings on the host's debug line.
#include <cmath>
#include <cstdio>

#include "crew/AddonVersion.h"
#include "crew/CrewIdTable.h"
#include "crew/CrewManager.h"
#include "crew/CrewText.h"
#include "crew/ModuleState.h"
#include "host/CrewAddon.h"

namespace crew {

namespace {

constexpr float kLowestAddonVersion = 2.0f;
// System seconds the warnings run after start-up, and the last seconds in which they blink.
constexpr double kWarningSeconds = 20.0;
constexpr double kBlinkingSeconds = 5.0;
// Within every cycle of system time, the first text shows this long and the second the rest.
constexpr double kWarningCycle = 15.0;
constexpr double kFirstTextSeconds = 10.0;
constexpr double kBlinkOnFraction = 0.75;

constexpr char kNotInitialisedText[] = "%s ERROR UMMU 2.0 not properly initialised in your code.";
// The same, when crew lines of the scenario could not be kept (KeptCrewLines): their count in
// all ships of the module.
constexpr char kCrewLinesNotKeptText[] =
    "%s ERROR UMMU 2.0 not properly initialised in your code. %i crew lines not kept: a save "
    "loses them";
constexpr char kRequireText[] =
    "%s requires the crew add-on, version 2.0 or higher. Download at %s (%0.0f)";
constexpr char kOutdatedText[] = "Your version of UMMU is outdated (%0.0f)";
constexpr char kDownloadSite[] = "the crew add-on's download page";

constexpr int kInitialSeats = 8;
constexpr VECTOR3 kInitialEvaPosition{0.0, 0.0, 3.0};
constexpr VECTOR3 kInitialEjectVelocity{0.0, 2.0, 0.0};

}  // namespace

StartResult CrewManager::Initialize(OBJHANDLE handle) {
    if (handle == nullptr) return StartResult::kNoVessel;
    const int index = LinkCount();
    AirlockLink& link = LinkRecord(index);
    const StartResult result = link.Init(handle);
    addonOutdated = 0;
    if (result != StartResult::kStarted) {
        // The record stays free for the next manager, so this one keeps no index of it.
        warningUntil = oapiGetSysTime() + kWarningSeconds;
        return result;
    }

    warningUntil = 0.0;
    if (ReadAddonVersion() < kLowestAddonVersion) {
        warningUntil = oapiGetSysTime() + kWarningSeconds;
        addonOutdated = 1;
    }
    if (LinkCount() == 0) LoadIdTable();
    ResetForStart(handle, index);

    // Refused while nothing is published; the record keeps its own values until DefineAirlock.
    link.SetFreeSeats(kInitialSeats);
    link.SetAuxValue(0);
    link.SetAutoDeleteArrival(0);
    readyFlags = kStarted;
    CommitNextLink();
    return StartResult::kStarted;
}

void CrewManager::ResetForStart(OBJHANDLE handle, int index) {
    const double keptWarningUntil = warningUntil;
    const int keptAddonOutdated = addonOutdated;
    *this = CrewManager{};
    seatCount = kInitialSeats;
    loadedCount = kNoCrewLinesRead;
    massBookkeeping = 1;
    airlockOpen = 1;
    evaValue = kDefaultEvaValue;
    CopyText(evaMesh, sizeof evaMesh, crew_addon::kMeshByIdCode, sizeof evaMesh - 1);
    evaPosition = kInitialEvaPosition;
    ejectVelocity = kInitialEjectVelocity;
    vesselHandle = handle;
    linkIndex = index;
    warningUntil = keptWarningUntil;
    addonOutdated = keptAddonOutdated;
}

float CrewManager::ReadAddonVersion() { return ReadAddonVersionFile(); }

void CrewManager::LoadIdTable() { LoadCrewIdTable(); }

void CrewManager::SelectEvaMesh(const char* idCode) {
    const char* mesh = crew_addon::kDefaultCrewMesh;
    if (!EqualsIgnoringCase(evaMesh, crew_addon::kMeshByIdCode)) {
        mesh = evaMesh;
    } else if (const char* found = FindIdMesh(idCode)) {
        mesh = found;
    }
    char(&next)[kEvaMeshNameSize] = TheModuleState().evaMeshName;
    CopyText(next, sizeof next, mesh, sizeof next - 1);
}

void CrewManager::ShowWarnings(const char* addonName) {
    // A started manager whose warnings are over shows only the crew lines kept unread, if any:
    // else the host's line is not asked for.
    if (Ready() && warningUntil <= 0.0) {
        ShowUnreadCrewLines(addonName);
        return;
    }
    char* line = oapiDebugString();
    if (line == nullptr) return;
    if (addonName == nullptr) addonName = "";
    if (!Ready()) {
        // Whichever ship lost crew lines: every ship without the add-on writes the same line.
        const int notKept = TheModuleState().crewLinesNotKept;
        if (notKept > 0) {
            std::snprintf(line, kDebugStringSize, kCrewLinesNotKeptText, addonName, notKept);
        } else {
            std::snprintf(line, kDebugStringSize, kNotInitialisedText, addonName);
        }
        return;
    }
    if (warningUntil <= 0.0) return;

    const double now = oapiGetSysTime();
    const auto remaining = static_cast<float>(warningUntil - now);
    if (warningUntil - now > kBlinkingSeconds) {
        if (std::fmod(now, kWarningCycle) < kFirstTextSeconds) {
            std::snprintf(line, kDebugStringSize, kRequireText, addonName, kDownloadSite,
                          static_cast<double>(remaining));
        } else {
            std::snprintf(line, kDebugStringSize, kOutdatedText, static_cast<double>(remaining));
        }
    } else if (std::fmod(now, 1.0) < kBlinkOnFraction) {
        std::snprintf(line, kDebugStringSize, kOutdatedText, static_cast<double>(remaining));
    } else {
        line[0] = '\0';
    }
    if (warningUntil < now) {
        line[0] = '\0';
        warningUntil = -1.0;
    }
}

}  // namespace crew
