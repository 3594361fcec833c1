// Delivery the X11 way: the environment comes from libjava's JNU_GetEnv and
// libawt's jvm, both the real ones of the JDK (AWT was loaded into the test
// VM), and only an attached thread has one.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "common/handler_notification_x11.h"
#include "java_vm.h"

namespace {

struct X11Case {
  const char* name;
  bool onMainThread;
  bool attachFirst;  // a native thread attached to the VM, like AWT's toolkit thread
  const char* expectedEvents;
};

void PrintTo(const X11Case& c, std::ostream* out) { *out << c.name; }

class X11DeliveryTest : public JavaVmTest, public ::testing::WithParamInterface<X11Case> {};

TEST_P(X11DeliveryTest, OnlyAnAttachedThreadGetsAnEnvironmentAndDelivers) {
  const X11Case& c = GetParam();
  TestHandler handler("RecordingHandler");
  auto onEventThread = [&] {
    JNIEnv* ownEnv = attachedEnv();
    JNIEnv* env = currentEventEnv();
    EXPECT_EQ(env, ownEnv);
    deliverKeyPressed(env, handler.ref(), 38);
    deliverKeyReleased(env, handler.ref(), 38);
    EXPECT_EQ(attachedEnv(), ownEnv) << "getting the environment must not attach or detach";
  };
  if (c.onMainThread) {
    onEventThread();
  } else {
    runOnNativeThread([&] {
      if (c.attachFirst) {
        void* env = nullptr;
        ASSERT_EQ(testVm()->AttachCurrentThread(&env, nullptr), JNI_OK);
      }
      onEventThread();
    });
  }
  EXPECT_EQ(handler.takeEvents(), c.expectedEvents);
}

INSTANTIATE_TEST_SUITE_P(EventThreads, X11DeliveryTest,
                         ::testing::Values(X11Case{"MainThread", true, false, "P38 R38"},
                                           X11Case{"AttachedNativeThread", false, true, "P38 R38"},
                                           X11Case{"UnattachedNativeThread", false, false, ""}),
                         [](const ::testing::TestParamInfo<X11Case>& testCase) {
                           return std::string(testCase.param.name);
                         });

}  // namespace
