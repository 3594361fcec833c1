// Delivery the Windows way: the window thread attaches itself to the VM saved
// at registration. Runs on the host against the JDK's VM.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "common/handler_notification.h"
#include "saved_vm_test.h"
#include "win32/state_block.h"

namespace {

using WindowsDeliveryTest = SavedVmTest;

enum class EventThread { kMain, kFreshNative };

void PrintTo(EventThread thread, std::ostream* out) {
  *out << (thread == EventThread::kMain ? "MainThread" : "FreshNativeThread");
}

class CodeDeliveryTest : public WindowsDeliveryTest,
                         public ::testing::WithParamInterface<EventThread> {};

TEST_P(CodeDeliveryTest, CodesArriveUnchangedAndThreadStaysAttached) {
  TestHandler handler("RecordingHandler");
  auto deliverAll = [&handler] {
    for (KeyCode code : {29, 101, 240, 255, 1, 0, -1, 32767, -32768}) {
      deliverKeyPressed(handler.ref(), code);
      deliverKeyReleased(handler.ref(), code);
    }
    EXPECT_TRUE(isAttached()) << "delivery must leave the event thread attached";
  };
  if (GetParam() == EventThread::kFreshNative) {
    runOnNativeThread(deliverAll);
  } else {
    deliverAll();
  }
  EXPECT_EQ(handler.takeEvents(),
            "P29 R29 P101 R101 P240 R240 P255 R255 P1 R1 P0 R0 P-1 R-1 P32767 R32767 "
            "P-32768 R-32768");
}

INSTANTIATE_TEST_SUITE_P(EventThreads, CodeDeliveryTest,
                         ::testing::Values(EventThread::kMain, EventThread::kFreshNative),
                         [](const ::testing::TestParamInfo<EventThread>& testCase) {
                           return testCase.param == EventThread::kMain ? "MainThread"
                                                                       : "FreshNativeThread";
                         });

// Handler classes without a usable "notifyKeyPressed" with "(S)V".
class MissingPressMethodTest : public WindowsDeliveryTest,
                               public ::testing::WithParamInterface<const char*> {};

TEST_P(MissingPressMethodTest, ReceivesOnlyReleasesAndLaterEventsStillArrive) {
  TestHandler partial(GetParam());
  TestHandler recording("RecordingHandler");
  JNIEnv* env = mainThreadEnv();
  // Interleaved with a complete handler: each event looks its own class up.
  for (KeyCode code : {16, 17, 18}) {
    deliverKeyPressed(partial.ref(), code);
    EXPECT_FALSE(env->ExceptionCheck()) << "the failed lookup left an exception pending";
    deliverKeyPressed(recording.ref(), code);
    deliverKeyReleased(partial.ref(), code);
  }
  EXPECT_EQ(partial.takeEvents(), "R16 R17 R18");
  EXPECT_EQ(recording.takeEvents(), "P16 P17 P18");
}

INSTANTIATE_TEST_SUITE_P(HandlerClasses, MissingPressMethodTest,
                         ::testing::Values("ReleaseOnlyHandler", "IntPressHandler"),
                         [](const ::testing::TestParamInfo<const char*>& testCase) {
                           return std::string(testCase.param);
                         });

TEST_F(WindowsDeliveryTest, HandlerThatThrowsStillGetsTheNextEvents) {
  TestHandler throwing("ThrowingHandler");
  JNIEnv* env = mainThreadEnv();
  for (KeyCode code : {30, 31}) {
    deliverKeyPressed(throwing.ref(), code);
    EXPECT_FALSE(env->ExceptionCheck()) << "the handler's exception was left pending";
    deliverKeyReleased(throwing.ref(), code);
  }
  EXPECT_EQ(throwing.takeEvents(), "P30 R30 P31 R31");
}

// A stand-in VM that counts the calls of its invocation interface. The
// environment it hands out has no functions at all, so any use of it crashes.
struct FakeVm {
  jint attachResult = JNI_OK;
  bool yieldsEnv = false;
  int attaches = 0;
  int otherCalls = 0;
  void* lastAttachArgs = nullptr;

  JNINativeInterface_ trapFunctions{};
  JNIEnv trapEnv{&trapFunctions};
  JNIInvokeInterface_ functions{};
  JavaVM vm{&functions};
};

FakeVm* fakeVm = nullptr;

jint JNICALL fakeAttach(JavaVM*, void** env, void* args) {
  ++fakeVm->attaches;
  fakeVm->lastAttachArgs = args;
  *env = fakeVm->yieldsEnv ? &fakeVm->trapEnv : nullptr;
  return fakeVm->attachResult;
}
jint JNICALL fakeOther(JavaVM*) {
  ++fakeVm->otherCalls;
  return JNI_ERR;
}
jint JNICALL fakeGetEnv(JavaVM*, void**, jint) {
  ++fakeVm->otherCalls;
  return JNI_ERR;
}
jint JNICALL fakeAttachAsDaemon(JavaVM*, void**, void*) {
  ++fakeVm->otherCalls;
  return JNI_ERR;
}

struct FakeVmCase {
  const char* name;
  bool nullHandler;
  bool vmSaved;
  jint attachResult;
  bool yieldsEnv;
  int expectedAttaches;  // for one press and one release
};

void PrintTo(const FakeVmCase& c, std::ostream* out) { *out << c.name; }

class FakeVmTest : public ::testing::TestWithParam<FakeVmCase> {
 protected:
  void SetUp() override {
    fake_.functions.DestroyJavaVM = fakeOther;
    fake_.functions.AttachCurrentThread = fakeAttach;
    fake_.functions.DetachCurrentThread = fakeOther;
    fake_.functions.GetEnv = fakeGetEnv;
    fake_.functions.AttachCurrentThreadAsDaemon = fakeAttachAsDaemon;
    fakeVm = &fake_;
  }
  void TearDown() override {
    stateBlock.savedVm = nullptr;
    fakeVm = nullptr;
  }
  FakeVm fake_;
};

TEST_P(FakeVmTest, DeliveryStopsBeforeUsingAnyEnvironment) {
  const FakeVmCase& c = GetParam();
  fake_.attachResult = c.attachResult;
  fake_.yieldsEnv = c.yieldsEnv;
  stateBlock.savedVm = c.vmSaved ? &fake_.vm : nullptr;
  static char notAJavaObject;
  HandlerRef handler = c.nullHandler ? nullptr : reinterpret_cast<HandlerRef>(&notAJavaObject);

  deliverKeyPressed(handler, 29);
  deliverKeyReleased(handler, 29);

  EXPECT_EQ(fake_.attaches, c.expectedAttaches);
  EXPECT_EQ(fake_.otherCalls, 0) << "only AttachCurrentThread may be called; never a detach";
  EXPECT_EQ(fake_.lastAttachArgs, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FakeVmTest,
    ::testing::Values(FakeVmCase{"NullHandler", true, true, JNI_OK, true, 0},
                      FakeVmCase{"AttachFails", false, true, JNI_ERR, true, 2},
                      FakeVmCase{"AttachYieldsNoEnv", false, true, JNI_OK, false, 2},
                      FakeVmCase{"NoVmSavedYet", false, false, JNI_OK, true, 0}),
    [](const ::testing::TestParamInfo<FakeVmCase>& testCase) {
      return std::string(testCase.param.name);
    });

}  // namespace
