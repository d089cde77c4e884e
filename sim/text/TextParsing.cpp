#include "sim/text/TextParsing.h"

#include <charconv>
#include <cmath>

namespace sim::text {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string_view WithoutPlus(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    return text;
}

}  // namespace

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view ScenarioLine(std::string_view raw) {
    const std::size_t comment = raw.find(';');
    if (comment != std::string_view::npos) raw = raw.substr(0, comment);
    return Trim(raw);
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string_view> Split(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i])) ++i;
        const std::size_t start = i;
        while (i < text.size() && !IsBlank(text[i])) ++i;
        if (i > start) words.push_back(text.substr(start, i - start));
    }
    return words;
}

bool HasControlCharacter(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7f') return true;
    }
    return false;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::optional<double> ParseDouble(std::string_view text) {
    text = WithoutPlus(text);
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || ptr != end || !std::isfinite(value)) return {};
    return value;
}

std::optional<long long> ParseInteger(std::string_view text) {
    text = WithoutPlus(text);
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || ptr != end) return {};
    return value;
}

std::vector<double> ScanNumbers(std::string_view text, std::size_t most, std::string_view* rest) {
    std::vector<double> numbers;
    while (numbers.size() < most) {
        const std::string_view number = WithoutPlus(Trim(text));
        double value = 0.0;
        const char* end = number.data() + number.size();
        const auto [ptr, error] = std::from_chars(number.data(), end, value);
        if (number.empty() || error != std::errc{} || !std::isfinite(value)) break;
        numbers.push_back(value);
        text = number.substr(static_cast<std::size_t>(ptr - number.data()));
    }
    *rest = text;
    return numbers;
}

std::optional<long long> ScanInteger(std::string_view text, std::string_view* rest) {
    *rest = text;
    const std::string_view number = WithoutPlus(Trim(text));
    long long value = 0;
    const char* end = number.data() + number.size();
    const auto [ptr, error] = std::from_chars(number.data(), end, value);
    if (number.empty() || error != std::errc{}) return {};
    *rest = number.substr(static_cast<std::size_t>(ptr - number.data()));
    return value;
}

std::string FormatNumber(double value) {
    if (value == 0.0) value = 0.0;  // no "-0"
    char buffer[32];
    const auto [ptr, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc{}) return "0";
    return std::string(buffer, ptr);
}

std::string FormatVector(double x, double y, double z) {
    return FormatNumber(x) + ' ' + FormatNumber(y) + ' ' + FormatNumber(z);
}

}  // namespace sim::text
