// The parts of a key message's lParam the library reads.
#pragma once

#include <cstdint>

#include "win32_api.h"

inline std::uint16_t scanByteOf(LPARAM lParam) {
  return static_cast<std::uint16_t>((static_cast<std::uint32_t>(lParam) >> 16) & 0xFF);
}

inline bool isExtendedKey(LPARAM lParam) {
  return ((static_cast<std::uint32_t>(lParam) >> 24) & 1) != 0;
}
