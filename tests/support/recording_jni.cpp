#include "recording_jni.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace {

// Method ids are tags: which of the two notify methods was looked up.
jmethodID const kPressedId = reinterpret_cast<jmethodID>(1);
jmethodID const kReleasedId = reinterpret_cast<jmethodID>(2);

// A handler's class is represented by the handler itself.
FakeHandler* handlerOf(jobject object) { return reinterpret_cast<FakeHandler*>(object); }

}  // namespace

RecordingJni::RecordingJni() {
  envFunctions_.reserved0 = this;
  envFunctions_.GetJavaVM = getJavaVm;
  envFunctions_.NewGlobalRef = newGlobalRef;
  envFunctions_.DeleteGlobalRef = deleteGlobalRef;
  envFunctions_.NewLocalRef = newLocalRef;
  envFunctions_.DeleteLocalRef = deleteLocalRef;
  envFunctions_.GetObjectClass = getObjectClass;
  envFunctions_.GetMethodID = getMethodId;
  envFunctions_.CallVoidMethod = callVoidMethod;
  envFunctions_.CallVoidMethodV = callVoidMethodV;
  envFunctions_.CallVoidMethodA = callVoidMethodA;
  envFunctions_.ExceptionCheck = exceptionCheck;
  envFunctions_.ExceptionOccurred = exceptionOccurred;
  envFunctions_.ExceptionClear = exceptionClear;
  envFunctions_.ExceptionDescribe = exceptionDescribe;
  env_.functions = &envFunctions_;

  vmFunctions_.reserved0 = this;
  vmFunctions_.AttachCurrentThread = attachCurrentThread;
  vmFunctions_.GetEnv = getEnv;
  vm_.functions = &vmFunctions_;
}

RecordingJni& RecordingJni::of(JNIEnv* env) {
  return *static_cast<RecordingJni*>(env->functions->reserved0);
}

RecordingJni& RecordingJni::of(JavaVM* vm) {
  return *static_cast<RecordingJni*>(vm->functions->reserved0);
}

void RecordingJni::reset() {
  std::lock_guard<std::mutex> lock(mutex_);
  notifications_.clear();
  globalRefs_.clear();
  localRefs_ = 0;
  attachCalls_ = 0;
  exceptionPending_ = false;
  failAttach_ = false;
}

std::vector<Notification> RecordingJni::notifications() {
  std::lock_guard<std::mutex> lock(mutex_);
  return notifications_;
}

std::multiset<jobject> RecordingJni::liveGlobalRefs() {
  std::lock_guard<std::mutex> lock(mutex_);
  return globalRefs_;
}

int RecordingJni::liveLocalRefs() {
  std::lock_guard<std::mutex> lock(mutex_);
  return localRefs_;
}

int RecordingJni::attachCalls() {
  std::lock_guard<std::mutex> lock(mutex_);
  return attachCalls_;
}

bool RecordingJni::exceptionPending() {
  std::lock_guard<std::mutex> lock(mutex_);
  return exceptionPending_;
}

void RecordingJni::failAttach(bool fail) {
  std::lock_guard<std::mutex> lock(mutex_);
  failAttach_ = fail;
}

jint JNICALL RecordingJni::getJavaVm(JNIEnv* env, JavaVM** vm) {
  *vm = of(env).vm();
  return JNI_OK;
}

jobject JNICALL RecordingJni::newGlobalRef(JNIEnv* env, jobject object) {
  if (object == nullptr) return nullptr;
  RecordingJni& jni = of(env);
  std::lock_guard<std::mutex> lock(jni.mutex_);
  jni.globalRefs_.insert(object);
  return object;
}

void JNICALL RecordingJni::deleteGlobalRef(JNIEnv* env, jobject object) {
  if (object == nullptr) return;
  RecordingJni& jni = of(env);
  std::lock_guard<std::mutex> lock(jni.mutex_);
  auto found = jni.globalRefs_.find(object);
  // Deleting a reference that is not alive is a fault the tests must see.
  if (found == jni.globalRefs_.end()) std::abort();
  jni.globalRefs_.erase(found);
}

