// The ship's one HUD message line: a text shown for 15 seconds of simulation time, replaced by
// the next message.
#pragma once

#include <cstddef>
#include <cstdio>

namespace quillmar {

inline constexpr std::size_t kHudMessageSize = 256;  // terminator included
inline constexpr double kHudMessageSeconds = 15.0;
inline constexpr int kHudMessageX = 5;
// The line sits at (HUD height / 60) * 15 pixels from the top.
inline constexpr int kHudLineUnit = 60;
inline constexpr int kHudMessageRow = 15;

// Formats a message into `buffer` of `size` bytes. A text that does not fit is cut; the buffer is
// always terminated and never written past.
template <typename... Args>
void FormatHudMessage(char* buffer, std::size_t size, const char* format, Args... args) {
    if (std::snprintf(buffer, size, format, args...) < 0 && size > 0) buffer[0] = '\0';
}

// A text for a message's %s: null stands for the empty text.
inline const char* TextOrEmpty(const char* text) { return text != nullptr ? text : ""; }

}  // namespace quillmar
