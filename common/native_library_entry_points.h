// The two native methods of wyvra.gui.tessel.keyboard.NativeLibrary. The
// receiver (class or instance) is ignored, so Java may declare them static
// or not. Both builds export these names and nothing else of their own.
#pragma once

#include <jni.h>

extern "C" {

JNIEXPORT void JNICALL Java_wyvra_gui_tessel_keyboard_NativeLibrary_registerKeyEventHandler(
    JNIEnv* env, jobject receiver, jobject component, jobject handler);

JNIEXPORT void JNICALL Java_wyvra_gui_tessel_keyboard_NativeLibrary_unregisterKeyEventHandler(
    JNIEnv* env, jobject receiver, jobject component, jobject handler);
}
