// The host's keyboard: key codes (the keyboard's scan codes) and the tests of the key-state array
// the host hands to a key callback, whether a key or a modifier is held.
//
// Built against the simulator's development kit (QM_ORBITER_SDK) these are the kit's own.
// Otherwise this header declares the ones the project uses as the kit declares them (macros of
// the same names and values), so that code using them compiles unchanged either way.
#pragma once

#include "host/HostTypes.h"

#if !defined(QM_ORBITER_SDK)

#define OAPI_KEY_1 0x02         // '1' key on main keyboard
#define OAPI_KEY_2 0x03         // '2' key on main keyboard
#define OAPI_KEY_E 0x12         // 'E' key
#define OAPI_KEY_LCONTROL 0x1D  // Left 'Ctrl' key
#define OAPI_KEY_A 0x1E         // 'A' key
#define OAPI_KEY_S 0x1F         // 'S' key
#define OAPI_KEY_LSHIFT 0x2A    // Left 'Shift' key
#define OAPI_KEY_C 0x2E         // 'C' key
#define OAPI_KEY_RSHIFT 0x36    // Right 'Shift' key
#define OAPI_KEY_SUBTRACT 0x4A  // '-' key on numeric keypad
#define OAPI_KEY_ADD 0x4E       // '+' key on numeric keypad
#define OAPI_KEY_RCONTROL 0x9D  // right Control key

// Whether `key` is held in the key-state array `buf`: the high bit of its byte.
#define KEYDOWN(buf, key) (buf[key] & 0x80)
#define KEYMOD_LSHIFT(buf) (KEYDOWN(buf, OAPI_KEY_LSHIFT))
#define KEYMOD_RSHIFT(buf) (KEYDOWN(buf, OAPI_KEY_RSHIFT))
#define KEYMOD_SHIFT(buf) (KEYMOD_LSHIFT(buf) || KEYMOD_RSHIFT(buf))
#define KEYMOD_LCONTROL(buf) (KEYDOWN(buf, OAPI_KEY_LCONTROL))
#define KEYMOD_RCONTROL(buf) (KEYDOWN(buf, OAPI_KEY_RCONTROL))
#define KEYMOD_CONTROL(buf) (KEYMOD_LCONTROL(buf) || KEYMOD_RCONTROL(buf))

#endif
