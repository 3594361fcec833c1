// Key codes with a meaning of their own in the library; every other code is
// a scan code or an X keycode minus 8 passed through unchanged.
#pragma once

#include "java_contract.h"

inline constexpr KeyCode kLeftCtrlCode = 29;
inline constexpr KeyCode kLeftAltCode = 56;
inline constexpr KeyCode kRightCtrlCode = 101;
inline constexpr KeyCode kRightAltCode = 105;
inline constexpr KeyCode kPauseCode = 102;
// Scan code 0x2B when it is not the US backslash key (usually the ISO key
// beside Enter). The X11 build reports that key as 43.
inline constexpr KeyCode kIsoKeyCode = 240;
// X keycodes of an XFree86-map server are the key codes plus this offset.
inline constexpr int kXKeycodeOffset = 8;
