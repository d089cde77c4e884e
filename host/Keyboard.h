// The host's keyboard: the codes of the keys the project uses and the tests of the key-state array
// the host hands to a key callback. A key's code is its keyboard scan code and its index in that
// array; the simulator's names and values for them are kept, so that code written for the
// simulator reads the same here.
#pragma once

#include "host/HostTypes.h"

#define OAPI_KEY_1 0x02
#define OAPI_KEY_2 0x03
#define OAPI_KEY_Q 0x10
#define OAPI_KEY_E 0x12
#define OAPI_KEY_LCONTROL 0x1D
#define OAPI_KEY_A 0x1E
#define OAPI_KEY_S 0x1F
#define OAPI_KEY_LSHIFT 0x2A
#define OAPI_KEY_C 0x2E
#define OAPI_KEY_RSHIFT 0x36
#define OAPI_KEY_SUBTRACT 0x4A  // on the numeric keypad
#define OAPI_KEY_ADD 0x4E       // on the numeric keypad
#define OAPI_KEY_RCONTROL 0x9D

// The keyboard's keys by scan code: every key the ship binds or a script can press, with the name
// a script gives it and the name on the key that a player reads. The stand-in's scripts and the
// player's page both read this one table.
struct KeyName {
    DWORD code;
    const char* scriptName;
    const char* playerName;
};
inline constexpr KeyName kKeyNames[] = {
    {OAPI_KEY_1, "1", "1"},
    {OAPI_KEY_2, "2", "2"},
    {0x04, "3", "3"},
    {0x05, "4", "4"},
    {0x06, "5", "5"},
    {0x07, "6", "6"},
    {0x08, "7", "7"},
    {0x09, "8", "8"},
    {0x0A, "9", "9"},
    {0x0B, "0", "0"},
    {OAPI_KEY_Q, "Q", "Q"},
    {0x11, "W", "W"},
    {OAPI_KEY_E, "E", "E"},
    {0x13, "R", "R"},
    {0x14, "T", "T"},
    {0x15, "Y", "Y"},
    {0x16, "U", "U"},
    {0x17, "I", "I"},
    {0x18, "O", "O"},
    {0x19, "P", "P"},
    {OAPI_KEY_A, "A", "A"},
    {OAPI_KEY_S, "S", "S"},
    {0x20, "D", "D"},
    {0x21, "F", "F"},
    {0x22, "G", "G"},
    {0x23, "H", "H"},
    {0x24, "J", "J"},
    {0x25, "K", "K"},
    {0x26, "L", "L"},
    {0x2C, "Z", "Z"},
    {0x2D, "X", "X"},
    {OAPI_KEY_C, "C", "C"},
    {0x2F, "V", "V"},
    {0x30, "B", "B"},
    {0x31, "N", "N"},
    {0x32, "M", "M"},
    {OAPI_KEY_SUBTRACT, "KP-", "Numpad -"},
    {OAPI_KEY_ADD, "KP+", "Numpad +"},
};

// The table's entry for the key code; null for a key without one.
constexpr const KeyName* FindKeyName(DWORD code) {
    for (const KeyName& key : kKeyNames) {
        if (key.code == code) return &key;
    }
    return nullptr;
}

// A key counts as held when the top bit of its byte in the key-state array is set.
constexpr bool KEYDOWN(const char* keyState, int key) {
    return (static_cast<unsigned char>(keyState[key]) & 0x80u) != 0;
}

// Either shift key held; either control key held.
constexpr bool KEYMOD_SHIFT(const char* keyState) {
    return KEYDOWN(keyState, OAPI_KEY_LSHIFT) || KEYDOWN(keyState, OAPI_KEY_RSHIFT);
}
constexpr bool KEYMOD_CONTROL(const char* keyState) {
    return KEYDOWN(keyState, OAPI_KEY_LCONTROL) || KEYDOWN(keyState, OAPI_KEY_RCONTROL);
}
