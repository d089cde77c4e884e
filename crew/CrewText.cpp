#include "crew/CrewText.h"

#include <cstring>
#include <initializer_list>

#include "crew/MemberLimits.h"

namespace crew {

namespace {

bool IsNameCharacter(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

void SanitizeName(char* name) {
    if (name == nullptr) return;
    for (; *name != '\0'; ++name) {
        if (!IsNameCharacter(*name)) *name = ' ';
    }
}

void SanitizeCode(char* code) {
    if (code == nullptr) return;
    for (; *code != '\0'; ++code) {
        const auto c = static_cast<unsigned char>(*code);
        if (c <= ' ' || c == 0x7F || c == '-' || c == ';') *code = '_';
    }
}

bool EqualsIgnoringCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        if (LowerAscii(*a) != LowerAscii(*b)) return false;
        if (*a == '\0') return true;
    }
}

void CopyText(char* destination, std::size_t size, const char* source, std::size_t maxChars) {
    if (size == 0) return;
    std::size_t length = 0;
    if (source != nullptr) {
        const std::size_t limit = maxChars < size - 1 ? maxChars : size - 1;
        length = BoundedLength(source, limit);
        std::memcpy(destination, source, length);
    }
    std::memset(destination + length, 0, size - length);
}

void JoinText(char* destination, std::size_t size, const char* first, const char* second) {
    if (size == 0) return;
    std::size_t length = 0;
    for (const char* part : {first, second}) {
        if (part == nullptr) continue;
        const std::size_t chars = BoundedLength(part, size - 1 - length);
        std::memcpy(destination + length, part, chars);
        length += chars;
    }
    destination[length] = '\0';
}

void ReplaceChar(char* text, char from, char to) {
    for (; *text != '\0'; ++text) {
        if (*text == from) *text = to;
    }
}

std::size_t BoundedLength(const char* text, std::size_t limit) {
    std::size_t length = 0;
    while (length < limit && text[length] != '\0') ++length;
    return length;
}

bool TooLongToLookUp(const char* name) {
    return name != nullptr && BoundedLength(name, kLookupNameChars + 1) > kLookupNameChars;
}

}  // namespace crew
