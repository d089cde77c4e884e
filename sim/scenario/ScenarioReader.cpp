#include "sim/scenario/ScenarioReader.h"

#include "sim/text/InputError.h"
#include "sim/text/TextFile.h"
#include "sim/text/TextParsing.h"
#include "sim/world/VesselName.h"

namespace sim {
namespace {

using Kind = ScenarioSection::Kind;

struct SectionName {
    std::string_view begin;
    std::string_view end;
    Kind kind;
};

constexpr SectionName kSections[] = {
    {"BEGIN_DESC", "END_DESC", Kind::Description},
    {"BEGIN_ENVIRONMENT", "END_ENVIRONMENT", Kind::Environment},
    {"BEGIN_FOCUS", "END_FOCUS", Kind::Focus},
    {"BEGIN_SHIPS", "END_SHIPS", Kind::Ships},
    {"BEGIN_HUD", "END_HUD", Kind::Hud},
};

// The HUD's modes, as TYPE names them.
constexpr std::string_view kHudModes[] = {"Orbit", "Surface", "Docking"};

class Parser {
  public:
    Parser(std::string_view text, const std::string& source) : source_(source) {
        document_.source = source;
        for (const std::string_view line : text::Lines(text)) lines_.emplace_back(line);
    }

    ScenarioDocument Parse() {
        while (next_ < lines_.size()) {
            const std::string_view word = text::ScenarioLine(lines_[next_]);
            const SectionName* section = nullptr;
            for (const auto& candidate : kSections) {
                if (text::EqualsNoCase(word, candidate.begin)) section = &candidate;
            }
            if (section == nullptr) {
                TextSection().lines.push_back(lines_[next_++]);
                continue;
            }
            for (const auto& seen : document_.sections) {
                if (seen.kind == section->kind)
                    Fail(next_ + 1, std::string(section->begin) + " appears twice");
            }
            ReadSection(*section);
        }
        return std::move(document_);
    }

  private:
    [[noreturn]] void Fail(std::size_t lineNumber, const std::string& message) const {
        throw InputError(source_ + ":" + std::to_string(lineNumber) + ": " + message);
    }

    ScenarioSection& TextSection() {
        if (document_.sections.empty() || document_.sections.back().kind != Kind::Text) {
            document_.sections.push_back({});
        }
        return document_.sections.back();
    }

    void ReadSection(const SectionName& name) {
        const std::size_t beginIndex = next_;
        ScenarioSection section;
        section.kind = name.kind;
        section.beginLine = lines_[next_++];
        // The section alone turns the HUD on, in its first mode.
        if (name.kind == Kind::Hud) document_.hudMode = std::string(kHudModes[0]);
        while (true) {
            if (next_ >= lines_.size()) {
                Fail(beginIndex + 1, std::string(name.begin) + " has no " + std::string(name.end));
            }
            const std::string& raw = lines_[next_];
            const std::string_view line = text::ScenarioLine(raw);
            if (text::EqualsNoCase(line, name.end)) {
                section.endLine = raw;
                ++next_;
                break;
            }
            if (name.kind == Kind::Ships && !line.empty()) {
                ReadVesselBlock(section);
                continue;
            }
            if (name.kind == Kind::Environment) ReadEnvironmentLine(line);
            if (name.kind == Kind::Focus) ReadFocusLine(line);
            if (name.kind == Kind::Hud) ReadHudLine(line);
            section.lines.push_back(raw);
            ++next_;
        }
        document_.sections.push_back(std::move(section));
    }

    void Warn(const std::string& message) {
        document_.warnings.push_back(source_ + ":" + std::to_string(next_ + 1) + ": " + message);
    }

    void ReadEnvironmentLine(std::string_view line) {
        const auto words = text::Split(line);
        if (words.empty()) return;
        if (text::EqualsNoCase(words[0], "System")) {
            if (words.size() != 2) Fail(next_ + 1, "System needs one name");
            document_.system = std::string(words[1]);
        } else if (text::EqualsNoCase(words[0], "Date")) {
            ReadDate(text::Trim(line.substr(words[0].size())));
        }
    }

