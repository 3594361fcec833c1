// Windows half of the component window lookup: the window is the hwnd of
// the surface's Win32 info record.
#include "window_lookup.h"

NativeWindowScope::NativeWindowScope(void(JNICALL* freeDrawingSurface)(JAWT_DrawingSurface*),
                                     JAWT_DrawingSurface* surface, JAWT_DrawingSurfaceInfo* info,
                                     HWND window)
    : freeDrawingSurface_(freeDrawingSurface), surface_(surface), info_(info), window_(window) {}

NativeWindowScope::~NativeWindowScope() {
  if (surface_ == nullptr) {
    return;
  }
  surface_->FreeDrawingSurfaceInfo(info_);
  surface_->Unlock(surface_);
  freeDrawingSurface_(surface_);
}

NativeWindowScope lookupNativeWindow(JNIEnv* env, jobject component) {
  JAWT awt{};
  awt.version = kJawtVersion;
  if (JAWT_GetAWT(env, &awt) == JNI_FALSE) {
    return NativeWindowScope();
  }
  JAWT_DrawingSurface* surface = awt.GetDrawingSurface(env, component);
  if (surface == nullptr) {
    return NativeWindowScope();
  }
  if ((surface->Lock(surface) & JAWT_LOCK_ERROR) != 0) {
    awt.FreeDrawingSurface(surface);
    return NativeWindowScope();
  }
  JAWT_DrawingSurfaceInfo* info = surface->GetDrawingSurfaceInfo(surface);
  if (info == nullptr) {
    surface->Unlock(surface);
    awt.FreeDrawingSurface(surface);
    return NativeWindowScope();
  }
  // A surface without a Win32 record (or with no window in it) is held
  // until the scope closes like any other, but yields no window.
  const auto* win32Info = static_cast<const JAWT_Win32DrawingSurfaceInfo*>(info->platformInfo);
  HWND window = win32Info != nullptr ? win32Info->hwnd : nullptr;
  return NativeWindowScope(awt.FreeDrawingSurface, surface, info, window);
}
