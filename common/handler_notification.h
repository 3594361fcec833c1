// Delivery of one key event to the Java handler object: a call of its
// "notifyKeyPressed" or "notifyKeyReleased" method with the key code.
#pragma once

#include "java_contract.h"

// Looks the method up on the handler's run-time class and calls it with the
// code. Deletes the local reference to the class and clears any exception
// left pending by the lookup or thrown by the handler, so the event thread
// stays usable for the next event. Does nothing for a null env or handler.
// Nothing is cached: every call repeats the lookup.
void callHandlerMethod(JNIEnv* env, HandlerRef handler, const char* method, KeyCode code);

// Windows build (also compiled on the host for tests). The window thread gets
// its environment by attaching to the VM saved at registration; attaching an
// attached thread yields its environment. The thread is never detached.
// Null when no VM is saved or the attach fails.
JNIEnv* attachToSavedVm();

// Windows build: a null handler returns at once and touches no VM.
void deliverKeyPressed(HandlerRef handler, KeyCode code);
void deliverKeyReleased(HandlerRef handler, KeyCode code);
