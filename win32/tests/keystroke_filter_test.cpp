// Key message sequences in, notifications out: the keystroke filter as the
// handlers see it, message by message.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "win32_test_fixture.h"

namespace {

enum WindowId { kA, kB, kNullHandler, kWindowCount };
constexpr int kHandlerA = 1;
constexpr int kHandlerB = 2;

// Virtual keys of the Japanese keys (as a Japanese layout reports them) and C.
constexpr WPARAM kVkC = 'C';
constexpr WPARAM kVkKana = 0xF2;
constexpr WPARAM kVkHankaku = 0xF3;

struct Step {
  WindowId window;
  UINT message;
  WPARAM vk;
  unsigned scan;
  bool extended;
  std::vector<Notification> expected;  // what this message alone produces
};

struct FilterCase {
  const char* name;
  const char* layout;
  std::vector<Step> steps;
};

std::ostream& operator<<(std::ostream& out, const FilterCase& c) { return out << c.name; }

Notification press(int handler, int code) { return {handler, true, code}; }
Notification release(int handler, int code) { return {handler, false, code}; }

class KeystrokeFilter : public Win32Test, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(KeystrokeFilter, ReportsTheExpectedNotifications) {
  const FilterCase& c = GetParam();
  hostWin32::setKeyboardLayoutName(c.layout);
  FakeHandler handlerA{kHandlerA};
  FakeHandler handlerB{kHandlerB};
  HostWindow windows[kWindowCount];
  subclass(windows[kA], &handlerA);
  subclass(windows[kB], &handlerB);
  subclass(windows[kNullHandler], nullptr);

