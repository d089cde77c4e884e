#include "ModuleChecks.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Check.h"
#include "HostWorld.h"
#include "HudSketchpad.h"
#include "RootFolder.h"
#include "VesselBySlot.h"
#include "host/CrewAddon.h"
#include "testing/HandOverRecordCheck.h"
#include "testing/windows/ModuleImage.h"
#include "vessel/ShipTables.h"

namespace {

// ---- What the checks share ---------------------------------------------------------------------

constexpr int kShipCount = 3;
constexpr const char* kShipNames[kShipCount] = {"Pioneer", "Meridian", "Corsair"};
constexpr int kPioneer = 0;   // scenario crew, keys, an EVA and an arrival
constexpr int kMeridian = 1;  // the set-up crew; frames and HUD drawing
constexpr int kCorsair = 2;   // a scenario without crew

constexpr char kWelcome[] = "Welcome aboard ! E=EVA 1,2=select UMmu A=Open/Close airlock S=info";
constexpr short kVessel4Version = 3;
constexpr int kHudWidth = HudSketchpad::kWidth;
constexpr int kHudHeight = HudSketchpad::kHeight;
// Rows below the text's top that the HUD font can reach; nothing is drawn outside them.
constexpr int kTextBand = 32;

constexpr unsigned char kKeyHeld = 0x80;  // the bit that marks a key held

struct Loaded {
    HMODULE module = nullptr;
    std::string fileName;
    Vessel* ships[kShipCount] = {};
    HudSketchpad* hud = nullptr;
    int statusMarker = 0;  // its address is the status pointer handed to clbkLoadStateEx
};

Loaded loaded;

VESSELSTATUS ShipStatus(int index) {
    VESSELSTATUS status{};
    status.rpos = VECTOR3{{6778000.0, 1000.0 * index, 0.0}};
    status.rvel = VECTOR3{{0.0, 7668.5, 0.0}};
    status.status = 0;
    return status;
}

VECTOR3 Vec(double x, double y, double z) { return VECTOR3{{x, y, z}}; }

VECTOR3 Sum(const VECTOR3& a, const VECTOR3& b) { return Vec(a.x + b.x, a.y + b.y, a.z + b.z); }

// Draws the ship's HUD on a cleared 800 x 600 pad, as the simulator's VESSEL3 path does.
bool DrawHud(Vessel* ship, int height) {
    loaded.hud->Reset();
    HUDPAINTSPEC hudArea{kHudWidth, height, kHudWidth / 2, height / 2, 10.0, 6};
    return by_slot::DrawHud(ship->vesselInterface, 0, &hudArea, loaded.hud);
}

// The text the ship's HUD shows now, "" when it draws none.
std::string HudText(Vessel* ship) {
    DrawHud(ship, kHudHeight);
    const auto& texts = loaded.hud->Texts();
    return texts.empty() ? std::string() : texts.back().text;
}

std::vector<std::string> SaveLines(Vessel* ship) {
    ScenarioBlock block;
    by_slot::SaveState(ship->vesselInterface, &block);
    return block.written;
}

void CheckLines(const std::vector<std::string>& actual, const std::vector<const char*>& expected,
                const char* what, int line) {
    char detail[64];
    std::snprintf(detail, sizeof detail, "%zu lines, expected %zu", actual.size(), expected.size());
    check::Record(actual.size() == expected.size(), what, __FILE__, line, detail);
    for (std::size_t i = 0; i < actual.size() && i < expected.size(); ++i) {
        check::Equal(actual[i].c_str(), expected[i], what, __FILE__, line);
    }
}

// The hand-over file holds one whole record, and it is the one expected.
void CheckHandOverFile(const char* path, const test_support::ExpectedRecord& expected) {
    crew_addon::HandOverRecord record{};
    std::FILE* file = std::fopen(path, "rb");
    if (!CHECK(file != nullptr)) return;
    const std::size_t read = std::fread(&record, 1, sizeof record, file);
    const bool more = std::fgetc(file) != EOF;
    std::fclose(file);
    CHECK_EQ(read, sizeof record);
    CHECK(!more);
    CHECK_EQ(test_support::RecordDifferences(record, expected).c_str(), "");
}

int CountGroups(const Vessel& ship) {
    int count = 0;
    for (const HostThrusterGroup& group : ship.groups) count += group.exists ? 1 : 0;
    return count;
}

// The group of a set-up table row exists with the row's thrusters, in the row's order.
void CheckAttitudeGroup(const Vessel& ship, const quillmar::AttitudeGroup& row) {
    const HostThrusterGroup& group = ship.groups[row.type];
    if (!CHECK(group.exists)) return;
    if (!CHECK_EQ(group.members.size(), row.count)) return;
    for (int m = 0; m < row.count; ++m) {
        CHECK_EQ(ship.ThrusterIndex(group.members[static_cast<std::size_t>(m)]),
                 quillmar::kMainEngineCount + row.members[m]);
    }
}

// ---- The module's image ------------------------------------------------------------------------

// A library name as ImportedLibraries gives it, in lower case.
bool AllowedLibrary(const std::string& name) {
    constexpr const char* kAllowed[] = {"orbiter.exe", "ucrtbase.dll", "kernel32.dll", "gdi32.dll",
                                        "user32.dll"};
    for (const char* allowed : kAllowed) {
        if (name == allowed) return true;
    }
    return name.rfind("api-ms-win-crt-", 0) == 0;
}

// Exactly the three entry points, and imports only from the simulator and the system: no C++
// runtime DLL that a player's machine may lack.
void CheckModuleImage() {
    std::vector<std::string> exports = ExportedNames(loaded.module);
    std::sort(exports.begin(), exports.end());
    CheckLines(exports, {"GetModuleVersion", "ovcExit", "ovcInit"}, "exported names", __LINE__);
    const std::vector<std::string> libraries = ImportedLibraries(loaded.module);
    bool fromSimulator = false;
    for (const std::string& library : libraries) {
        check::Record(AllowedLibrary(library), "imported library", __FILE__, __LINE__,
                      library.c_str());
        fromSimulator = fromSimulator || library == "orbiter.exe";
    }
    CHECK(fromSimulator);
}

// ---- Version -----------------------------------------------------------------------------------

void CheckModuleVersion() {
    HostWorld& world = World();
    world.date2IntTexts.clear();
    const int first = world.module.getModuleVersion();
    const int second = world.module.getModuleVersion();
    CHECK_EQ(first, 60425);
    CHECK_EQ(second, first);
    // The number comes from the host's Date2Int, asked once and then kept.
    if (CHECK_EQ(world.date2IntTexts.size(), 1)) {
        CHECK_EQ(world.date2IntTexts[0].c_str(), "Apr 25 2006");
    }
}

// ---- Creation ----------------------------------------------------------------------------------

void CheckVesselCreation() {
    HostWorld& world = World();
    for (int i = 0; i < kShipCount; ++i) {
        Vessel* ship =
            world.CreateVessel(kShipNames[i], world.module.className.c_str(), ShipStatus(i));
        loaded.ships[i] = ship;
        if (!CHECK(ship != nullptr && ship->vesselInterface != nullptr)) continue;
        VESSEL* vessel = ship->vesselInterface;
        // The simulator reads the interface version and the vessel pointer at fixed places of
        // the module's object: both must sit where the simulator's layout puts them.
        CHECK_EQ(by_slot::Version(vessel), kVessel4Version);
        CHECK(vessel->GetHandle() == ship);
        CHECK_EQ(vessel->GetName(), kShipNames[i]);
    }
}

// ---- Class set-up ------------------------------------------------------------------------------

void CheckFigures(const Vessel& ship) {
    CHECK_EQ(ship.size, quillmar::kSize);
    CHECK_EQ(ship.emptyMass, quillmar::kEmptyMass);
    CHECK_EQ(ship.cw[0], quillmar::kDrag.zPositive);
    CHECK_EQ(ship.cw[1], quillmar::kDrag.zNegative);
    CHECK_EQ(ship.cw[2], quillmar::kDrag.x);
    CHECK_EQ(ship.cw[3], quillmar::kDrag.y);
    CHECK_EQ(ship.crossSections, quillmar::kCrossSections);
    CHECK_EQ(ship.rotDrag, quillmar::kRotDrag);
    CHECK_EQ(ship.pitchMomentScale, quillmar::kPitchMomentScale);
    CHECK_EQ(ship.bankMomentScale, quillmar::kBankMomentScale);
    CHECK_EQ(ship.pmi, quillmar::kPrincipalMoments);
    // The touchdown points cross as the simulator lays TOUCHDOWNVTX out: every field of every row.
    if (CHECK_EQ(ship.touchdownPoints.size(), std::size(quillmar::kTouchdownPoints))) {
        for (std::size_t i = 0; i < ship.touchdownPoints.size(); ++i) {
            const TOUCHDOWNVTX& got = ship.touchdownPoints[i];
            const TOUCHDOWNVTX& want = quillmar::kTouchdownPoints[i];
            CHECK_EQ(got.pos, want.pos);
            CHECK_EQ(got.stiffness, want.stiffness);
            CHECK_EQ(got.damping, want.damping);
            CHECK_EQ(got.mu, want.mu);
            CHECK_EQ(got.mu_lng, want.mu_lng);
        }
    }
    if (CHECK_EQ(ship.propellants.size(), 1)) {
        CHECK_EQ(ship.propellants[0]->maxMass, quillmar::kPropellantMaxMass);
        CHECK_EQ(ship.propellants[0]->massArgument, quillmar::kPropellantInitialMass);
        CHECK_EQ(ship.propellants[0]->efficiency, quillmar::kPropellantEfficiency);
    }
}

void CheckThrusters(const Vessel& ship) {
    if (!CHECK_EQ(ship.thrusters.size(),
                  quillmar::kMainEngineCount + quillmar::kAttitudeThrusterCount))
        return;
    const PROPELLANT_HANDLE tank = ship.propellants.empty() ? nullptr : ship.propellants[0].get();
    for (const auto& thruster : ship.thrusters) {
        CHECK(thruster->propellant == tank);
        CHECK_EQ(thruster->isp, quillmar::kThrusterIsp);
        CHECK_EQ(thruster->ispRef, quillmar::kThrusterIspRef);
        CHECK_EQ(thruster->pressureRef, quillmar::kThrusterPressureRef);
    }
    for (int i = 0; i < quillmar::kMainEngineCount; ++i) {
        const HostThruster& engine = *ship.thrusters[static_cast<std::size_t>(i)];
        CHECK_EQ(engine.pos, quillmar::kMainEnginePos);
        CHECK_EQ(engine.dir, quillmar::kMainEngineDir);
        CHECK_EQ(engine.maxThrust, quillmar::kMainEngineThrust);
    }
    for (int k = 0; k < quillmar::kAttitudeThrusterCount; ++k) {
        const HostThruster& rcs =
            *ship.thrusters[static_cast<std::size_t>(quillmar::kMainEngineCount + k)];
        CHECK_EQ(rcs.pos, quillmar::kAttitudeThrusters[k].pos);
        CHECK_EQ(rcs.dir, quillmar::kAttitudeThrusters[k].dir);
        CHECK_EQ(rcs.maxThrust, quillmar::kRcsLevelMaximum);
    }
}

void CheckExhausts(const Vessel& ship) {
    if (!CHECK_EQ(ship.exhausts.size(),
                  quillmar::kMainEngineCount + quillmar::kAttitudeThrusterCount))
        return;
    for (int i = 0; i < quillmar::kMainEngineCount; ++i) {
        const HostExhaust& flame = ship.exhausts[static_cast<std::size_t>(i)];
        const VECTOR3& point = quillmar::kMainExhaustPoints[i];
        CHECK_EQ(ship.ThrusterIndex(flame.thruster), i);
        CHECK_EQ(flame.lengthScale, quillmar::kMainFlameLength);
        CHECK_EQ(flame.widthScale, quillmar::kMainFlameWidth);
        CHECK_EQ(flame.pos, Vec(point.x, point.y, point.z - quillmar::kMainFlameAftOffset));
        CHECK_EQ(flame.dir, quillmar::kMainFlameDir);
        CHECK(flame.texture == nullptr);
    }
    for (int k = 0; k < quillmar::kAttitudeThrusterCount; ++k) {
        const HostExhaust& flame =
            ship.exhausts[static_cast<std::size_t>(quillmar::kMainEngineCount + k)];
        CHECK_EQ(ship.ThrusterIndex(flame.thruster), quillmar::kMainEngineCount + k);
        CHECK_EQ(flame.lengthScale, quillmar::kAttitudeFlameLength);
        CHECK_EQ(flame.widthScale, quillmar::kAttitudeFlameWidth);
        CHECK_EQ(flame.pos, quillmar::kAttitudeThrusters[k].exhaustPos);
        CHECK_EQ(flame.dir, quillmar::kAttitudeThrusters[k].exhaustDir);
    }
    if (!CHECK_EQ(ship.streams.size(), quillmar::kMainEngineCount)) return;
    const PARTICLESTREAMSPEC& want = quillmar::kMainExhaustStreamSpec;
    for (int i = 0; i < quillmar::kMainEngineCount; ++i) {
        const HostExhaustStream& stream = *ship.streams[static_cast<std::size_t>(i)];
        CHECK_EQ(ship.ThrusterIndex(stream.thruster), i);
        // The source point is the module's own, read through the reference it handed over.
        if (CHECK(stream.source != nullptr))
            CHECK_EQ(*stream.source, quillmar::kMainExhaustPoints[i]);
        if (!CHECK(stream.hasSpec)) continue;
        const PARTICLESTREAMSPEC& got = stream.parameters;
        CHECK_EQ(got.flags, want.flags);
        CHECK_EQ(got.srcsize, want.srcsize);
        CHECK_EQ(got.srcrate, want.srcrate);
        CHECK_EQ(got.v0, want.v0);
        CHECK_EQ(got.srcspread, want.srcspread);
        CHECK_EQ(got.lifetime, want.lifetime);
        CHECK_EQ(got.growthrate, want.growthrate);
        CHECK_EQ(got.atmslowdown, want.atmslowdown);
        CHECK_EQ(static_cast<int>(got.ltype), static_cast<int>(want.ltype));
        CHECK_EQ(static_cast<int>(got.levelmap), static_cast<int>(want.levelmap));
        CHECK_EQ(got.lmin, want.lmin);
        CHECK_EQ(got.lmax, want.lmax);
        CHECK_EQ(static_cast<int>(got.atmsmap), static_cast<int>(want.atmsmap));
        CHECK_EQ(got.amin, want.amin);
        CHECK_EQ(got.amax, want.amax);
        CHECK(got.tex == want.tex);
    }
}

void CheckThrusterGroups(const Vessel& ship) {
    CHECK_EQ(CountGroups(ship), 1 + quillmar::kAttitudeGroupCount);
    const HostThrusterGroup& main = ship.groups[THGROUP_MAIN];
    if (CHECK(main.exists) && CHECK_EQ(main.members.size(), quillmar::kMainEngineCount)) {
        for (int i = 0; i < quillmar::kMainEngineCount; ++i) {
            CHECK_EQ(ship.ThrusterIndex(main.members[static_cast<std::size_t>(i)]), i);
        }
    }
    CHECK(!ship.groups[THGROUP_RETRO].exists);
    CHECK(!ship.groups[THGROUP_HOVER].exists);
    for (const quillmar::AttitudeGroup& row : quillmar::kAttitudeGroups)
        CheckAttitudeGroup(ship, row);
}

void CheckDocksAndAirlock(const Vessel& ship) {
    if (CHECK_EQ(ship.docks.size(), quillmar::kDockCount)) {
        for (int d = 0; d < quillmar::kDockCount; ++d) {
            const HostDock& dock = *ship.docks[static_cast<std::size_t>(d)];
            CHECK_EQ(dock.pos, quillmar::kDockingPorts[d].pos);
            CHECK_EQ(dock.dir, quillmar::kDockingPorts[d].dir);
            CHECK_EQ(dock.rot, quillmar::kDockingPorts[d].rot);
        }
    }
    // The published airlock: port 0's box, closed, the seats less the set-up member.
    CHECK_EQ(ship.AttachmentCount(true), 0);
    if (!CHECK_EQ(ship.AttachmentCount(false), 1)) return;
    const HostAttachment& airlock = *ship.attachments[0];
    const quillmar::AirlockBox& box = quillmar::kDockingPorts[0].airlock;
    CHECK_EQ(airlock.id.c_str(), crew_addon::kAirlockAttachmentId);
    CHECK_EQ(airlock.pos, Vec(box.xMin, box.xMax, box.yMin));
    CHECK_EQ(airlock.dir, Vec(box.yMax, box.zMin, box.zMax));
    CHECK_EQ(airlock.rot.x, static_cast<double>(quillmar::kDoorClosed));
    CHECK_EQ(airlock.rot.z, static_cast<double>(quillmar::kSeatCount - 1));
    CHECK(!airlock.loose);
}

void CheckVisualsAndTransponder(const Vessel& ship) {
    if (CHECK_EQ(ship.meshes.size(), 1)) {
        const HostMesh& mesh = ship.meshes[0];
        CHECK_EQ(mesh.name.c_str(), quillmar::kMeshName);
        CHECK(mesh.hasOffset);
        CHECK_EQ(mesh.offset, quillmar::kMeshOffset);
        CHECK_EQ(mesh.visibility, MESHVIS_ALWAYS);
    }
    CHECK_EQ(ship.cameraOffset, quillmar::kCameraOffset);
    CHECK(ship.transponderEnabled);
    CHECK_EQ(ship.transponderChannel, 0);
}

void CheckClassCaps() {
    int configMarker = 0;
    for (Vessel* ship : loaded.ships) {
        if (ship == nullptr) continue;
        by_slot::SetClassCaps(ship->vesselInterface, &configMarker);
        CheckFigures(*ship);
        CheckThrusters(*ship);
        CheckExhausts(*ship);
        CheckThrusterGroups(*ship);
        CheckDocksAndAirlock(*ship);
        CheckVisualsAndTransponder(*ship);
    }
}

// ---- Scenario load and save --------------------------------------------------------------------

struct ScenarioCase {
    int ship;
    bool load;  // false: a vessel created during the run, never loaded
    std::vector<const char*> lines;
    std::vector<const char*> parsed;  // handed on to the simulator's parser
    std::vector<const char*> saved;   // the simulator's lines first, then the crew's
    double emptyMassChange;
    DWORD channel;
};

void CheckScenario() {
    const std::vector<ScenarioCase> cases = {
        {kPioneer,
         true,
         {"UMMUCREW Capt-Ada_Kerr-41-66-72", "XPDR 466", "STATUS Orbiting Earth",
          "UMMUCREW Tech-Max_Poe-30-70-80", "UMMUCREW Cook-Old_Age-141-70-80"},
         // A crew line the ship cannot take is kept unread and written back after the members'.
         {"XPDR 466", "STATUS Orbiting Earth"},
         {"STATUS Orbiting Earth", "XPDR 466", "UMMUCREW Capt-Ada_Kerr-41-66-72",
          "UMMUCREW Tech-Max_Poe-30-70-80", "UMMUCREW Cook-Old_Age-141-70-80"},
         -quillmar::kDefaultCrewMember.weight + 72.0 + 80.0,
         466},
        {kMeridian,
         false,
         {},
         {},
         {"STATUS Orbiting Earth", "XPDR 0", "UMMUCREW Pass-Corwin_Haddel-54-65-82"},
         0.0,
         0},
        {kCorsair,
         true,
         {"STATUS Landed Earth", "xpdr 12"},
         {"STATUS Landed Earth", "xpdr 12"},
         {"STATUS Orbiting Earth", "XPDR 12"},
         -quillmar::kDefaultCrewMember.weight,
         12},
    };
    for (const ScenarioCase& c : cases) {
        Vessel* ship = loaded.ships[c.ship];
        if (ship == nullptr) continue;
        if (c.load) {
            ScenarioBlock block;
            block.lines.assign(c.lines.begin(), c.lines.end());
            by_slot::LoadStateEx(ship->vesselInterface, &block, &loaded.statusMarker);
            CHECK_EQ(block.next, c.lines.size());
            CHECK(ship->parsedStatus == &loaded.statusMarker);
        }
        CheckLines(ship->parsedLines, c.parsed, ship->name.c_str(), __LINE__);
        CHECK_EQ(ship->transponderChannel, c.channel);
        CHECK(ship->transponderEnabled);
        CHECK_EQ(ship->emptyMass, quillmar::kEmptyMass + c.emptyMassChange);
        CheckLines(SaveLines(ship), c.saved, ship->name.c_str(), __LINE__);
    }
}

// ---- Buffered keys -----------------------------------------------------------------------------

enum class AfterKey { Nothing, AirlockOpen, EvaDone, RcsMinimum, RcsMaximum };

struct KeyCase {
    DWORD key;
    bool down;
    bool control;
    int result;
    const char* hud;  // the HUD line after the key
    AfterKey after;
};

void CheckRcsLevel(const Vessel& ship, double level) {
    for (int k = 0; k < quillmar::kAttitudeThrusterCount; ++k) {
        CHECK_EQ(
            ship.thrusters[static_cast<std::size_t>(quillmar::kMainEngineCount + k)]->maxThrust,
            level);
    }
    CHECK_EQ(ship.thrusters[0]->maxThrust, quillmar::kMainEngineThrust);
}

// The member left as a crew vessel at port 0's EVA position, with a hand-over record for the crew
// add-on, and the ship carries one member less.
void CheckEva(const Vessel& ship) {
    const Vessel* crewVessel = World().FindByName("UMmu_Capt-Ada_Kerr");
    if (CHECK(crewVessel != nullptr)) {
        CHECK_EQ(crewVessel->className.c_str(), crew_addon::kCrewClassName);
        CHECK_EQ(crewVessel->status.rpos,
                 Sum(ship.status.rpos, quillmar::kDockingPorts[0].evaPosition));
        CHECK_EQ(crewVessel->status.rvel, ship.status.rvel);
        CHECK_EQ(crewVessel->status.status, 0);
        CHECK_EQ(crewVessel->status.fuel, 1.0);
        // Turned by port 0's EVA angles, all zero: the orientation it was created with.
        const MATRIX3& r = crewVessel->rotation;
        for (int i = 0; i < 9; ++i) CHECK_EQ(r.data[i], IdentityMatrix().data[i]);
    }
    // The crew ID table's built-in mesh for the function code "Capt".
    CheckHandOverFile(crew_addon::kSpawnFile, {.vesselName = "UMmu_Capt-Ada Kerr",
                                               .meshName = "ummu/ummup",
                                               .age = 41,
                                               .pulse = 66,
                                               .evaValue = 100,
                                               .weight = 72});
    CHECK_EQ(ship.emptyMass, quillmar::kEmptyMass - quillmar::kDefaultCrewMember.weight + 80.0);
}

void CheckKeys() {
    Vessel* ship = loaded.ships[kPioneer];
    if (ship == nullptr) return;
    VESSEL* vessel = ship->vesselInterface;
    const std::vector<KeyCase> cases = {
        {OAPI_KEY_E, false, false, 0, kWelcome, AfterKey::Nothing},
        {OAPI_KEY_Q, true, false, 0, kWelcome, AfterKey::Nothing},
        {OAPI_KEY_A, true, false, 1, "Airlock is now open", AfterKey::AirlockOpen},
        {OAPI_KEY_1, true, false, 1,
         "Slot 1  Tech \"Max Poe\" aged 30 Selected for EVA or Transfer, please press \"E\" to "
         "EVA",
         AfterKey::Nothing},
        {OAPI_KEY_2, true, false, 1,
         "Slot 0 Capt \"Ada Kerr\" aged 41 Selected for EVA or Transfer, please press \"E\" to EVA",
         AfterKey::Nothing},
        {OAPI_KEY_E, true, false, 1, "EVA OK - Ada Kerr left the ship", AfterKey::EvaDone},
        {OAPI_KEY_1, true, true, 0, "RCS changed to minimum level", AfterKey::RcsMinimum},
        {OAPI_KEY_S, true, false, 1, "1 souls aboard ship Pioneer, 49 seats available",
         AfterKey::Nothing},
        {OAPI_KEY_1, true, true, 0, "RCS changed to maximum level", AfterKey::RcsMaximum},
    };
    for (const KeyCase& c : cases) {
        char keyState[256] = {};
        if (c.control) keyState[OAPI_KEY_LCONTROL] = static_cast<char>(kKeyHeld);
        CHECK_EQ(by_slot::ConsumeBufferedKey(vessel, c.key, c.down, keyState), c.result);
        CHECK_EQ(HudText(ship).c_str(), c.hud);
        switch (c.after) {
            case AfterKey::Nothing:
                break;
            case AfterKey::AirlockOpen:
                if (CHECK_EQ(ship->AttachmentCount(false), 1)) {
                    CHECK_EQ(ship->attachments[0]->rot.x, static_cast<double>(quillmar::kDoorOpen));
                }
                break;
            case AfterKey::EvaDone:
                CheckEva(*ship);
                break;
            case AfterKey::RcsMinimum:
                CheckRcsLevel(*ship, quillmar::kRcsLevelMinimum);
                break;
            case AfterKey::RcsMaximum:
                CheckRcsLevel(*ship, quillmar::kRcsLevelMaximum);
                break;
        }
    }
    CheckLines(SaveLines(ship),
               {"STATUS Orbiting Earth", "XPDR 466", "UMMUCREW Tech-Max_Poe-30-70-80",
                "UMMUCREW Cook-Old_Age-141-70-80"},
               "crew after the EVA", __LINE__);
}

// ---- Frames ------------------------------------------------------------------------------------

void StepAll(double& simt, int frames) {
    const double step = World().simStep;
    for (int f = 0; f < frames; ++f) {
        for (Vessel* ship : loaded.ships) {
            if (ship != nullptr && ship->alive) {
                by_slot::PreStep(ship->vesselInterface, simt, step, 53850.5);
            }
        }
        simt += step;
        World().sysTime += step;
        for (Vessel* ship : loaded.ships) {
            if (ship != nullptr && ship->alive) {
                by_slot::PostStep(ship->vesselInterface, simt, step, 53850.5);
            }
        }
    }
}

struct RateCase {
    VECTOR3 angularVelocity;
    THGROUP_TYPE withdrawn;
};

constexpr THGROUP_TYPE kRotationGroups[] = {THGROUP_ATT_PITCHUP,  THGROUP_ATT_PITCHDOWN,
                                            THGROUP_ATT_YAWLEFT,  THGROUP_ATT_YAWRIGHT,
                                            THGROUP_ATT_BANKLEFT, THGROUP_ATT_BANKRIGHT};

const quillmar::AttitudeGroup& GroupRow(THGROUP_TYPE type) {
    for (const quillmar::AttitudeGroup& row : quillmar::kAttitudeGroups) {
        if (row.type == type) return row;
    }
    return quillmar::kAttitudeGroups[0];
}

// A rotation beyond a limit withdraws the one group that would speed it up (its level zeroed
// first); the others are rebuilt with their thrusters.
void CheckRotationLimits(double& simt) {
    Vessel* ship = loaded.ships[kMeridian];
    if (ship == nullptr) return;
    const RateCase cases[] = {
        {Vec(0.1, 0, 0), THGROUP_ATT_PITCHUP},   {Vec(-0.1, 0, 0), THGROUP_ATT_PITCHDOWN},
        {Vec(0, 0.1, 0), THGROUP_ATT_YAWLEFT},   {Vec(0, -0.1, 0), THGROUP_ATT_YAWRIGHT},
        {Vec(0, 0, 0.2), THGROUP_ATT_BANKRIGHT}, {Vec(0, 0, -0.2), THGROUP_ATT_BANKLEFT},
    };
    for (const RateCase& c : cases) {
        const int zeroedBefore = ship->groups[c.withdrawn].levelZeroedWhileExisting;
        ship->angularVelocity = c.angularVelocity;
        StepAll(simt, 1);
        CHECK(!ship->groups[c.withdrawn].exists);
        CHECK_EQ(ship->groups[c.withdrawn].levelZeroedWhileExisting, zeroedBefore + 1);
        for (THGROUP_TYPE type : kRotationGroups) {
            if (type != c.withdrawn) CheckAttitudeGroup(*ship, GroupRow(type));
        }
        ship->angularVelocity = Vec(0, 0, 0);
        StepAll(simt, 1);
        for (THGROUP_TYPE type : kRotationGroups) CheckAttitudeGroup(*ship, GroupRow(type));
        CHECK_EQ(CountGroups(*ship), 1 + quillmar::kAttitudeGroupCount);
    }
}

// A crew vessel that walks into the open airlock is taken aboard within a few scans: deleted,
// the member added, the focus back on the ship, the arrival announced.
void CheckArrival(double& simt) {
    Vessel* ship = loaded.ships[kPioneer];
    if (ship == nullptr) return;
    VESSELSTATUS status = ship->status;
    status.rpos = Sum(ship->status.rpos, quillmar::kDockingPorts[0].evaPosition);
    Vessel* walker = World().CreateVessel("UMmu_Tech-Zed_Ray", crew_addon::kCrewClassName, status);
    if (!CHECK(walker != nullptr)) return;
    // The member's data, after the add-on's own attachment, as the crew add-on sets it up.
    walker->vesselInterface->CreateAttachment(true, Vec(33, 70, 75), Vec(0, 0, 0), Vec(0, 0, 0),
                                              crew_addon::kMemberAttachmentId, false);
    StepAll(simt, 50);
    CHECK(World().FindByName("UMmu_Tech-Zed_Ray") == nullptr);
    CHECK(World().focus == ship);
    CHECK_EQ(HudText(ship).c_str(), "Tech \"Zed Ray\" aged 33 entered into our ship");
    CHECK_EQ(ship->emptyMass,
             quillmar::kEmptyMass - quillmar::kDefaultCrewMember.weight + 80.0 + 75.0);
    CheckLines(SaveLines(ship),
               {"STATUS Orbiting Earth", "XPDR 466", "UMMUCREW Tech-Max_Poe-30-70-80",
                "UMMUCREW Tech-Zed_Ray-33-70-75", "UMMUCREW Cook-Old_Age-141-70-80"},
               "crew after the arrival", __LINE__);
}

void CheckFrames() {
    double simt = 0.0;
    CheckRotationLimits(simt);
    CheckArrival(simt);
}

// ---- HUD drawing -------------------------------------------------------------------------------

struct HudCase {
    int height;
    int y;  // (height / 60) * 15
};

void CheckHud() {
    Vessel* ship = loaded.ships[kMeridian];
    if (ship == nullptr || !CHECK(loaded.hud->Ready())) return;
    HostWorld& world = World();
    const HudCase cases[] = {{600, 150}, {768, 180}, {59, 0}};
    for (const HudCase& c : cases) {
        const int baseCalls = world.baseHudDrawCalls;
        CHECK(DrawHud(ship, c.height));
        CHECK_EQ(world.baseHudDrawCalls, baseCalls + 1);
        const auto& texts = loaded.hud->Texts();
        if (!CHECK_EQ(texts.size(), 1)) continue;
        const DrawnText& drawn = texts[0];
        CHECK_EQ(drawn.text.c_str(), kWelcome);
        CHECK_EQ(drawn.x, 5);
        CHECK_EQ(drawn.y, c.y);
        CHECK_EQ(drawn.length, static_cast<int>(std::strlen(kWelcome)));
        // The default HUD comes first, the ship's line over it.
        CHECK(world.baseHudDrawEvent < drawn.event);
        CHECK(loaded.hud->LitPixels(c.y, c.y + kTextBand) > 0);
        if (c.y > 0) CHECK_EQ(loaded.hud->LitPixels(0, c.y), 0);
        CHECK_EQ(loaded.hud->LitPixels(c.y + kTextBand, kHudHeight), 0);
    }
    // A step longer than the time left still shows the text once, then nothing.
    const double step = world.simStep;
    world.simStep = 20.0;
    CHECK(DrawHud(ship, kHudHeight));
    CHECK_EQ(loaded.hud->Texts().size(), 1);
    CHECK(DrawHud(ship, kHudHeight));
    CHECK_EQ(loaded.hud->Texts().size(), 0);
    CHECK_EQ(loaded.hud->LitPixels(0, kHudHeight), 0);
    world.simStep = step;
    // A later message shows again for its own time.
    char keyState[256] = {};
    CHECK_EQ(by_slot::ConsumeBufferedKey(ship->vesselInterface, OAPI_KEY_S, true, keyState), 1);
    CHECK_EQ(HudText(ship).c_str(), "1 souls aboard ship Meridian, 49 seats available");
    CHECK(loaded.hud->LitPixels(150, 150 + kTextBand) > 0);
}

// ---- Crew transfer between docked ships --------------------------------------------------------

void Dock(Vessel* a, Vessel* b) {
    a->docks[0]->docked = b;
    b->docks[0]->docked = a;
}

// Docked at port 0, a member sent out of Pioneer goes to Meridian: a transfer vessel at the
// centre of Meridian's published airlock and a hand-over file, both taken up by Meridian's next
// arrival scan.
void CheckTransfer() {
    Vessel* from = loaded.ships[kPioneer];
    Vessel* to = loaded.ships[kMeridian];
    if (from == nullptr || to == nullptr || from->docks.empty() || to->docks.empty()) return;
    Dock(from, to);
    char keyState[256] = {};
    CHECK_EQ(by_slot::ConsumeBufferedKey(to->vesselInterface, OAPI_KEY_A, true, keyState), 1);
    CHECK_EQ(by_slot::ConsumeBufferedKey(from->vesselInterface, OAPI_KEY_E, true, keyState), 1);
    CHECK_EQ(HudText(from).c_str(), "Transfer to docked ship Ok - Max Poe transfered");

    const Vessel* transfer = World().FindByName("UMmuTMeridian");
    if (CHECK(transfer != nullptr)) {
        CHECK_EQ(transfer->className.c_str(), crew_addon::kCrewClassName);
        CHECK_EQ(transfer->status.rpos,
                 Sum(to->status.rpos, quillmar::kDockingPorts[0].evaPosition));
        const HostAttachment* member = transfer->attachments.back().get();
        CHECK_EQ(member->id.c_str(), crew_addon::kMemberAttachmentId);
        CHECK(member->toParent);
        CHECK_EQ(member->pos, Vec(30, 70, 80));
    }
    CheckHandOverFile(
        crew_addon::kTransferFile,
        {.vesselName = "UMmu_Tech-Max Poe", .age = 30, .pulse = 70, .evaValue = 100, .weight = 80});

    double simt = 100.0;
    StepAll(simt, 50);
    CHECK(World().FindByName("UMmuTMeridian") == nullptr);
    std::FILE* left = std::fopen("config\\UMmutmpT.cfg", "rb");
    CHECK(left == nullptr);
    if (left != nullptr) std::fclose(left);
    CHECK_EQ(HudText(to).c_str(), "Tech \"Max Poe\" aged 30 was transfered to our ship");
    CheckLines(SaveLines(to),
               {"STATUS Orbiting Earth", "XPDR 0", "UMMUCREW Pass-Corwin_Haddel-54-65-82",
                "UMMUCREW Tech-Max_Poe-30-70-80"},
               "receiver's crew after the transfer", __LINE__);
    CheckLines(SaveLines(from),
               {"STATUS Orbiting Earth", "XPDR 466", "UMMUCREW Tech-Zed_Ray-33-70-75",
                "UMMUCREW Cook-Old_Age-141-70-80"},
               "sender's crew after the transfer", __LINE__);
    CHECK_EQ(to->emptyMass, quillmar::kEmptyMass + 80.0);
    CHECK_EQ(from->emptyMass, quillmar::kEmptyMass - quillmar::kDefaultCrewMember.weight + 75.0);
}

// ---- A ship without the crew add-on -----------------------------------------------------------

// With the add-on's module file gone, a new ship's crew manager does not start: the ship is set up
// all the same, without crew, and says so on the simulator's debug line every step.
void CheckWithoutCrewAddon() {
    HostWorld& world = World();
    if (!CHECK(DeleteFileA("modules\\UMmu.dll") != FALSE)) return;
    Vessel* ship = world.CreateVessel("Drifter", world.module.className.c_str(), ShipStatus(3));
    if (!CHECK(ship != nullptr && ship->vesselInterface != nullptr)) return;
    VESSEL* vessel = ship->vesselInterface;
    int configMarker = 0;
    by_slot::SetClassCaps(vessel, &configMarker);
    CHECK_EQ(ship->thrusters.size(), quillmar::kMainEngineCount + quillmar::kAttitudeThrusterCount);
    CHECK_EQ(ship->docks.size(), quillmar::kDockCount);
    CHECK_EQ(ship->emptyMass, quillmar::kEmptyMass);
    CHECK_EQ(ship->AttachmentCount(false), 0);

    std::memset(world.debugString, 'x', sizeof world.debugString);
    by_slot::PreStep(vessel, 200.0, world.simStep, 53850.5);
    CHECK_EQ(world.debugString, "Quillmar ERROR UMMU 2.0 not properly initialised in your code.");
    bool guardKept = true;
    for (unsigned char byte : world.debugStringGuard) guardKept = guardKept && byte == 0xA5;
    CHECK(guardKept);

    char keyState[256] = {};
    CHECK_EQ(by_slot::ConsumeBufferedKey(vessel, OAPI_KEY_E, true, keyState), 1);
    CHECK_EQ(HudText(ship).c_str(), "Misc error with UMMU install it again");
    CheckLines(SaveLines(ship), {"STATUS Orbiting Earth", "XPDR 0"}, "ship without crew", __LINE__);

    // A ship loaded from a scenario keeps its crew lines as they were read, for the add-on to take
    // once it is installed again: the save writes them back, unchanged, after the host's lines.
    Vessel* crewed = world.CreateVessel("Keeper", world.module.className.c_str(), ShipStatus(4));
    if (!CHECK(crewed != nullptr && crewed->vesselInterface != nullptr)) return;
    VESSEL* keeper = crewed->vesselInterface;
    by_slot::SetClassCaps(keeper, &configMarker);
    ScenarioBlock block;
    block.lines = {"STATUS Orbiting Earth", "UMMUCREW Capt-Ada_Kerr-41-66-72", "XPDR 9",
                   "UMMUCREW -No_Code-30-70-80"};
    by_slot::LoadStateEx(keeper, &block, &loaded.statusMarker);
    CheckLines(SaveLines(crewed),
               {"STATUS Orbiting Earth", "XPDR 9", "UMMUCREW Capt-Ada_Kerr-41-66-72",
                "UMMUCREW -No_Code-30-70-80"},
               "crew lines kept without the add-on", __LINE__);
    CHECK_EQ(by_slot::ConsumeBufferedKey(keeper, OAPI_KEY_E, true, keyState), 1);
    CHECK_EQ(HudText(crewed).c_str(), "Misc error with UMMU install it again");
}

// ---- Exit and unloading ------------------------------------------------------------------------

void CheckExit() {
    HostWorld& world = World();
    std::vector<std::string> before[kShipCount];
    for (int i = 0; i < kShipCount; ++i) {
        if (loaded.ships[i] != nullptr) before[i] = SaveLines(loaded.ships[i]);
    }
    for (int i = 0; i < kShipCount; ++i) {
        Vessel* ship = loaded.ships[i];
        if (ship == nullptr) continue;
        world.DeleteVessel(ship);
        // The ships left keep their state when another one's object is released.
        for (int j = i + 1; j < kShipCount; ++j) {
            if (loaded.ships[j] == nullptr) continue;
            const std::vector<std::string> after = SaveLines(loaded.ships[j]);
            CHECK(after == before[j]);
        }
    }
    for (Vessel* other : world.LiveVessels()) world.DeleteVessel(other);
    world.module = ModuleEntryPoints{};
    CHECK(FreeLibrary(loaded.module) != FALSE);
    // The last reference is gone: the module is unloaded.
    CHECK(GetModuleHandleA(loaded.fileName.c_str()) == nullptr);
    loaded.module = nullptr;
}

}  // namespace

