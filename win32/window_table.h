// The registered component windows: for each, the window procedure it had
// before registration and the handler to notify. Fixed table, linear search
// from index 0, first match wins.
#pragma once

#include "state_block.h"

// Entry points run on a Java thread while the window thread reads the table:
// every use of the table (and of a handler reference found in it) happens
// while this lock is held. Never call into Java while holding it.
class WindowTableLock {
 public:
  WindowTableLock();
  ~WindowTableLock();
  WindowTableLock(const WindowTableLock&) = delete;
  WindowTableLock& operator=(const WindowTableLock&) = delete;
};

// Stores the three in the first free entry; returns false (storing nothing)
// when all entries are in use.
bool addWindowEntry(HWND window, HandlerRef handler, WNDPROC previousProc);
// Frees the first entry for the window; nothing if there is none.
void removeWindowEntry(HWND window);
// The handler / previous procedure of the first entry for the window, or null.
HandlerRef getHandlerForWindow(HWND window);
WNDPROC getPreviousProcForWindow(HWND window);
// True when an entry could be added now.
bool hasFreeWindowEntry();
