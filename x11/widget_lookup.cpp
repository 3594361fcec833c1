#include "widget_lookup.h"

#include <jawt_md.h>

#include "common/java_contract.h"
#include "xt_binding.h"

namespace {

// Xt is asked while the surface is locked: JAWT's Lock holds AWT's toolkit
// lock, so AWT cannot destroy or replace the window during the lookup.
Widget widgetOfLockedSurface(JAWT_DrawingSurface* surface) {
  JAWT_DrawingSurfaceInfo* info = surface->GetDrawingSurfaceInfo(surface);
  if (info == nullptr) return nullptr;
  const auto* x11 = static_cast<const JAWT_X11DrawingSurfaceInfo*>(info->platformInfo);
  Widget widget = nullptr;
  XtWindowToWidgetFunction windowToWidget = findXtWindowToWidget();
  if (x11 != nullptr && windowToWidget != nullptr) {
    widget = windowToWidget(x11->display, x11->drawable);
  }
  surface->FreeDrawingSurfaceInfo(info);
  return widget;
}

}  // namespace

Widget getWidgetId(JNIEnv* env, jobject component) {
  JAWT awt{};
  awt.version = kJawtVersion;
  if (JAWT_GetAWT(env, &awt) == JNI_FALSE) return nullptr;
  JAWT_DrawingSurface* surface = awt.GetDrawingSurface(env, component);
  if (surface == nullptr) return nullptr;
  Widget widget = nullptr;
  if ((surface->Lock(surface) & JAWT_LOCK_ERROR) == 0) {
    widget = widgetOfLockedSurface(surface);
    surface->Unlock(surface);
  }
  awt.FreeDrawingSurface(surface);
  return widget;
}
