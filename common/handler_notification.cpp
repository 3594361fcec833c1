#include "handler_notification.h"

void callHandlerMethod(JNIEnv* env, HandlerRef handler, const char* method, KeyCode code) {
  if (env == nullptr || handler == nullptr) return;
  jclass handlerClass = env->GetObjectClass(handler);
  if (handlerClass == nullptr) return;
  jmethodID notify = env->GetMethodID(handlerClass, method, kNotifyMethodSignature);
  if (notify != nullptr) env->CallVoidMethod(handler, notify, code);
  // A failed lookup leaves NoSuchMethodError pending, and the handler may
  // throw; with either pending, the next event's JNI calls would be illegal.
  if (env->ExceptionCheck()) env->ExceptionClear();
  // The event thread may never return to Java (the Windows window thread sits
  // in its message loop), so its local references are never freed for it.
  env->DeleteLocalRef(handlerClass);
}
