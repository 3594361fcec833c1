// Windows key messages to key codes: the codes an X server with the XFree86
// keyboard map gives the same keys, minus 8.
#pragma once

#include <cstdint>

#include "common/java_contract.h"
#include "win32_api.h"

// scan: the message's scan byte (or the right-Alt code where the keystroke
// filter substitutes it); vk: wParam; lParam: bit 24 is the extended flag.
KeyCode translateKeyCode(std::uint16_t scan, WPARAM vk, LPARAM lParam);

// True when the active keyboard layout is one of the French ones.
bool isFrenchLayout();
