// When the component's window cannot be found through JAWT, neither entry
// point touches the window or the table, and the lookup releases exactly
// what it had acquired, in order.
#include <vector>

#include "fake_java_vm.h"
#include "key_messages.h"
#include "strokelink_fixture.h"

namespace {

using fake_java::globallyReferencedHandlers;
using fake_java::newHandler;
using fake_java::Notification;
using fake_java::pressed;
using fake_java::takeNotifications;
using Names = std::vector<std::string>;

struct LookupFailure {
  const char* name;
  JawtFailure failure;
  std::vector<JawtCall> calls;
};

void PrintTo(const LookupFailure& failure, std::ostream* out) { *out << failure.name; }

class LookupFailures : public StrokelinkTest, public testing::WithParamInterface<LookupFailure> {};

TEST_P(LookupFailures, LeaveRegistrationUndone) {
  TestWindow window;
  standInJawtFailAt(GetParam().failure);
  registerWindow(window, newHandler("handler"));

  EXPECT_EQ(jawtCallsSinceClear(), GetParam().calls);
  EXPECT_EQ(window.currentProc(), window.originalProc());
  EXPECT_EQ(globallyReferencedHandlers(), Names{});

  // Had the failed call left an entry behind, one unregistration would not
  // restore the window.
  standInJawtFailAt(JawtFailure::kNone);
  registerWindow(window, newHandler("handler"));
  unregisterWindow(window);
  EXPECT_EQ(window.currentProc(), window.originalProc());
}

TEST_P(LookupFailures, LeaveTheRegistrationInPlaceAtUnregistration) {
  TestWindow window;
  registerWindow(window, newHandler("handler"));
  const WNDPROC subclassed = window.currentProc();
  standInJawtFailAt(GetParam().failure);
  standInJawtClearLog();

  unregisterWindow(window);
  EXPECT_EQ(jawtCallsSinceClear(), GetParam().calls);
  EXPECT_EQ(window.currentProc(), subclassed);
  EXPECT_EQ(globallyReferencedHandlers(), Names{"handler"});
  sendKey(window.handle(), {WM_KEYDOWN, 'A', 0x1E, false});
  EXPECT_EQ(takeNotifications(), std::vector<Notification>{pressed("handler", 30)});

  standInJawtFailAt(JawtFailure::kNone);
  unregisterWindow(window);
  EXPECT_EQ(window.currentProc(), window.originalProc());
}

INSTANTIATE_TEST_SUITE_P(
    EntryPoints, LookupFailures,
    testing::Values(LookupFailure{"NoAwt", JawtFailure::kGetAwt, {JawtCall::kGetAwt}},
                    LookupFailure{"NoDrawingSurface",
                                  JawtFailure::kGetDrawingSurface,
                                  {JawtCall::kGetAwt, JawtCall::kGetDrawingSurface}},
                    LookupFailure{"LockError",
                                  JawtFailure::kLock,
                                  {JawtCall::kGetAwt, JawtCall::kGetDrawingSurface, JawtCall::kLock,
                                   JawtCall::kFreeDrawingSurface}},
                    LookupFailure{"NoSurfaceInfo",
                                  JawtFailure::kGetDrawingSurfaceInfo,
                                  {JawtCall::kGetAwt, JawtCall::kGetDrawingSurface, JawtCall::kLock,
                                   JawtCall::kGetDrawingSurfaceInfo, JawtCall::kUnlock,
                                   JawtCall::kFreeDrawingSurface}},
                    LookupFailure{
                        "NoWindowInSurfaceInfo",
                        JawtFailure::kNoWindow,
                        {JawtCall::kGetAwt, JawtCall::kGetDrawingSurface, JawtCall::kLock,
                         JawtCall::kGetDrawingSurfaceInfo, JawtCall::kFreeDrawingSurfaceInfo,
                         JawtCall::kUnlock, JawtCall::kFreeDrawingSurface}}),
    [](const testing::TestParamInfo<LookupFailure>& parameter) { return parameter.param.name; });

}  // namespace
