// Delivery of key events in the X11 build, where the event thread's
// environment comes from the Java runtime's AWT library.
#pragma once

#include "java_contract.h"

// The calling thread's environment in the VM that the AWT native library
// recorded at load, or null when the thread is not attached. Never attaches.
JNIEnv* currentEventEnv();

// Calls "notifyKeyPressed" / "notifyKeyReleased" through the given
// environment (normally currentEventEnv(), fetched once per X event). A null
// env or handler delivers nothing.
void deliverKeyPressed(JNIEnv* env, HandlerRef handler, KeyCode code);
void deliverKeyReleased(JNIEnv* env, HandlerRef handler, KeyCode code);
