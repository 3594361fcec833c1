// All mutable state of the Windows build: one block per process, zero at
// load, never freed.
#pragma once

#include <cstdint>

#include "common/java_contract.h"
#include "win32_api.h"

inline constexpr int kWindowTableSize = 100;

struct WindowEntry {
  HWND window;  // null marks a free entry
  WNDPROC previousProc;
  HandlerRef handler;
};

struct StateBlock {
  WindowEntry windowTable[kWindowTableSize];
  // Keystroke filter: a Ctrl press held back until the next key message
  // tells whether it was the first half of AltGr.
  std::int32_t pendingCtrl;
  std::int32_t altGrActive;
  KeyCode pendingCtrlCode;
  JavaVM* savedVm;  // set by every registration, used by delivery
  std::int32_t kanjiToggle;
};

extern StateBlock stateBlock;
