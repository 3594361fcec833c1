#include "java_vm.h"

#include <jvmti.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <thread>

#include "jni_local_roots.h"

namespace {

constexpr char kHandlerPackage[] = "strokelink/testhandlers/";

JavaVM* vm = nullptr;
JNIEnv* mainEnv = nullptr;
jvmtiEnv* jvmti = nullptr;

std::mutex outputMutex;
std::string capturedOutput;

jint JNICALL captureVmOutput(FILE*, const char* format, va_list args) {
  va_list sizing;
  va_copy(sizing, args);
  int length = std::vsnprintf(nullptr, 0, format, sizing);
  va_end(sizing);
  if (length <= 0) return length;
  std::string text(static_cast<size_t>(length) + 1, '\0');
  std::vsnprintf(text.data(), text.size(), format, args);
  text.pop_back();
  std::lock_guard<std::mutex> lock(outputMutex);
  capturedOutput += text;
  return length;
}

// The VM is about to abort (a checked-JNI fatal error, say): show what it
// said, which would otherwise stay in the buffer. No lock: the VM may be
// going down from inside captureVmOutput.
void JNICALL showVmOutputOnAbort() {
  std::fputs(capturedOutput.c_str(), stderr);
  std::fflush(stderr);
}

std::string handlerClassName(const char* simpleName) {
  return std::string(kHandlerPackage) + simpleName;
}

// Reports and clears a Java exception raised by the test's own JNI calls.
void expectNoJavaException(JNIEnv* env, const char* what) {
  if (!env->ExceptionCheck()) return;
  env->ExceptionDescribe();
  env->ExceptionClear();
  ADD_FAILURE() << what << " threw";
}

class JavaVmEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    std::string classPath = "-Djava.class.path=" STROKELINK_TEST_CLASS_PATH;
    JavaVMOption options[] = {
        {const_cast<char*>(classPath.c_str()), nullptr},
        {const_cast<char*>("-Xcheck:jni"), nullptr},
        {const_cast<char*>("-Djava.awt.headless=true"), nullptr},
        // A small, quickly started VM: the tests run little Java code.
        {const_cast<char*>("-Xmx64m"), nullptr},
        {const_cast<char*>("-XX:+UseSerialGC"), nullptr},
        {const_cast<char*>("-XX:TieredStopAtLevel=1"), nullptr},
        {const_cast<char*>("vfprintf"), reinterpret_cast<void*>(&captureVmOutput)},
        {const_cast<char*>("abort"), reinterpret_cast<void*>(&showVmOutputOnAbort)},
    };
    JavaVMInitArgs args{};
    args.version = JNI_VERSION_1_8;
    args.nOptions = static_cast<jint>(sizeof options / sizeof options[0]);
    args.options = options;
    args.ignoreUnrecognized = JNI_FALSE;
    void* env = nullptr;
    ASSERT_EQ(JNI_CreateJavaVM(&vm, &env, &args), JNI_OK);
    mainEnv = static_cast<JNIEnv*>(env);
    ASSERT_EQ(vm->GetEnv(reinterpret_cast<void**>(&jvmti), JVMTI_VERSION_1_2), JNI_OK);
    jvmtiCapabilities capabilities{};
    capabilities.can_tag_objects = 1;  // needed by FollowReferences
    ASSERT_EQ(jvmti->AddCapabilities(&capabilities), JVMTI_ERROR_NONE);
    loadAwt();
    std::string startupOutput = takeVmOutput();
    EXPECT_TRUE(startupOutput.empty()) << excerpt(startupOutput);
  }

  // The VM is not destroyed: DestroyJavaVM would wait for every non-daemon
  // thread, and the process ends right after the tests anyway.

 private:
  void loadAwt() {
    jclass loader = mainEnv->FindClass("strokelink/testhandlers/AwtLoader");
    ASSERT_NE(loader, nullptr);
    jmethodID load = mainEnv->GetStaticMethodID(loader, "load", "()V");
    ASSERT_NE(load, nullptr);
    mainEnv->CallStaticVoidMethod(loader, load);
    expectNoJavaException(mainEnv, "loading AWT");
    mainEnv->DeleteLocalRef(loader);
  }
};

}  // namespace

JavaVM* testVm() { return vm; }

JNIEnv* mainThreadEnv() { return mainEnv; }

std::string takeVmOutput() {
  std::lock_guard<std::mutex> lock(outputMutex);
  std::string taken;
  taken.swap(capturedOutput);
  return taken;
}

JNIEnv* attachedEnv() {
  void* env = nullptr;
  return vm->GetEnv(&env, JNI_VERSION_1_8) == JNI_OK ? static_cast<JNIEnv*>(env) : nullptr;
}

bool isAttached() { return attachedEnv() != nullptr; }

long localReferencesOfCurrentThread() {
  return countLocalReferencesOfThisThread(jvmti, attachedEnv());
}

void runOnNativeThread(const std::function<void()>& body) {
  std::thread thread([&body] {
    EXPECT_FALSE(isAttached()) << "a new native thread starts unattached";
    body();
    if (isAttached()) vm->DetachCurrentThread();
  });
  thread.join();
}

TestHandler::TestHandler(const char* simpleName) : ref_(nullptr) {
  JNIEnv* env = mainEnv;
  jclass handlerClass = env->FindClass(handlerClassName(simpleName).c_str());
  expectNoJavaException(env, simpleName);
  if (handlerClass == nullptr) return;
  jmethodID constructor = env->GetMethodID(handlerClass, "<init>", "()V");
  jobject local = constructor != nullptr ? env->NewObject(handlerClass, constructor) : nullptr;
  expectNoJavaException(env, "creating the handler");
  if (local != nullptr) ref_ = env->NewGlobalRef(local);
  env->DeleteLocalRef(local);
  env->DeleteLocalRef(handlerClass);
}

TestHandler::~TestHandler() {
  if (ref_ != nullptr) mainEnv->DeleteGlobalRef(ref_);
}

std::string TestHandler::takeEvents() {
  JNIEnv* env = mainEnv;
  jclass handlerClass = env->GetObjectClass(ref_);
  jmethodID take = env->GetMethodID(handlerClass, "takeEvents", "()Ljava/lang/String;");
  auto events = static_cast<jstring>(env->CallObjectMethod(ref_, take));
  expectNoJavaException(env, "takeEvents");
  std::string result;
  if (events != nullptr) {
    const char* chars = env->GetStringUTFChars(events, nullptr);
    result = chars;
    env->ReleaseStringUTFChars(events, chars);
  }
  env->DeleteLocalRef(events);
  env->DeleteLocalRef(handlerClass);
  return result;
}

void JavaVmTest::SetUp() { takeVmOutput(); }

void JavaVmTest::TearDown() {
  std::string output = takeVmOutput();
  EXPECT_TRUE(output.empty()) << "the VM printed:\n" << excerpt(output);
}

std::string excerpt(const std::string& output) {
  constexpr size_t kMaxLength = 3000;
  return output.size() <= kMaxLength ? output : output.substr(0, kMaxLength) + "\n[...]";
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new JavaVmEnvironment);
  return RUN_ALL_TESTS();
}
