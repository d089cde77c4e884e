#include "vessel/TransponderLine.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace quillmar::transponder_line {
namespace {

constexpr char kKeyword[] = "XPDR";
constexpr int kKeywordLength = 4;

constexpr char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool IsTransponderLine(const char* line) {
    for (int i = 0; i < kKeywordLength; ++i) {
        if (LowerAscii(line[i]) != LowerAscii(kKeyword[i])) return false;
    }
    return true;
}

bool ReadChannel(const char* line, int& channel) {
    const char* text = line + kKeywordLength;
    while (*text == ' ' || *text == '\t') ++text;
    if (*text < '0' || *text > '9') return false;
    errno = 0;
    const long value = std::strtol(text, nullptr, 10);
    if (errno == ERANGE || value > INT_MAX) return false;
    channel = static_cast<int>(value);
    return true;
}

}  // namespace quillmar::transponder_line
