// The native window behind an AWT component, found through the AWT Native
// Interface. Windows build: the component's drawing surface stays locked
// while the caller works with the window, so AWT cannot destroy or replace
// the window in the meantime.
#pragma once

#ifdef _WIN32

#include <jawt_md.h>

#include "java_contract.h"

// An open lookup. Closing it (the destructor) frees the info record, unlocks
// the surface and frees the surface, in that order. A failed lookup holds
// nothing and yields no window.
class NativeWindowScope {
 public:
  NativeWindowScope() = default;
  NativeWindowScope(void(JNICALL* freeDrawingSurface)(JAWT_DrawingSurface*),
                    JAWT_DrawingSurface* surface, JAWT_DrawingSurfaceInfo* info, HWND window);
  ~NativeWindowScope();
  NativeWindowScope(const NativeWindowScope&) = delete;
  NativeWindowScope& operator=(const NativeWindowScope&) = delete;

  // The component's window; null when the lookup failed.
  HWND window() const { return window_; }
  explicit operator bool() const { return window_ != nullptr; }

 private:
  void(JNICALL* freeDrawingSurface_)(JAWT_DrawingSurface*) = nullptr;
  JAWT_DrawingSurface* surface_ = nullptr;
  JAWT_DrawingSurfaceInfo* info_ = nullptr;
  HWND window_ = nullptr;
};

// Opens the lookup for the component: JAWT, its drawing surface, the lock
// and the surface info. When a step fails, whatever the earlier steps
// acquired is released before this returns.
NativeWindowScope lookupNativeWindow(JNIEnv* env, jobject component);

#endif
