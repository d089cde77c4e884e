#include "sim/drawing/XmlText.h"

#include <cstdint>

namespace sim {
namespace {

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

constexpr std::uint32_t kReplacement = 0xFFFD;
constexpr std::uint32_t kControlPictures = 0x2400;  // U+2400 + c pictures control character c
constexpr std::uint32_t kDeletePicture = 0x2421;

// The code point of the well-formed sequence starting at `text[at]` and its length; length 0
// when the bytes there are not one (overlong forms, surrogates and values past U+10FFFF are
// not).
struct Decoded {
    std::uint32_t code;
    std::size_t length;
};

Decoded DecodeUtf8(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    std::uint32_t code = 0;
    std::uint32_t smallest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        smallest = 0x10000;
    } else {
        return {0, 0};
    }
    if (at + length > text.size()) return {0, 0};
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return {0, 0};
        code = (code << 6) | (byte(i) & 0x3F);
    }
    if (code < smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {0, 0};
    return {code, length};
}

}  // namespace

void AppendXmlText(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            const Decoded decoded = DecodeUtf8(text, i);
            if (decoded.length == 0) {
                AppendUtf8(out, kReplacement);
                ++i;
                continue;
            }
            // U+FFFE and U+FFFF are not XML characters either.
            const bool allowed = decoded.code != 0xFFFE && decoded.code != 0xFFFF;
            if (allowed) {
                out.append(text.substr(i, decoded.length));
            } else {
                AppendUtf8(out, kReplacement);
            }
            i += decoded.length;
            continue;
        }
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                if (c < 0x20) {
                    AppendUtf8(out, kControlPictures + c);
                } else if (c == 0x7F) {
                    AppendUtf8(out, kDeletePicture);
                } else {
                    out += static_cast<char>(c);
                }
                break;
        }
        ++i;
    }
}

std::string XmlText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendXmlText(out, text);
    return out;
}

}  // namespace sim
