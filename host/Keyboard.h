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
