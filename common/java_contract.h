// What the Java side sees of the library: the handler protocol, the key-code
// type and the version of the AWT Native Interface the library asks for.
#pragma once

#include <jni.h>

// Argument of both handler methods. The value space is the keycode space of
// an X server with the XFree86 keyboard map, minus 8; for ordinary keys it is
// the PC scan code (set 1 make code, without the extended prefix).
using KeyCode = jshort;

// JNI global reference to the Java handler object, owned by a table entry
// from registration to unregistration.
using HandlerRef = jobject;

inline constexpr char kNativeLibraryClass[] = "wyvra/gui/tessel/keyboard/NativeLibrary";
inline constexpr char kNotifyKeyPressedMethod[] = "notifyKeyPressed";
inline constexpr char kNotifyKeyReleasedMethod[] = "notifyKeyReleased";
inline constexpr char kNotifyMethodSignature[] = "(S)V";

// JAWT_VERSION_1_3: the lowest version that offers the drawing surface calls.
inline constexpr jint kJawtVersion = 0x00010003;