bool LoadModule(const char* path, const char* className) {
    HostWorld& world = World();
    const std::string fullPath = FullPath(path);
    loaded.module = fullPath.empty() ? nullptr : LoadLibraryA(fullPath.c_str());
    if (!check::Record(loaded.module != nullptr, "LoadLibrary of the module", __FILE__, __LINE__,
                       path)) {
        return false;
    }
    const std::size_t slash = fullPath.find_last_of("\\/");
    loaded.fileName = slash == std::string::npos ? fullPath : fullPath.substr(slash + 1);
    // The module's start-up hands the host its own handle, once.
    CHECK_EQ(world.initLibCalls, 1);
    CHECK(world.initLibModule == loaded.module);

    world.module.ovcInit = reinterpret_cast<VESSEL* (*)(OBJHANDLE, int)>(
        reinterpret_cast<void*>(GetProcAddress(loaded.module, "ovcInit")));
    world.module.ovcExit = reinterpret_cast<void (*)(VESSEL*)>(
        reinterpret_cast<void*>(GetProcAddress(loaded.module, "ovcExit")));
    world.module.getModuleVersion = reinterpret_cast<int (*)()>(
        reinterpret_cast<void*>(GetProcAddress(loaded.module, "GetModuleVersion")));
    world.module.className = className;
    const bool found = CHECK(world.module.ovcInit != nullptr) &&
                       CHECK(world.module.ovcExit != nullptr) &&
                       CHECK(world.module.getModuleVersion != nullptr);
    return found;
}

void RunModuleChecks() {
    HudSketchpad hud;
    loaded.hud = &hud;
    check::Group("module image (exports, imported libraries)", CheckModuleImage);
    check::Group("module version", CheckModuleVersion);
    check::Group("vessel creation (ovcInit)", CheckVesselCreation);
    check::Group("class set-up (clbkSetClassCaps)", CheckClassCaps);
    check::Group("scenario load and save (clbkLoadStateEx, clbkSaveState)", CheckScenario);
    check::Group("buffered keys (clbkConsumeBufferedKey)", CheckKeys);
    check::Group("frames (clbkPreStep, clbkPostStep)", CheckFrames);
    check::Group("HUD drawing (VESSEL3::clbkDrawHUD)", CheckHud);
    check::Group("crew transfer between docked ships", CheckTransfer);
    check::Group("ship without the crew add-on", CheckWithoutCrewAddon);
    check::Group("exit and unloading (ovcExit, FreeLibrary)", CheckExit);
    loaded.hud = nullptr;
}
