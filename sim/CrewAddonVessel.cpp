#include "sim/CrewAddonVessel.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "host/CrewAddon.h"
#include "sim/TextParsing.h"

namespace sim {
namespace {

// Scenario lines of a crew vessel: its member data, and whether it carries "U-Mm".
constexpr char kMemberKey[] = "MEMBER";
constexpr char kMemberAttachmentKey[] = "WALKED";
// A parent-side attachment that another vessel's module added: identifier and three vectors.
constexpr char kAddedAttachmentKey[] = "ADDED_ATTACHMENT";
constexpr std::size_t kAddedAttachmentWords = 11;
// The vessel's own attachment comes first; the ones after it were added.
constexpr DWORD kOwnAttachments = 1;

constexpr VECTOR3 kZero{0, 0, 0};

// The three vectors of an added attachment's line, from its third word on.
bool ReadVectors(const std::vector<std::string_view>& words, VECTOR3& pos, VECTOR3& dir,
                 VECTOR3& rot) {
    VECTOR3* vectors[] = {&pos, &dir, &rot};
    std::size_t word = 2;
    for (VECTOR3* vector : vectors) {
        for (double& value : vector->data) {
            const auto number = text::ParseDouble(words[word++]);
            if (!number) return false;
            value = *number;
        }
    }
    return true;
}

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
    walkedAttachment_ = CreateAttachment(true, data, kZero, kZero, crew_addon::kMemberAttachmentId);
    memberAttachment_ = walkedAttachment_ != nullptr;
}

void CrewAddonVessel::clbkSaveState(FILEHANDLE scn) {
    VESSEL2::clbkSaveState(scn);
    char member[64];
    std::snprintf(member, sizeof member, "%d %d %d", age_, pulse_, weight_);
    WriteLine(scn, kMemberKey, member);
    const DWORD parents = AttachmentCount(true);
    for (DWORD i = kOwnAttachments; i < parents; ++i) {
        const ATTACHMENTHANDLE attachment = GetAttachmentHandle(true, i);
        if (attachment == walkedAttachment_) {
            WriteLine(scn, kMemberAttachmentKey, "");
            continue;
        }
        const char* id = GetAttachmentId(attachment);
        const std::string_view word = id == nullptr ? std::string_view{} : std::string_view{id};
        // An identifier is written as one word.
        if (word.empty() || text::Split(word).size() != 1 || text::Split(word)[0] != word) continue;
        VECTOR3 pos{};
        VECTOR3 dir{};
        VECTOR3 rot{};
        GetAttachmentParams(attachment, pos, dir, rot);
        const std::string value =
            std::string(word) + " " + text::FormatVector(pos.x, pos.y, pos.z) + " " +
            text::FormatVector(dir.x, dir.y, dir.z) + " " + text::FormatVector(rot.x, rot.y, rot.z);
        WriteLine(scn, kAddedAttachmentKey, value.c_str());
    }
}

void CrewAddonVessel::RestoreAttachments() {
    for (const SavedAttachment& saved : savedAttachments_) {
        if (saved.walked) {
            GiveMemberAttachment();
        } else {
            CreateAttachment(true, saved.pos, saved.dir, saved.rot, saved.id.c_str());
        }
    }
    savedAttachments_.clear();
}

void CrewAddonVessel::clbkLoadStateEx(FILEHANDLE scn, void* status) {
    char* line = nullptr;
    savedAttachments_.clear();
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
            savedAttachments_.push_back({true, {}, kZero, kZero, kZero});
        } else if (words.size() == kAddedAttachmentWords &&
                   text::EqualsNoCase(words[0], kAddedAttachmentKey)) {
            SavedAttachment added{false, std::string(words[1]), kZero, kZero, kZero};
            if (ReadVectors(words, added.pos, added.dir, added.rot)) {
                savedAttachments_.push_back(added);
            } else {
                ParseScenarioLineEx(line, status);
            }
        } else {
            ParseScenarioLineEx(line, status);
        }
    }
    RestoreAttachments();
}

}  // namespace sim
