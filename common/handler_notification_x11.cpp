#include "handler_notification_x11.h"

#include "handler_notification.h"

// Provided by the Java runtime: the utility from libjava, and the VM pointer
// that libawt sets when it is loaded. Only read here.
extern "C" {
JNIIMPORT void* JNICALL JNU_GetEnv(JavaVM* vm, jint version);
extern JavaVM* jvm;
}

JNIEnv* currentEventEnv() {
  // Null until the AWT library has been loaded into a VM.
  if (jvm == nullptr) return nullptr;
  return static_cast<JNIEnv*>(JNU_GetEnv(jvm, JNI_VERSION_1_2));
}

void deliverKeyPressed(JNIEnv* env, HandlerRef handler, KeyCode code) {
  callHandlerMethod(env, handler, kNotifyKeyPressedMethod, code);
}

void deliverKeyReleased(JNIEnv* env, HandlerRef handler, KeyCode code) {
  callHandlerMethod(env, handler, kNotifyKeyReleasedMethod, code);
}
