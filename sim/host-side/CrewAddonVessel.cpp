#include "sim/host-side/CrewAddonVessel.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "host/CrewAddon.h"
#include "sim/text/TextParsing.h"

namespace sim {
namespace {

// Scenario lines of a crew vessel: its member data, and whether it carries "U-Mm".
constexpr char kMemberKey[] = "MEMBER";
constexpr char kMemberAttachmentKey[] = "WALKED";
// Earlier versions wrote every attachment another vessel's module had added on such a line.
constexpr char kAddedAttachmentKey[] = "ADDED_ATTACHMENT";

constexpr VECTOR3 kZero{0, 0, 0};

// Writes one scenario line through the host's function, which takes writable texts.
void WriteLine(FILEHANDLE scn, const char* item, const char* value) {
    std::string key = item;
    std::string text = value;
    oapiWriteScenario_string(scn, key.data(), text.data());
}

}  // namespace

void CrewAddonVessel::clbkSetClassCaps(FILEHANDLE) {
    SetSize(1.0);
    CreateAttachment(true, kZero, {0, 0, 1}, {0, 1, 0}, kCrewSuitAttachmentId);
    if (std::strncmp(GetName(), crew_addon::kCrewVesselPrefix, crew_addon::kVesselPrefixLength) ==
        0) {
        ReadHandOverRecord();
    }
}

void CrewAddonVessel::ReadHandOverRecord() {
    std::FILE* file = platform::OpenFile(crew_addon::kSpawnFile, "rb");
    if (file == nullptr) return;
    crew_addon::HandOverRecord record{};
    const bool whole = std::fread(&record, sizeof record, 1, file) == 1;
    std::fclose(file);
    if (!whole) return;
    age_ = record.age;
    pulse_ = record.pulse;
    weight_ = record.weight;
    const std::size_t meshLength = strnlen(record.meshName, sizeof record.meshName);
    if (meshLength > 0) AddMesh(std::string(record.meshName, meshLength).c_str());
}

void CrewAddonVessel::GiveMemberAttachment() {
    if (memberAttachment_) return;
    const VECTOR3 data{static_cast<double>(age_), static_cast<double>(pulse_),
                       static_cast<double>(weight_)};
    memberAttachment_ =
        CreateAttachment(true, data, kZero, kZero, crew_addon::kMemberAttachmentId) != nullptr;
}

void CrewAddonVessel::clbkSaveState(FILEHANDLE scn) {
    VESSEL2::clbkSaveState(scn);
    char member[64];
    std::snprintf(member, sizeof member, "%d %d %d", age_, pulse_, weight_);
    WriteLine(scn, kMemberKey, member);
    if (memberAttachment_) WriteLine(scn, kMemberAttachmentKey, "");
}

void CrewAddonVessel::clbkLoadStateEx(FILEHANDLE scn, void* status) {
    char* line = nullptr;
    bool walked = false;
    while (oapiReadScenario_nextline(scn, line)) {
        const auto words = text::Split(line);
        if (words.size() == 4 && text::EqualsNoCase(words[0], kMemberKey)) {
            const auto age = text::ParseInteger(words[1]);
            const auto pulse = text::ParseInteger(words[2]);
            const auto weight = text::ParseInteger(words[3]);
            if (age && pulse && weight) {
                age_ = static_cast<int>(*age);
                pulse_ = static_cast<int>(*pulse);
                weight_ = static_cast<int>(*weight);
            }
        } else if (words.size() == 1 && text::EqualsNoCase(words[0], kMemberAttachmentKey)) {
            walked = true;
        } else if (!words.empty() && text::EqualsNoCase(words[0], kAddedAttachmentKey)) {
            // Not the vessel's own: the module that added it decides what it needs after a load.
        } else {
            ParseScenarioLineEx(line, status);
        }
    }
    // Made once every line is read, so that it carries the member data wherever its line stood.
    if (walked) GiveMemberAttachment();
}

}  // namespace sim
