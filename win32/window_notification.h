// Reporting a key event to the handler registered for a window.
#pragma once

#include "common/java_contract.h"
#include "win32_api.h"

enum class KeyAction { kPress, kRelease };

// Calls the handler registered for the window, if any. The handler's global
// reference is pinned with a local reference while the table lock is held,
// so an unregistration on another thread cannot delete it under the call;
// the lock itself is not held while Java runs.
void notifyWindowHandler(HWND window, KeyCode code, KeyAction action);
