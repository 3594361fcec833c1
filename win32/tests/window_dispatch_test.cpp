// What the component's own window procedure sees while it is subclassed.
#include <gtest/gtest.h>

#include "win32_test_fixture.h"

namespace {

constexpr UINT kWmSetText = 0x000C;
constexpr UINT kWmPaint = 0x000F;

class WindowDispatch : public Win32Test, public ::testing::WithParamInterface<bool> {};

TEST_P(WindowDispatch, OtherMessagesReachThePreviousProcedureUnchanged) {
  HostWindow window;
  window.unicode = GetParam();
  subclass(window, fake_java::newHandler("A"));

  for (UINT message : {WM_CHAR, kWmSetText, kWmPaint}) {
    componentLog = {};
    const WPARAM wParam = 0x3042;
    const LPARAM lParam = 0x12345678;
    EXPECT_EQ(send(window, message, wParam, lParam), 0x5A5A);
    EXPECT_EQ(componentLog.calls, 1);
    EXPECT_EQ(componentLog.message, message);
    EXPECT_EQ(componentLog.wParam, wParam);
    EXPECT_EQ(componentLog.lParam, lParam);
  }
  // Text messages of a Unicode window must not go through the ANSI call.
  EXPECT_EQ(window.unicodeCalls, window.unicode ? 3 : 0);
  EXPECT_EQ(window.ansiCalls, window.unicode ? 0 : 3);
}

TEST_P(WindowDispatch, KeyMessagesAreConsumed) {
  HostWindow window;
  window.unicode = GetParam();
  subclass(window, fake_java::newHandler("A"));
  for (UINT message : {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP}) {
    EXPECT_EQ(send(window, message, 'A', keyLParam(0x1E, false)), 0);
  }
  EXPECT_EQ(componentLog.calls, 0);
  EXPECT_EQ(window.ansiCalls + window.unicodeCalls, 0);
  EXPECT_EQ(fake_java::takeNotifications().size(), 4u);
}

TEST_P(WindowDispatch, MessageAfterUnregistrationGoesToTheRestoredProcedure) {
  // A message already on its way into keyWindowProc when the entry goes.
  HostWindow window;
  window.unicode = GetParam();
  window.proc = componentProc;
  EXPECT_EQ(keyWindowProc(&window, kWmPaint, 1, 2), 0x5A5A);
  EXPECT_EQ(componentLog.calls, 1);
  EXPECT_EQ(componentLog.wParam, 1u);
}

TEST_P(WindowDispatch, MessageForAWindowStillRunningTheFilterGetsDefaultHandling) {
  HostWindow window;
  window.unicode = GetParam();
  window.proc = keyWindowProc;
  EXPECT_EQ(keyWindowProc(&window, kWmPaint, 1, 2), 0);
  EXPECT_EQ(window.defaultCalls, 1);
  EXPECT_EQ(window.unicode ? window.unicodeCalls : window.ansiCalls, 1);
}

INSTANTIATE_TEST_SUITE_P(UnicodeAndAnsi, WindowDispatch, ::testing::Bool(),
                         [](const auto& param) { return param.param ? "Unicode" : "Ansi"; });

}  // namespace
