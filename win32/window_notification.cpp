#include "window_notification.h"

#include "common/handler_notification.h"
#include "window_table.h"

namespace {

bool hasHandler(HWND window) {
  WindowTableLock lock;
  return getHandlerForWindow(window) != nullptr;
}

jobject pinHandler(JNIEnv* env, HWND window) {
  WindowTableLock lock;
  HandlerRef handler = getHandlerForWindow(window);
  return handler != nullptr ? env->NewLocalRef(handler) : nullptr;
}

}  // namespace

void notifyWindowHandler(HWND window, KeyCode code, KeyAction action) {
  // A window without a handler (or registered with a null one) touches no VM.
  if (!hasHandler(window)) return;
  JNIEnv* env = attachToSavedVm();
  if (env == nullptr) return;
  jobject handler = pinHandler(env, window);
  if (handler == nullptr) return;
  callHandlerMethod(
      env, handler,
      action == KeyAction::kPress ? kNotifyKeyPressedMethod : kNotifyKeyReleasedMethod, code);
  env->DeleteLocalRef(handler);
}