  size_t seen = 0;
  for (size_t i = 0; i < c.steps.size(); ++i) {
    const Step& step = c.steps[i];
    SCOPED_TRACE("message " + std::to_string(i + 1));
    EXPECT_EQ(
        send(windows[step.window], step.message, step.vk, keyLParam(step.scan, step.extended)), 0);
    const std::vector<Notification> all = jni.notifications();
    ASSERT_GE(all.size(), seen);
    EXPECT_EQ(std::vector<Notification>(all.begin() + static_cast<long>(seen), all.end()),
              step.expected);
    seen = all.size();
  }
  // Key messages never reach the component, and every local reference taken
  // during delivery has been given back.
  EXPECT_EQ(componentLog.calls, 0);
  EXPECT_EQ(jni.liveLocalRefs(), 0);
}

constexpr const char* kUs = "00000409";
constexpr const char* kJapanese = "E0010411";

INSTANTIATE_TEST_SUITE_P(
    Sequences, KeystrokeFilter,
    ::testing::Values(
        FilterCase{"CtrlPressReportedWithItsRelease",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_KEYUP, VK_CONTROL, 0x1D, false, {press(1, 29), release(1, 29)}}}},
        FilterCase{"CtrlC",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_KEYDOWN, kVkC, 0x2E, false, {press(1, 29), press(1, 46)}},
                    {kA, WM_KEYUP, kVkC, 0x2E, false, {release(1, 46)}},
                    {kA, WM_KEYUP, VK_CONTROL, 0x1D, false, {release(1, 29)}}}},
        FilterCase{"RightCtrl",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, true, {}},
                    {kA, WM_KEYUP, VK_CONTROL, 0x1D, true, {press(1, 101), release(1, 101)}}}},
        FilterCase{"AltGr",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_KEYDOWN, VK_MENU, 0x38, true, {press(1, 105)}},
                    {kA, WM_SYSKEYUP, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_KEYUP, VK_MENU, 0x38, true, {release(1, 105)}}}},
        FilterCase{"CtrlThenLeftAlt",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_KEYDOWN, VK_MENU, 0x38, false, {press(1, 29), press(1, 56)}}}},
        FilterCase{"SystemRightAlt",
                   kUs,
                   {{kA, WM_SYSKEYDOWN, VK_MENU, 0x38, true, {press(1, 105)}},
                    {kA, WM_SYSKEYUP, VK_MENU, 0x38, true, {release(1, 105)}}}},
        FilterCase{"SystemRightMenu",
                   kUs,
                   {{kA, WM_SYSKEYDOWN, VK_RMENU, 0x38, true, {press(1, 105)}},
                    {kA, WM_SYSKEYUP, VK_RMENU, 0x38, true, {release(1, 105)}}}},
        FilterCase{"SystemLeftAlt",
                   kUs,
                   {{kA, WM_SYSKEYDOWN, VK_MENU, 0x38, false, {press(1, 56)}},
                    {kA, WM_SYSKEYUP, VK_MENU, 0x38, false, {release(1, 56)}}}},
        FilterCase{"CtrlAutoRepeat",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {press(1, 29)}},
                    {kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {press(1, 29)}}}},
        FilterCase{"CtrlBeforeSystemKey",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_SYSKEYDOWN, 'X', 0x2D, false, {press(1, 29), press(1, 45)}}}},
        FilterCase{"HeldBackCtrlGoesToNextWindowsHandler",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kB, WM_KEYDOWN, kVkC, 0x2E, false, {press(2, 29), press(2, 46)}}}},
        FilterCase{"CtrlKeyUpDuringAltGrIsReported",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_KEYDOWN, VK_MENU, 0x38, true, {press(1, 105)}},
                    {kA, WM_KEYUP, VK_CONTROL, 0x1D, false, {release(1, 29)}}}},
        FilterCase{"AltGrStaysActiveThroughSystemAltReleases",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_KEYDOWN, VK_MENU, 0x38, true, {press(1, 105)}},
                    {kA, WM_SYSKEYUP, VK_MENU, 0x38, true, {release(1, 105)}},
                    {kA, WM_SYSKEYUP, VK_MENU, 0x38, false, {release(1, 56)}},
                    {kA, WM_SYSKEYUP, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_KEYUP, VK_MENU, 0x38, false, {release(1, 105)}},
                    {kA, WM_SYSKEYUP, VK_CONTROL, 0x1D, false, {release(1, 29)}}}},
        FilterCase{"RightCtrlThenRightAltIsAltGr",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, true, {}},
                    {kA, WM_KEYDOWN, VK_MENU, 0x38, true, {press(1, 105)}},
                    {kA, WM_KEYUP, VK_CONTROL, 0x1D, true, {release(1, 101)}}}},
        FilterCase{"LeftCtrlThenRightCtrl",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_KEYDOWN, VK_CONTROL, 0x1D, true, {press(1, 29)}}}},
        FilterCase{"RightAltWithoutCtrl",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_MENU, 0x38, true, {press(1, 105)}},
                    {kA, WM_KEYUP, VK_MENU, 0x38, true, {release(1, 105)}}}},
        FilterCase{"Pause",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_PAUSE, 0x45, false, {press(1, 102)}},
                    {kA, WM_KEYUP, VK_PAUSE, 0x45, false, {release(1, 102)}}}},
        FilterCase{"NullHandlerConsumesKeys",
                   kUs,
                   {{kNullHandler, WM_KEYDOWN, kVkC, 0x2E, false, {}},
                    {kNullHandler, WM_KEYUP, kVkC, 0x2E, false, {}},
                    {kNullHandler, WM_SYSKEYDOWN, VK_MENU, 0x38, false, {}},
                    {kNullHandler, WM_SYSKEYUP, VK_MENU, 0x38, false, {}},
                    {kA, WM_KEYDOWN, kVkC, 0x2E, false, {press(1, 46)}}}},
        FilterCase{"CtrlHeldBackThenNullHandlerWindowDropsIt",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kNullHandler, WM_KEYDOWN, kVkC, 0x2E, false, {}},
                    {kA, WM_KEYUP, VK_CONTROL, 0x1D, false, {release(1, 29)}}}},
        FilterCase{"JapaneseSingleMessageKey",
                   kJapanese,
                   {{kA, WM_KEYDOWN, kVkKana, 0x70, false, {press(1, 112), release(1, 112)}},
                    {kA, WM_KEYUP, kVkKana, 0x70, false, {press(1, 112), release(1, 112)}}}},
        FilterCase{"JapaneseToggleKeyAlternates",
                   kJapanese,
                   {{kA, WM_KEYDOWN, kVkHankaku, 0x29, false, {press(1, 41)}},
                    {kA, WM_KEYUP, kVkHankaku, 0x29, false, {release(1, 41)}},
                    {kA, WM_KEYUP, kVkHankaku, 0x29, false, {press(1, 41)}},
                    {kA, WM_KEYDOWN, kVkHankaku, 0x29, false, {release(1, 41)}},
                    {kA, WM_KEYDOWN, kVkHankaku, 0x29, false, {press(1, 41)}}}},
        FilterCase{"JapaneseSystemMessagesAreOrdinaryAndKeepTheToggle",
                   kJapanese,
                   {{kA, WM_SYSKEYDOWN, kVkHankaku, 0x29, false, {press(1, 41)}},
                    {kA, WM_SYSKEYUP, kVkHankaku, 0x29, false, {release(1, 41)}},
                    {kA, WM_SYSKEYDOWN, kVkKana, 0x70, false, {press(1, 112)}},
                    {kA, WM_KEYUP, kVkHankaku, 0x29, false, {press(1, 41)}}}},
        FilterCase{"JapaneseKeysAreOrdinaryOnOtherLayouts",
                   kUs,
                   {{kA, WM_KEYDOWN, kVkKana, 0x70, false, {press(1, 112)}},
                    {kA, WM_KEYUP, kVkKana, 0x70, false, {release(1, 112)}},
                    {kA, WM_KEYDOWN, kVkHankaku, 0x29, false, {press(1, 41)}},
                    {kA, WM_KEYDOWN, kVkHankaku, 0x29, false, {press(1, 41)}},
                    {kA, WM_KEYUP, kVkHankaku, 0x29, false, {release(1, 41)}}}},
        FilterCase{"JapaneseLayoutQueryFailing",
                   nullptr,
                   {{kA, WM_KEYDOWN, kVkKana, 0x70, false, {press(1, 112)}},
                    {kA, WM_KEYUP, kVkHankaku, 0x29, false, {release(1, 41)}}}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(Win32Test, HeldBackCtrlWaitsForTheNextKeyMessage) {
  FakeHandler handler{kHandlerA};
  HostWindow window;
  subclass(window, &handler);
  send(window, WM_KEYDOWN, VK_CONTROL, keyLParam(0x1D, false));
  // Other messages do not settle it.
  send(window, WM_CHAR, 'a', 0);
  EXPECT_TRUE(jni.notifications().empty());
  EXPECT_TRUE(stateBlock.pendingCtrl);
  send(window, WM_KEYUP, 'A', keyLParam(0x1E, false));
  EXPECT_EQ(jni.notifications(), (std::vector<Notification>{press(1, 29), release(1, 30)}));
}

TEST_F(Win32Test, NullHandlerTouchesNoVm) {
  HostWindow window;
  subclass(window, nullptr);
  send(window, WM_KEYDOWN, kVkC, keyLParam(0x2E, false));
  send(window, WM_KEYUP, kVkC, keyLParam(0x2E, false));
  EXPECT_EQ(jni.attachCalls(), 0);
  EXPECT_TRUE(jni.notifications().empty());
}

TEST_F(Win32Test, FailedAttachDeliversNothingAndKeepsGoing) {
  FakeHandler handler{kHandlerA};
  HostWindow window;
  subclass(window, &handler);
  jni.failAttach(true);
  EXPECT_EQ(send(window, WM_KEYDOWN, kVkC, keyLParam(0x2E, false)), 0);
  EXPECT_TRUE(jni.notifications().empty());
  jni.failAttach(false);
  send(window, WM_KEYUP, kVkC, keyLParam(0x2E, false));
  EXPECT_EQ(jni.notifications(), (std::vector<Notification>{release(1, 46)}));
}

TEST_F(Win32Test, MissingPressMethodStillGetsReleases) {
  FakeHandler handler{kHandlerA};
  handler.hasNotifyKeyPressed = false;
  HostWindow window;
  subclass(window, &handler);
  for (int i = 0; i < 3; ++i) {
    send(window, WM_KEYDOWN, kVkC, keyLParam(0x2E, false));
    send(window, WM_KEYUP, kVkC, keyLParam(0x2E, false));
  }
  EXPECT_EQ(jni.notifications(), (std::vector<Notification>(3, release(1, 46))));
  EXPECT_FALSE(jni.exceptionPending());
}

}  // namespace