jobject JNICALL RecordingJni::newLocalRef(JNIEnv* env, jobject object) {
  if (object == nullptr) return nullptr;
  RecordingJni& jni = of(env);
  std::lock_guard<std::mutex> lock(jni.mutex_);
  // A local reference may only be made from a live global one.
  if (jni.globalRefs_.count(object) == 0) std::abort();
  ++jni.localRefs_;
  return object;
}

void JNICALL RecordingJni::deleteLocalRef(JNIEnv* env, jobject object) {
  if (object == nullptr) return;
  RecordingJni& jni = of(env);
  std::lock_guard<std::mutex> lock(jni.mutex_);
  --jni.localRefs_;
}

jclass JNICALL RecordingJni::getObjectClass(JNIEnv* env, jobject object) {
  if (object == nullptr) return nullptr;
  RecordingJni& jni = of(env);
  std::lock_guard<std::mutex> lock(jni.mutex_);
  ++jni.localRefs_;
  return static_cast<jclass>(object);
}

jmethodID JNICALL RecordingJni::getMethodId(JNIEnv* env, jclass cls, const char* name,
                                            const char* sig) {
  RecordingJni& jni = of(env);
  std::lock_guard<std::mutex> lock(jni.mutex_);
  const FakeHandler* handler = handlerOf(cls);
  if (std::strcmp(sig, "(S)V") == 0) {
    if (std::strcmp(name, "notifyKeyPressed") == 0 && handler->hasNotifyKeyPressed) {
      return kPressedId;
    }
    if (std::strcmp(name, "notifyKeyReleased") == 0 && handler->hasNotifyKeyReleased) {
      return kReleasedId;
    }
  }
  jni.exceptionPending_ = true;  // NoSuchMethodError
  return nullptr;
}

void RecordingJni::record(jobject object, jmethodID method, int code) {
  std::lock_guard<std::mutex> lock(mutex_);
  // Calling into Java with an exception pending is illegal.
  if (exceptionPending_) std::abort();
  notifications_.push_back({handlerOf(object)->id, method == kPressedId, code});
}

void JNICALL RecordingJni::callVoidMethodV(JNIEnv* env, jobject object, jmethodID method,
                                           va_list args) {
  // A jshort travels through varargs promoted to int.
  const int code = static_cast<jshort>(va_arg(args, int));
  of(env).record(object, method, code);
}

void JNICALL RecordingJni::callVoidMethodA(JNIEnv* env, jobject object, jmethodID method,
                                           const jvalue* args) {
  of(env).record(object, method, args[0].s);
}

void JNICALL RecordingJni::callVoidMethod(JNIEnv* env, jobject object, jmethodID method, ...) {
  va_list args;
  va_start(args, method);
  callVoidMethodV(env, object, method, args);
  va_end(args);
}

jboolean JNICALL RecordingJni::exceptionCheck(JNIEnv* env) {
  return of(env).exceptionPending() ? JNI_TRUE : JNI_FALSE;
}

jthrowable JNICALL RecordingJni::exceptionOccurred(JNIEnv* env) {
  // Any non-null value serves: the library only tests it.
  return of(env).exceptionPending() ? reinterpret_cast<jthrowable>(&of(env)) : nullptr;
}

void JNICALL RecordingJni::exceptionClear(JNIEnv* env) {
  RecordingJni& jni = of(env);
  std::lock_guard<std::mutex> lock(jni.mutex_);
  jni.exceptionPending_ = false;
}

void JNICALL RecordingJni::exceptionDescribe(JNIEnv* env) { exceptionClear(env); }

jint JNICALL RecordingJni::attachCurrentThread(JavaVM* vm, void** env, void*) {
  RecordingJni& jni = of(vm);
  std::lock_guard<std::mutex> lock(jni.mutex_);
  ++jni.attachCalls_;
  if (jni.failAttach_) {
    *env = nullptr;
    return JNI_ERR;
  }
  *env = jni.env();
  return JNI_OK;
}

jint JNICALL RecordingJni::getEnv(JavaVM* vm, void** env, jint) {
  *env = of(vm).env();
  return JNI_OK;
}
