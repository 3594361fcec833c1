// Key messages as Windows sends them to a window: the virtual key in
// wParam; repeat count, scan byte, extended flag and transition bits in
// lParam.
#pragma once

#include <windows.h>

struct KeyMessage {
  UINT message;
  WPARAM vk;
  unsigned scan;
  bool extended;
};

inline LPARAM keyLParam(const KeyMessage& key) {
  const bool up = key.message == WM_KEYUP || key.message == WM_SYSKEYUP;
  unsigned long bits = 1 | ((key.scan & 0xFFu) << 16) | (key.extended ? 1ul << 24 : 0);
  if (up) bits |= 3ul << 30;  // previous state down, transition up
  return static_cast<LPARAM>(bits);
}

inline LRESULT sendKey(HWND window, const KeyMessage& key) {
  return SendMessageW(window, key.message, key.vk, keyLParam(key));
}
