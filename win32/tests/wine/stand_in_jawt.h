// A jawt.dll of the tests' own, standing in for the Java runtime's AWT
// Native Interface. It resolves a TestComponent to its window, logs every
// JAWT call in order, counts what is held, and can be told to fail at any
// step of opening a drawing surface.
#pragma once

#include <jawt_md.h>

#ifdef STAND_IN_JAWT_BUILD
#define STAND_IN_JAWT_API extern "C" __declspec(dllexport)
#else
#define STAND_IN_JAWT_API extern "C" __declspec(dllimport)
#endif

// What the tests pass as the AWT component: the stand-in's drawing surface
// reports this window.
struct TestComponent {
  HWND window;
};

enum class JawtCall : int {
  kGetAwt,
  kGetDrawingSurface,
  kLock,
  kGetDrawingSurfaceInfo,
  kFreeDrawingSurfaceInfo,
  kUnlock,
  kFreeDrawingSurface,
};

enum class JawtFailure : int {
  kNone,
  kGetAwt,                 // JAWT_GetAWT returns false
  kGetDrawingSurface,      // no drawing surface for the component
  kLock,                   // Lock reports JAWT_LOCK_ERROR
  kGetDrawingSurfaceInfo,  // no info record
  kNoWindow,               // an info record whose Win32 record holds no window
};

inline constexpr int kJawtLogCapacity = 64;

struct JawtLog {
  int count;  // calls made since the last clear; only the first entries are kept
  JawtCall calls[kJawtLogCapacity];
  jint lastRequestedVersion;
};

STAND_IN_JAWT_API void standInJawtFailAt(JawtFailure failure);
STAND_IN_JAWT_API void standInJawtClearLog();
STAND_IN_JAWT_API JawtLog standInJawtLog();
// Surfaces handed out and not yet freed, and the same for locks and info
// records, over all threads.
STAND_IN_JAWT_API int standInJawtSurfacesHeld();
STAND_IN_JAWT_API int standInJawtLocksHeld();
STAND_IN_JAWT_API int standInJawtInfosHeld();
// Drawing-surface locks held by the calling thread.
STAND_IN_JAWT_API int standInJawtLocksHeldByThisThread();
