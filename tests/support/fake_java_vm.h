// A Java VM of the tests' own, seen through JNI: just the functions the
// library uses, each checked and recorded. It keeps track of every global
// and local reference, records each handler notification, and notes every
// misuse (a deleted reference used or deleted again, a JNI call made with an
// exception pending, a global reference created or deleted where the test
// forbids it) as a violation for the test to report.
#pragma once

#include <jni.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace fake_java {

struct Notification {
  std::string handler;
  bool pressed;
  int code;
  bool operator==(const Notification& other) const {
    return handler == other.handler && pressed == other.pressed && code == other.code;
  }
};
void PrintTo(const Notification& notification, std::ostream* out);

inline Notification pressed(const std::string& handler, int code) { return {handler, true, code}; }
inline Notification released(const std::string& handler, int code) {
  return {handler, false, code};
}

JNIEnv* env();
JavaVM* vm();

// A new handler object named for the notifications, as Java would pass it
// to the entry points (a local reference of the calling frame).
// A handler whose class lacks "notifyKeyPressed" can be asked for.
jobject newHandler(const std::string& name, bool hasNotifyKeyPressed = true);

// Makes AttachCurrentThread fail (JNI_ERR) until called again with false.
void failAttach(bool fail);
// AttachCurrentThread calls since the last take.
int takeAttachCalls();
bool exceptionPendingOnThisThread();
// Every NewGlobalRef and DeleteGlobalRef from now on must find the condition
// true, or it is a violation described by the text; null lifts the rule.
void requireForGlobalRefs(bool (*condition)(), const char* violationText);

// Makes GetJavaVM fail (JNI_ERR) until called again with false.
void failGetJavaVM(bool fail);
// Runs the hook in every call of that function until cleared with nullptr:
// a test's way to make something happen "meanwhile". The hook runs before
// NewGlobalRef creates the reference and after DeleteGlobalRef deletes it.
enum class HookedFunction { kNewGlobalRef, kDeleteGlobalRef };
void setHook(HookedFunction function, std::function<void()> hook);

std::vector<Notification> takeNotifications();
std::vector<std::string> takeViolations();
int liveGlobalRefs();
int liveLocalRefs();
// Names of the objects that live global references point to, sorted.
std::vector<std::string> globallyReferencedHandlers();

}  // namespace fake_java
