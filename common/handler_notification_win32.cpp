#include "handler_notification.h"
#include "win32/state_block.h"

namespace {

void deliver(HandlerRef handler, const char* method, KeyCode code) {
  if (handler == nullptr) return;
  callHandlerMethod(attachToSavedVm(), handler, method, code);
}

}  // namespace

JNIEnv* attachToSavedVm() {
  JavaVM* vm = stateBlock.savedVm;
  if (vm == nullptr) return nullptr;
  JNIEnv* env = nullptr;
  if (vm->AttachCurrentThread(reinterpret_cast<void**>(&env), nullptr) != JNI_OK) return nullptr;
  return env;
}

void deliverKeyPressed(HandlerRef handler, KeyCode code) {
  deliver(handler, kNotifyKeyPressedMethod, code);
}

void deliverKeyReleased(HandlerRef handler, KeyCode code) {
  deliver(handler, kNotifyKeyReleasedMethod, code);
}
