// Bounded text handling for the crew manager: crew names, case-insensitive comparison, and
// copies into fixed-size buffers that never run past either end.
#pragma once

#include <cstddef>

namespace crew {

// Replaces every character that is not an ASCII letter or digit by a space; the length stays.
// A null text is left alone.
void SanitizeName(char* name);

// Replaces every character that a crew line cannot carry in a function code by an underscore:
// blanks, tabs, line ends and other control characters, which end the line's value or the line,
// the hyphen, which ends the code, and the semicolon, which begins a comment in a scenario file.
// The length stays. A null text is left alone.
void SanitizeCode(char* code);

// True when the texts are equal, ignoring the case of ASCII letters and nothing else.
bool EqualsIgnoringCase(const char* a, const char* b);

// Copies at most `maxChars` characters of `source` (fewer at its terminator) into `destination`
// of `size` bytes, keeping room for the terminator, and fills the rest of `destination` with
// zeros. The source need not be terminated within `maxChars`. A null source copies nothing.
void CopyText(char* destination, std::size_t size, const char* source, std::size_t maxChars);

// Writes `first` followed by `second` into `destination` of `size` bytes, cut to fit and always
// terminated; the bytes behind the terminator are left as they were.
void JoinText(char* destination, std::size_t size, const char* first, const char* second);

// Replaces every `from` in the zero-terminated text by `to`.
void ReplaceChar(char* text, char from, char to);

// Whether the zero-terminated text begins with the first `length` characters of `prefix`, case
// sensitive. Reads no further than the text's terminator; inline, as the arrival scan asks this
// of every vessel it sees.
constexpr bool StartsWith(const char* text, const char* prefix, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] != prefix[i]) return false;  // also at the text's terminator
    }
    return true;
}

// Whether the zero-terminated text equals the literal, case sensitive.
template <std::size_t N>
constexpr bool EqualsLiteral(const char* text, const char (&literal)[N]) {
    return StartsWith(text, literal, N);  // the literal's terminator included
}

// Length of the text, counting at most `limit` characters.
std::size_t BoundedLength(const char* text, std::size_t limit);

// Whether a crew name is longer than any name a roster is searched for (kLookupNameChars). A
// null name is not.
bool TooLongToLookUp(const char* name);

// A blank or a tab: what separates the words of a scenario line.
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace crew