    // "Date MJD|JD|JE NUMBER". The host takes what it can read and leaves the date as it is
    // otherwise, so a date left out or unreadable keeps the one in force.
    void ReadDate(std::string_view value) {
        struct Form {
            std::string_view name;
            double (*toMjd)(double);
        };
        static constexpr Form kForms[] = {
            {"MJD", [](double mjd) { return mjd; }},
            {"JD", [](double jd) { return jd - 2400000.5; }},
            // Julian epoch: years of 365.25 days from J2000.0, which is MJD 51544.5.
            {"JE", [](double je) { return 51544.5 + 365.25 * (je - 2000.0); }},
        };
        const auto words = text::Split(value);
        const Form* form = nullptr;
        for (const auto& candidate : kForms) {
            if (!words.empty() && text::EqualsNoCase(words[0], candidate.name)) form = &candidate;
        }
        std::string_view rest;
        const auto number = form ? text::ScanNumbers(value.substr(words[0].size()), 1, &rest)
                                 : std::vector<double>{};
        if (number.empty()) {
            Warn("Date '" + std::string(value) +
                 "' gives no date as MJD, JD or JE NUMBER: the date in force stays");
            return;
        }
        document_.mjd = form->toMjd(number[0]);
        if (!text::Trim(rest).empty()) {
            Warn("Date '" + std::string(value) + "': the text after the number is ignored");
        }
    }

    // "TYPE MODE" opens the HUD in that mode.
    void ReadHudLine(std::string_view line) {
        const auto words = text::Split(line);
        if (words.empty() || !text::EqualsNoCase(words[0], "TYPE")) return;
        for (const std::string_view mode : kHudModes) {
            if (words.size() == 2 && text::EqualsNoCase(words[1], mode)) {
                document_.hudMode = std::string(mode);
                return;
            }
        }
        Warn("TYPE '" + std::string(text::Trim(line.substr(words[0].size()))) +
             "' is not Orbit, Surface or Docking: the HUD opens in " + *document_.hudMode +
             " mode");
    }

    void ReadFocusLine(std::string_view line) {
        const auto words = text::Split(line);
        if (words.empty() || !text::EqualsNoCase(words[0], "Ship")) return;
        if (words.size() < 2) {
            Warn("Ship names no vessel: the first vessel takes the focus");
            return;
        }
        if (words.size() > 2) {
            Warn("Ship '" + std::string(text::Trim(line.substr(words[0].size()))) +
                 "' takes one name: uses " + std::string(words[1]));
        }
        document_.focus = std::string(words[1]);
        document_.focusLineNumber = static_cast<int>(next_ + 1);
    }

    // A header "NAME:CLASS" (split at the first colon), its lines and END. Blank and comment
    // lines before the header, kept in the section's pending lines, belong to the block.
    void ReadVesselBlock(ScenarioSection& ships) {
        ScenarioVesselBlock block;
        block.leadingLines = std::move(ships.lines);
        ships.lines.clear();
        block.headerLine = lines_[next_];
        block.headerLineNumber = static_cast<int>(next_ + 1);
        const std::string_view header = text::ScenarioLine(block.headerLine);
        const std::size_t colon = header.find(':');
        const std::string_view name = text::Trim(header.substr(0, colon));
        // A header without a class names a vessel whose class is its name.
        const std::string_view className =
            colon == std::string_view::npos ? name : text::Trim(header.substr(colon + 1));
        if (name.empty())
            Fail(next_ + 1, "vessel header '" + std::string(header) + "' has no name");
        if (const auto fault = VesselNameFault(name)) Fail(next_ + 1, *fault);
        if (className.empty()) Fail(next_ + 1, "vessel " + std::string(name) + " has no class");
        for (const auto& other : document_.vessels) {
            if (other.name == name)
                Fail(next_ + 1, "vessel " + std::string(name) + " appears twice");
        }
        block.name = std::string(name);
        block.className = std::string(className);
        ++next_;
        while (true) {
            if (next_ >= lines_.size()) {
                Fail(static_cast<std::size_t>(block.headerLineNumber),
                     "vessel " + block.name + " has no END");
            }
            const std::string& raw = lines_[next_];
            const std::string_view line = text::ScenarioLine(raw);
            if (text::EqualsNoCase(line, "END")) {
                block.endLine = raw;
                ++next_;
                break;
            }
            if (text::EqualsNoCase(line, "END_SHIPS")) {
                Fail(static_cast<std::size_t>(block.headerLineNumber),
                     "vessel " + block.name + " has no END");
            }
            block.lines.push_back(raw);
            block.lineNumbers.push_back(static_cast<int>(next_ + 1));
            ++next_;
        }
        document_.vessels.push_back(std::move(block));
    }

    std::string source_;
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    ScenarioDocument document_;
};

}  // namespace

ScenarioDocument ParseScenarioText(std::string_view text, const std::string& source) {
    return Parser(text, source).Parse();
}

ScenarioDocument ReadScenarioFile(const std::filesystem::path& file) {
    return ParseScenarioText(ReadTextFile(file, "scenario"), file.string());
}

}  // namespace sim
