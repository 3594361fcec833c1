// Counting the JNI local references a thread holds, through JVMTI: the VM
// offers no JNI call for it, and a leak of local references on an event
// thread that never returns to Java is otherwise invisible.
#pragma once

#include <jni.h>
#include <jvmti.h>

// The local references the calling (attached) thread holds, or -1 when the
// count cannot be taken. jvmti needs the can_tag_objects capability.
long countLocalReferencesOfThisThread(jvmtiEnv* jvmti, JNIEnv* env);
