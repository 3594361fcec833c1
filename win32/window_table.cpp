#include "window_table.h"

namespace {

// Statically initialised: the library runs no code of its own at load.
SRWLOCK tableLock = SRWLOCK_INIT;

WindowEntry* findEntry(HWND window) {
  if (window == nullptr) return nullptr;
  for (WindowEntry& entry : stateBlock.windowTable) {
    if (entry.window == window) return &entry;
  }
  return nullptr;
}

WindowEntry* findFreeEntry() {
  for (WindowEntry& entry : stateBlock.windowTable) {
    if (entry.window == nullptr) return &entry;
  }
  return nullptr;
}

}  // namespace

WindowTableLock::WindowTableLock() { AcquireSRWLockExclusive(&tableLock); }
WindowTableLock::~WindowTableLock() { ReleaseSRWLockExclusive(&tableLock); }

bool addWindowEntry(HWND window, HandlerRef handler, WNDPROC previousProc) {
  WindowEntry* entry = findFreeEntry();
  if (entry == nullptr) return false;
  entry->window = window;
  entry->previousProc = previousProc;
  entry->handler = handler;
  return true;
}

void removeWindowEntry(HWND window) {
  // Only the window is cleared: lookups match on it alone.
  if (WindowEntry* entry = findEntry(window)) entry->window = nullptr;
}

HandlerRef getHandlerForWindow(HWND window) {
  const WindowEntry* entry = findEntry(window);
  return entry != nullptr ? entry->handler : nullptr;
}

WNDPROC getPreviousProcForWindow(HWND window) {
  const WindowEntry* entry = findEntry(window);
  return entry != nullptr ? entry->previousProc : nullptr;
}

bool hasFreeWindowEntry() { return findFreeEntry() != nullptr; }
