// A vessel module for the simulator's tests, loaded at run time like any module. Its behaviour
// comes from its scenario lines:
//   HUD FROM TO TEXT...   draw TEXT at (10, 20 + 15 * n) while FROM <= time < TO
//   AT TIME VERB ARGS     once, in the first pre-step at or after TIME: "create NAME CLASS",
//                         "delete NAME", "debug TEXT" ("debug -" clears the line), "focus NAME"
//   MASS KG               its empty mass (1000 kg without the line)
//   GEAR Y K              three touchdown points at height Y, stiffness K each (the host's
//                         defaults without the line)
// It has two docking ports (one whose name begins with "Tanker" also a 1000 kg tank and one
// thruster each in the main, retro and hover groups), saves "SETSTATE N" (the times the host
// called its clbkSetStateEx, when any), "BLANKS N" (the blank lines its block handed it, when any)
// and "STEPS PRE POST" (its callback counts) after the host's lines, answers a key press with the
// key code plus 1000 for Shift, 2000 for Ctrl and 4000 for Alt (only when the key itself is held),
// and writes "exit NAME PRE POST" to the debug line when it is destroyed.
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "host/HostApi.h"

namespace {

struct HudText {
    double from;
    double to;
    std::string text;
};

struct Action {
    double at;
    std::string verb;
    std::string first;
    std::string second;
    bool done;
};

bool Held(const char* keyboard, int code) { return (keyboard[code] & 0x80) != 0; }

class ProbeVessel final : public VESSEL4 {
  public:
    using VESSEL3::clbkDrawHUD;
    using VESSEL4::VESSEL4;
    ~ProbeVessel() {
        std::snprintf(oapiDebugString(), 256, "exit %s %d %d", name_.c_str(), preSteps_,
                      postSteps_);
    }

    void clbkSetClassCaps(FILEHANDLE) override {
        name_ = GetName();
        SetEmptyMass(1000.0);
        SetPMI({1.0, 1.0, 1.0});
        CreateDock({0, 0, 10}, {0, 0, 1}, {0, 1, 0});
        CreateDock({0, 0, -10}, {0, 0, -1}, {0, 1, 0});
        if (name_.rfind("Tanker", 0) == 0) {
            PROPELLANT_HANDLE tank = CreatePropellantResource(1000.0);
            const THGROUP_TYPE groups[] = {THGROUP_MAIN, THGROUP_RETRO, THGROUP_HOVER};
            for (const THGROUP_TYPE type : groups) {
                THRUSTER_HANDLE thruster =
                    CreateThruster({0, 0, 0}, {0, 0, 1}, 100.0, tank, 3000.0);
                CreateThrusterGroup(&thruster, 1, type);
            }
        }
    }

    void clbkSetStateEx(const void* status) override {
        ++setStateCalls_;
        VESSEL4::clbkSetStateEx(status);
    }

    void clbkLoadStateEx(FILEHANDLE scn, void* status) override {
        char* line = nullptr;
        while (oapiReadScenario_nextline(scn, line)) {
            if (line[0] == '\0') ++blankLines_;
            std::istringstream words(line);
            std::string key;
            words >> key;
            if (key == "HUD") {
                HudText hud{};
                words >> hud.from >> hud.to >> std::ws;
                std::getline(words, hud.text);
                hud_.push_back(hud);
            } else if (key == "AT") {
                Action action{};
                words >> action.at >> action.verb >> std::ws;
                if (action.verb == "debug") {
                    std::getline(words, action.first);
                } else {
                    words >> action.first >> action.second;
                }
                actions_.push_back(action);
            } else if (key == "MASS") {
                double mass = 0.0;
                words >> mass;
                SetEmptyMass(mass);
            } else if (key == "GEAR") {
                double y = 0.0, stiffness = 0.0;
                words >> y >> stiffness;
                const TOUCHDOWNVTX gear[] = {{{0, y, 5}, stiffness, stiffness / 10, 0.5, 0.1},
                                             {{-4, y, -5}, stiffness, stiffness / 10, 0.5, 0.1},
                                             {{4, y, -5}, stiffness, stiffness / 10, 0.5, 0.1}};
                SetTouchdownPoints(gear, 3);
            } else {
                ParseScenarioLineEx(line, status);
            }
        }
    }

    void clbkSaveState(FILEHANDLE scn) override {
        VESSEL2::clbkSaveState(scn);
        char counts[64];
        if (setStateCalls_ > 0) {
            std::snprintf(counts, sizeof counts, "%d", setStateCalls_);
            char setState[] = "SETSTATE";
            oapiWriteScenario_string(scn, setState, counts);
        }
        if (blankLines_ > 0) {
            std::snprintf(counts, sizeof counts, "%d", blankLines_);
            char blanks[] = "BLANKS";
            oapiWriteScenario_string(scn, blanks, counts);
        }
        std::snprintf(counts, sizeof counts, "%d %d", preSteps_, postSteps_);
        char key[] = "STEPS";
        oapiWriteScenario_string(scn, key, counts);
    }

    void clbkPreStep(double simt, double, double) override {
        ++preSteps_;
        for (auto& action : actions_) {
            if (action.done || simt < action.at) continue;
            action.done = true;
            Perform(action);
        }
    }

    void clbkPostStep(double simt, double, double) override {
        ++postSteps_;
        time_ = simt;
    }

    bool clbkDrawHUD(int mode, const HUDPAINTSPEC* hps, oapi::Sketchpad* skp) override {
        VESSEL4::clbkDrawHUD(mode, hps, skp);
        int row = 0;
        for (const auto& hud : hud_) {
            if (time_ < hud.from || time_ >= hud.to) continue;
            skp->Text(10, 20 + 15 * row++, hud.text.c_str(), static_cast<int>(hud.text.size()));
        }
        return true;
    }

    int clbkConsumeBufferedKey(DWORD key, bool down, char* keyboard) override {
        if (!down || !Held(keyboard, static_cast<int>(key))) return 0;
        return static_cast<int>(key) + (Held(keyboard, 0x2A) ? 1000 : 0) +
               (Held(keyboard, 0x1D) ? 2000 : 0) + (Held(keyboard, 0x38) ? 4000 : 0);
    }

  private:
    void Perform(Action& action) {
        if (action.verb == "create") {
            VESSELSTATUS status{};
            GetStatus(status);
            oapiCreateVessel(action.first.c_str(), action.second.c_str(), status);
        } else if (action.verb == "delete") {
            oapiDeleteVessel(oapiGetObjectByName(action.first.data()));
        } else if (action.verb == "debug") {
            const char* text = action.first == "-" ? "" : action.first.c_str();
            std::snprintf(oapiDebugString(), 256, "%s", text);
        } else if (action.verb == "focus") {
            oapiSetFocusObject(oapiGetObjectByName(action.first.data()));
        }
    }

    std::string name_;
    std::vector<HudText> hud_;
    std::vector<Action> actions_;
    int setStateCalls_ = 0;
    int blankLines_ = 0;
    int preSteps_ = 0;
    int postSteps_ = 0;
    double time_ = 0.0;
};

int marker = 0;

__attribute__((constructor)) void Loaded() { InitLib(&marker); }

}  // namespace

QM_EXPORT VESSEL* ovcInit(OBJHANDLE vessel, int flightModel) {
    return new ProbeVessel(vessel, flightModel);
}

QM_EXPORT void ovcExit(VESSEL* vessel) { delete static_cast<ProbeVessel*>(vessel); }
