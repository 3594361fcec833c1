#include "fake_java_vm.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <utility>

namespace fake_java {
namespace {

struct Object {
  std::string name;
  bool isClass;
  const Object* objectClass;
  bool hasNotifyKeyPressed;  // of a class
};

enum class RefKind { kArgument, kGlobal, kLocal };

// Every jobject handed to the library points to one of these.
struct Ref {
  static constexpr unsigned kMagic = 0x52454621;
  unsigned magic;
  RefKind kind;
  const Object* target;
  bool alive;
};

const char kPressedMethodId = 0;
const char kReleasedMethodId = 0;

std::mutex mutex;
// Never shrunk: a stale reference the library still holds stays readable,
// so its use is reported rather than crashing the test program.
std::deque<Object> objects;
std::deque<Ref> refs;
const Object* handlerClasses[2];  // without and with "notifyKeyPressed"
std::vector<Notification> notifications;
std::vector<std::string> violations;
int globalRefs;
int localRefs;
bool getJavaVmFails;
bool attachFails;
int attachCalls;
bool (*globalRefCondition)();
const char* globalRefConditionText;
std::function<void()> newGlobalRefHook;
std::function<void()> deleteGlobalRefHook;
thread_local bool exceptionPending;

JNINativeInterface_ functions;
JNIEnv_ theEnv;
JNIInvokeInterface_ invokeFunctions;
JavaVM_ theVm;

void violation(const std::string& what) { violations.push_back(what); }

Ref* newRef(RefKind kind, const Object* target) {
  refs.push_back(Ref{Ref::kMagic, kind, target, true});
  if (kind == RefKind::kGlobal) ++globalRefs;
  if (kind == RefKind::kLocal) ++localRefs;
  return &refs.back();
}

const Object* classOfHandlers(bool hasNotifyKeyPressed) {
  const Object*& handlerClass = handlerClasses[hasNotifyKeyPressed ? 1 : 0];
  if (handlerClass == nullptr) {
    objects.push_back(Object{"Handler class", true, nullptr, hasNotifyKeyPressed});
    handlerClass = &objects.back();
  }
  return handlerClass;
}

// The object a reference points to; null (and a violation) for a deleted
// or foreign one.
const Object* resolve(jobject object, const char* function) {
  auto* ref = reinterpret_cast<Ref*>(object);
  if (ref == nullptr) return nullptr;
  if (ref->magic != Ref::kMagic) {
    violation(std::string(function) + " on something that is no reference");
    return nullptr;
  }
  if (!ref->alive) {
    violation(std::string(function) + " on a deleted reference to " + ref->target->name);
    return nullptr;
  }
  return ref->target;
}

void checkNoPendingException(const char* function) {
  if (exceptionPending) violation(std::string(function) + " called with an exception pending");
}

void checkGlobalRefCondition(const char* function) {
  if (globalRefCondition != nullptr && !globalRefCondition()) {
    violation(std::string(function) + " " + globalRefConditionText);
  }
}

jint JNICALL getJavaVM(JNIEnv* /*env*/, JavaVM** result) {
  std::lock_guard<std::mutex> guard(mutex);
  checkNoPendingException("GetJavaVM");
  if (getJavaVmFails) {
    *result = nullptr;
    return JNI_ERR;
  }
  *result = &theVm;
  return JNI_OK;
}

// Runs a hook with the fake's mutex released, so that it may wait for
// another thread that uses JNI.
void runHook(const std::function<void()>& slot) {
  std::function<void()> hook;
  {
    std::lock_guard<std::mutex> guard(mutex);
    hook = slot;
  }
  if (hook) hook();
}

jobject JNICALL newGlobalRef(JNIEnv* /*env*/, jobject object) {
  runHook(newGlobalRefHook);
  std::lock_guard<std::mutex> guard(mutex);
  checkNoPendingException("NewGlobalRef");
  checkGlobalRefCondition("NewGlobalRef");
  const Object* target = resolve(object, "NewGlobalRef");
  return target != nullptr ? reinterpret_cast<jobject>(newRef(RefKind::kGlobal, target)) : nullptr;
}

void deleteRef(jobject object, RefKind kind, const char* function) {
  auto* ref = reinterpret_cast<Ref*>(object);
  if (ref == nullptr) return;
  if (ref->magic != Ref::kMagic || ref->kind != kind) {
    violation(std::string(function) + " on a reference of another kind");
    return;
  }
  if (!ref->alive) {
    violation(std::string(function) + " on an already deleted reference to " + ref->target->name);
    return;
  }
  ref->alive = false;
  if (kind == RefKind::kGlobal) --globalRefs;
  if (kind == RefKind::kLocal) --localRefs;
}

void JNICALL deleteGlobalRef(JNIEnv* /*env*/, jobject object) {
  {
    std::lock_guard<std::mutex> guard(mutex);
    checkGlobalRefCondition("DeleteGlobalRef");
    deleteRef(object, RefKind::kGlobal, "DeleteGlobalRef");
  }
  runHook(deleteGlobalRefHook);
}

jobject JNICALL newLocalRef(JNIEnv* /*env*/, jobject object) {
  std::lock_guard<std::mutex> guard(mutex);
  checkNoPendingException("NewLocalRef");
  const Object* target = resolve(object, "NewLocalRef");
  return target != nullptr ? reinterpret_cast<jobject>(newRef(RefKind::kLocal, target)) : nullptr;
}

void JNICALL deleteLocalRef(JNIEnv* /*env*/, jobject object) {
  std::lock_guard<std::mutex> guard(mutex);
  deleteRef(object, RefKind::kLocal, "DeleteLocalRef");
}

jclass JNICALL getObjectClass(JNIEnv* /*env*/, jobject object) {
  std::lock_guard<std::mutex> guard(mutex);
  checkNoPendingException("GetObjectClass");
  const Object* target = resolve(object, "GetObjectClass");
  if (target == nullptr || target->objectClass == nullptr) return nullptr;
  return reinterpret_cast<jclass>(newRef(RefKind::kLocal, target->objectClass));
}

jmethodID JNICALL getMethodID(JNIEnv* /*env*/, jclass objectClass, const char* name,
                              const char* signature) {
  std::lock_guard<std::mutex> guard(mutex);
  checkNoPendingException("GetMethodID");
  const Object* target = resolve(objectClass, "GetMethodID");
  if (target == nullptr || !target->isClass) return nullptr;
  if (std::strcmp(signature, "(S)V") == 0) {
    if (std::strcmp(name, "notifyKeyPressed") == 0 && target->hasNotifyKeyPressed) {
      return reinterpret_cast<jmethodID>(const_cast<char*>(&kPressedMethodId));
    }
    if (std::strcmp(name, "notifyKeyReleased") == 0) {
      return reinterpret_cast<jmethodID>(const_cast<char*>(&kReleasedMethodId));
    }
  }
  exceptionPending = true;  // NoSuchMethodError
  return nullptr;
}

void recordCall(jobject object, jmethodID method, jint argument) {
  std::lock_guard<std::mutex> guard(mutex);
  checkNoPendingException("CallVoidMethod");
  const Object* target = resolve(object, "CallVoidMethod");
  if (target == nullptr) return;
  const auto* id = reinterpret_cast<const char*>(method);
  if (id != &kPressedMethodId && id != &kReleasedMethodId) {
    violation("CallVoidMethod with a method ID that GetMethodID did not give");
    return;
  }
  // The VM reads the argument as a jshort.
  notifications.push_back({target->name, id == &kPressedMethodId, static_cast<jshort>(argument)});
}

void JNICALL callVoidMethod(JNIEnv* /*env*/, jobject object, jmethodID method, ...) {
  va_list args;
  va_start(args, method);
  const jint argument = va_arg(args, jint);
  va_end(args);
  recordCall(object, method, argument);
}

void JNICALL callVoidMethodV(JNIEnv* /*env*/, jobject object, jmethodID method, va_list args) {
  recordCall(object, method, va_arg(args, jint));
}

void JNICALL callVoidMethodA(JNIEnv* /*env*/, jobject object, jmethodID method,
                             const jvalue* args) {
  recordCall(object, method, args[0].s);
}

jboolean JNICALL exceptionCheck(JNIEnv* /*env*/) { return exceptionPending ? JNI_TRUE : JNI_FALSE; }

void JNICALL exceptionClear(JNIEnv* /*env*/) { exceptionPending = false; }

jint JNICALL attachCurrentThread(JavaVM* /*vm*/, void** result, void* /*args*/) {
  std::lock_guard<std::mutex> guard(mutex);
  ++attachCalls;
  if (attachFails) {
    *result = nullptr;
    return JNI_ERR;
  }
  *result = &theEnv;
  return JNI_OK;
}

jint JNICALL getEnv(JavaVM* /*vm*/, void** result, jint /*version*/) {
  *result = &theEnv;
  return JNI_OK;
}

// Any JNI function the library is not expected to call lands here.
void JNICALL unexpectedFunction() {
  std::fputs("fake Java VM: the library called a JNI function it has no business calling\n",
             stderr);
  std::abort();
}

template <typename Table>
void fillWithTraps(Table& table) {
  auto* slots = reinterpret_cast<void (**)()>(&table);
  for (std::size_t i = 0; i < sizeof(Table) / sizeof(void (*)()); ++i) {
    slots[i] = unexpectedFunction;
  }
}

bool installTables() {
  fillWithTraps(functions);
  functions.GetJavaVM = getJavaVM;
  functions.NewGlobalRef = newGlobalRef;
  functions.DeleteGlobalRef = deleteGlobalRef;
  functions.NewLocalRef = newLocalRef;
  functions.DeleteLocalRef = deleteLocalRef;
  functions.GetObjectClass = getObjectClass;
  functions.GetMethodID = getMethodID;
  functions.CallVoidMethod = callVoidMethod;
  functions.CallVoidMethodV = callVoidMethodV;
  functions.CallVoidMethodA = callVoidMethodA;
  functions.ExceptionCheck = exceptionCheck;
  functions.ExceptionClear = exceptionClear;
  theEnv.functions = &functions;

  fillWithTraps(invokeFunctions);
  invokeFunctions.AttachCurrentThread = attachCurrentThread;
  invokeFunctions.GetEnv = getEnv;
  theVm.functions = &invokeFunctions;
  return true;
}

}  // namespace

void PrintTo(const Notification& notification, std::ostream* out) {
  *out << (notification.pressed ? "press " : "release ") << notification.code << " to "
       << notification.handler;
}

JNIEnv* env() {
  static const bool installed = installTables();
  return installed ? &theEnv : nullptr;
}

JavaVM* vm() { return env() != nullptr ? &theVm : nullptr; }

jobject newHandler(const std::string& name, bool hasNotifyKeyPressed) {
  std::lock_guard<std::mutex> guard(mutex);
  objects.push_back(Object{name, false, classOfHandlers(hasNotifyKeyPressed), false});
  return reinterpret_cast<jobject>(newRef(RefKind::kArgument, &objects.back()));
}

void failGetJavaVM(bool fail) {
  std::lock_guard<std::mutex> guard(mutex);
  getJavaVmFails = fail;
}

void failAttach(bool fail) {
  std::lock_guard<std::mutex> guard(mutex);
  attachFails = fail;
}

int takeAttachCalls() {
  std::lock_guard<std::mutex> guard(mutex);
  return std::exchange(attachCalls, 0);
}

bool exceptionPendingOnThisThread() { return exceptionPending; }

void requireForGlobalRefs(bool (*condition)(), const char* violationText) {
  std::lock_guard<std::mutex> guard(mutex);
  globalRefCondition = condition;
  globalRefConditionText = violationText;
}

void setHook(HookedFunction function, std::function<void()> hook) {
  std::lock_guard<std::mutex> guard(mutex);
  (function == HookedFunction::kNewGlobalRef ? newGlobalRefHook : deleteGlobalRefHook) =
      std::move(hook);
}

std::vector<Notification> takeNotifications() {
  std::lock_guard<std::mutex> guard(mutex);
  return std::exchange(notifications, {});
}

std::vector<std::string> takeViolations() {
  std::lock_guard<std::mutex> guard(mutex);
  return std::exchange(violations, {});
}

int liveGlobalRefs() {
  std::lock_guard<std::mutex> guard(mutex);
  return globalRefs;
}

int liveLocalRefs() {
  std::lock_guard<std::mutex> guard(mutex);
  return localRefs;
}

std::vector<std::string> globallyReferencedHandlers() {
  std::lock_guard<std::mutex> guard(mutex);
  std::vector<std::string> names;
  for (const Ref& ref : refs) {
    if (ref.kind == RefKind::kGlobal && ref.alive) names.push_back(ref.target->name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace fake_java
