// Text helpers shared by the scenario and script readers: trimming, splitting, strict numbers.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim::text {

// Without leading and trailing blanks and tabs.
std::string_view Trim(std::string_view text);

// A scenario line as the host hands it on: everything from ';' on cut, then trimmed.
std::string_view ScenarioLine(std::string_view raw);

// The lines of a text, without their line ends (LF or CR LF); no empty line after a final LF.
std::vector<std::string_view> Lines(std::string_view text);

// Words separated by blanks and tabs.
std::vector<std::string_view> Split(std::string_view text);

bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// The whole text as a finite number (a leading '+' allowed), or nothing.
std::optional<double> ParseDouble(std::string_view text);
// The whole text as a decimal integer, or nothing.
std::optional<long long> ParseInteger(std::string_view text);

// The shortest text that reads back as exactly the same double.
std::string FormatNumber(double value);
// Three numbers separated by blanks.
std::string FormatVector(double x, double y, double z);

}  // namespace sim::text
