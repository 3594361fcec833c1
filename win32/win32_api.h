// The Win32 surface the Windows build uses. On Windows it is <windows.h>;
// host builds get a small stand-in so the same sources run in tests.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include "host/win32_host.h"
#endif
