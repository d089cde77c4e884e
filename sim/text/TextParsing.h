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

// Whether the text holds a byte below 0x20 (NUL, line ends, tab, ...) or DEL.
bool HasControlCharacter(std::string_view text);

bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// The whole text as a finite number (a leading '+' allowed), or nothing.
std::optional<double> ParseDouble(std::string_view text);
// The whole text as a decimal integer, or nothing.
std::optional<long long> ParseInteger(std::string_view text);

// Numbers read from the front of a text as the host's sscanf("%lf %lf ...") reads them: blanks
// before each skipped, each the longest prefix that forms a number, a leading '+' allowed; reading
// stops at the first that is missing or not finite, or after `most`. `rest` gets the text after
// the last number read.
std::vector<double> ScanNumbers(std::string_view text, std::size_t most, std::string_view* rest);
// One decimal integer read the same way ("%d"), or nothing; `rest` as above.
std::optional<long long> ScanInteger(std::string_view text, std::string_view* rest);

// The shortest text that reads back as exactly the same double.
std::string FormatNumber(double value);
// Three numbers separated by blanks.
std::string FormatVector(double x, double y, double z);

}  // namespace sim::text
