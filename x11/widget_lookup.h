// The Xt widget behind an AWT component, found through the AWT Native
// Interface.
#pragma once

#include <jni.h>

#include "x11_headers.h"

// The component's widget, or null when JAWT gives no drawing surface for it,
// the surface cannot be locked, no surface info comes back, the process has
// no Xt, or Xt knows no widget for the component's window. Every JAWT object
// acquired here is released before it returns.
Widget getWidgetId(JNIEnv* env, jobject component);
