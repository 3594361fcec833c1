// A JavaVM and JNIEnv of the tests' own: handlers are plain C++ objects, and
// every notification, global reference and local reference is recorded, so
// tests can check what the library did without a Java VM.
#pragma once

#include <jni.h>

#include <mutex>
#include <ostream>
#include <set>
#include <vector>

struct FakeHandler {
  int id;
  bool hasNotifyKeyPressed = true;
  bool hasNotifyKeyReleased = true;
};

struct Notification {
  int handlerId;
  bool pressed;
  int code;
  bool operator==(const Notification& other) const {
    return handlerId == other.handlerId && pressed == other.pressed && code == other.code;
  }
};

// Readable notifications in test failure messages.
inline void PrintTo(const Notification& n, std::ostream* out) {
  *out << (n.pressed ? "press " : "release ") << n.code << " to handler " << n.handlerId;
}

class RecordingJni {
 public:
  RecordingJni();
  RecordingJni(const RecordingJni&) = delete;
  RecordingJni& operator=(const RecordingJni&) = delete;

  JavaVM* vm() { return &vm_; }
  JNIEnv* env() { return &env_; }

  // Forgets everything recorded so far.
  void reset();
  std::vector<Notification> notifications();
  // Global references created and not yet deleted.
  std::multiset<jobject> liveGlobalRefs();
  int liveLocalRefs();
  int attachCalls();
  bool exceptionPending();

  // Failure modes.
  void failAttach(bool fail);

 private:
  static RecordingJni& of(JNIEnv* env);
  static RecordingJni& of(JavaVM* vm);

  static jint JNICALL getJavaVm(JNIEnv* env, JavaVM** vm);
  static jobject JNICALL newGlobalRef(JNIEnv* env, jobject object);
  static void JNICALL deleteGlobalRef(JNIEnv* env, jobject object);
  static jobject JNICALL newLocalRef(JNIEnv* env, jobject object);
  static void JNICALL deleteLocalRef(JNIEnv* env, jobject object);
  static jclass JNICALL getObjectClass(JNIEnv* env, jobject object);
  static jmethodID JNICALL getMethodId(JNIEnv* env, jclass cls, const char* name, const char* sig);
  static void JNICALL callVoidMethodV(JNIEnv* env, jobject object, jmethodID method, va_list args);
  static void JNICALL callVoidMethodA(JNIEnv* env, jobject object, jmethodID method,
                                      const jvalue* args);
  static void JNICALL callVoidMethod(JNIEnv* env, jobject object, jmethodID method, ...);
  static jboolean JNICALL exceptionCheck(JNIEnv* env);
  static jthrowable JNICALL exceptionOccurred(JNIEnv* env);
  static void JNICALL exceptionClear(JNIEnv* env);
  static void JNICALL exceptionDescribe(JNIEnv* env);
  static jint JNICALL attachCurrentThread(JavaVM* vm, void** env, void* args);
  static jint JNICALL getEnv(JavaVM* vm, void** env, jint version);

  void record(jobject object, jmethodID method, int code);

  JNINativeInterface_ envFunctions_{};
  JNIInvokeInterface_ vmFunctions_{};
  JNIEnv env_{};
  JavaVM vm_{};

  std::mutex mutex_;
  std::vector<Notification> notifications_;
  std::multiset<jobject> globalRefs_;
  int localRefs_ = 0;
  int attachCalls_ = 0;
  bool exceptionPending_ = false;
  bool failAttach_ = false;
};
