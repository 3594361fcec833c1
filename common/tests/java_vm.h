// The one Java VM of the test program (a process can create only one). It is
// the JDK's own VM, started with -Xcheck:jni, with the test handler classes
// on its class path and the AWT native library loaded; everything it prints
// is captured instead of written out.
#pragma once

#include <gtest/gtest.h>
#include <jni.h>

#include <functional>
#include <string>

JavaVM* testVm();
// The environment of the main thread, which created the VM.
JNIEnv* mainThreadEnv();

// What the VM printed since the last call (checked-JNI warnings and errors).
std::string takeVmOutput();

// Whether the calling thread is attached to the test VM.
bool isAttached();
// The calling thread's environment, or null if it is not attached.
JNIEnv* attachedEnv();

// How many local references the calling (attached) thread holds, counted
// from the VM's own list of JNI roots.
long localReferencesOfCurrentThread();

// Runs body on a new native thread, unattached at the start, and waits for
// it. A thread that ends attached is detached after body.
void runOnNativeThread(const std::function<void()>& body);

// A new strokelink.testhandlers.<simpleName> held by a global reference, as a
// registration holds its handler. Used on the main thread.
class TestHandler {
 public:
  explicit TestHandler(const char* simpleName);
  ~TestHandler();
  TestHandler(const TestHandler&) = delete;
  TestHandler& operator=(const TestHandler&) = delete;

  jobject ref() const { return ref_; }
  // The events recorded since the last call, e.g. "P29 R29".
  std::string takeEvents();

 private:
  jobject ref_;
};

// Every test ends with the VM having printed nothing: -Xcheck:jni reports
// pending exceptions, unchecked exceptions and local reference overflow.
class JavaVmTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// Long VM output cut down to a readable failure message.
std::string excerpt(const std::string& output);
