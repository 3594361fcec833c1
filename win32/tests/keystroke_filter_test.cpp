// Key message sequences in, notifications out: the keystroke filter as the
// handlers see it, message by message.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "win32_test_fixture.h"

namespace {

enum WindowId { kA, kB, kNullHandler, kWindowCount };

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

class KeystrokeFilter : public Win32Test, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(KeystrokeFilter, ReportsTheExpectedNotifications) {
  const FilterCase& c = GetParam();
  hostWin32::setKeyboardLayoutName(c.layout);
  HostWindow windows[kWindowCount];
  subclass(windows[kA], fake_java::newHandler("A"));
  subclass(windows[kB], fake_java::newHandler("B"));
  subclass(windows[kNullHandler], nullptr);

  for (size_t i = 0; i < c.steps.size(); ++i) {
    const Step& step = c.steps[i];
    SCOPED_TRACE("message " + std::to_string(i + 1));
    EXPECT_EQ(
        send(windows[step.window], step.message, step.vk, keyLParam(step.scan, step.extended)), 0);
    EXPECT_EQ(fake_java::takeNotifications(), step.expected);
  }
  // Key messages never reach the component.
  EXPECT_EQ(componentLog.calls, 0);
}

constexpr const char* kUs = "00000409";
constexpr const char* kJapanese = "E0010411";

INSTANTIATE_TEST_SUITE_P(
    Sequences, KeystrokeFilter,
    ::testing::Values(
        FilterCase{
            "CtrlPressReportedWithItsRelease",
            kUs,
            {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
             {kA, WM_KEYUP, VK_CONTROL, 0x1D, false, {pressed("A", 29), released("A", 29)}}}},
        FilterCase{"CtrlC",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_KEYDOWN, kVkC, 0x2E, false, {pressed("A", 29), pressed("A", 46)}},
                    {kA, WM_KEYUP, kVkC, 0x2E, false, {released("A", 46)}},
                    {kA, WM_KEYUP, VK_CONTROL, 0x1D, false, {released("A", 29)}}}},
        FilterCase{
            "RightCtrl",
            kUs,
            {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, true, {}},
             {kA, WM_KEYUP, VK_CONTROL, 0x1D, true, {pressed("A", 101), released("A", 101)}}}},
        FilterCase{"AltGr",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_KEYDOWN, VK_MENU, 0x38, true, {pressed("A", 105)}},
                    {kA, WM_SYSKEYUP, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_KEYUP, VK_MENU, 0x38, true, {released("A", 105)}}}},
        FilterCase{"CtrlThenLeftAlt",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_KEYDOWN, VK_MENU, 0x38, false, {pressed("A", 29), pressed("A", 56)}}}},
        FilterCase{"SystemRightAlt",
                   kUs,
                   {{kA, WM_SYSKEYDOWN, VK_MENU, 0x38, true, {pressed("A", 105)}},
                    {kA, WM_SYSKEYUP, VK_MENU, 0x38, true, {released("A", 105)}}}},
        FilterCase{"SystemRightMenu",
                   kUs,
                   {{kA, WM_SYSKEYDOWN, VK_RMENU, 0x38, true, {pressed("A", 105)}},
                    {kA, WM_SYSKEYUP, VK_RMENU, 0x38, true, {released("A", 105)}}}},
        FilterCase{"SystemLeftAlt",
                   kUs,
                   {{kA, WM_SYSKEYDOWN, VK_MENU, 0x38, false, {pressed("A", 56)}},
                    {kA, WM_SYSKEYUP, VK_MENU, 0x38, false, {released("A", 56)}}}},
        FilterCase{"CtrlAutoRepeat",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {pressed("A", 29)}},
                    {kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {pressed("A", 29)}}}},
        FilterCase{"CtrlBeforeSystemKey",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_SYSKEYDOWN, 'X', 0x2D, false, {pressed("A", 29), pressed("A", 45)}}}},
        FilterCase{"HeldBackCtrlGoesToNextWindowsHandler",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kB, WM_KEYDOWN, kVkC, 0x2E, false, {pressed("B", 29), pressed("B", 46)}}}},
        FilterCase{"CtrlKeyUpDuringAltGrIsReported",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_KEYDOWN, VK_MENU, 0x38, true, {pressed("A", 105)}},
                    {kA, WM_KEYUP, VK_CONTROL, 0x1D, false, {released("A", 29)}}}},
        FilterCase{"AltGrStaysActiveThroughSystemAltReleases",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_KEYDOWN, VK_MENU, 0x38, true, {pressed("A", 105)}},
                    {kA, WM_SYSKEYUP, VK_MENU, 0x38, true, {released("A", 105)}},
                    {kA, WM_SYSKEYUP, VK_MENU, 0x38, false, {released("A", 56)}},
                    {kA, WM_SYSKEYUP, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_KEYUP, VK_MENU, 0x38, false, {released("A", 105)}},
                    {kA, WM_SYSKEYUP, VK_CONTROL, 0x1D, false, {released("A", 29)}}}},
        FilterCase{"RightCtrlThenRightAltIsAltGr",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, true, {}},
                    {kA, WM_KEYDOWN, VK_MENU, 0x38, true, {pressed("A", 105)}},
                    {kA, WM_KEYUP, VK_CONTROL, 0x1D, true, {released("A", 101)}}}},
        FilterCase{"LeftCtrlThenRightCtrl",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kA, WM_KEYDOWN, VK_CONTROL, 0x1D, true, {pressed("A", 29)}}}},
        FilterCase{"RightAltWithoutCtrl",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_MENU, 0x38, true, {pressed("A", 105)}},
                    {kA, WM_KEYUP, VK_MENU, 0x38, true, {released("A", 105)}}}},
        FilterCase{"Pause",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_PAUSE, 0x45, false, {pressed("A", 102)}},
                    {kA, WM_KEYUP, VK_PAUSE, 0x45, false, {released("A", 102)}}}},
        FilterCase{"NullHandlerConsumesKeys",
                   kUs,
                   {{kNullHandler, WM_KEYDOWN, kVkC, 0x2E, false, {}},
                    {kNullHandler, WM_KEYUP, kVkC, 0x2E, false, {}},
                    {kNullHandler, WM_SYSKEYDOWN, VK_MENU, 0x38, false, {}},
                    {kNullHandler, WM_SYSKEYUP, VK_MENU, 0x38, false, {}},
                    {kA, WM_KEYDOWN, kVkC, 0x2E, false, {pressed("A", 46)}}}},
        FilterCase{"CtrlHeldBackThenNullHandlerWindowDropsIt",
                   kUs,
                   {{kA, WM_KEYDOWN, VK_CONTROL, 0x1D, false, {}},
                    {kNullHandler, WM_KEYDOWN, kVkC, 0x2E, false, {}},
                    {kA, WM_KEYUP, VK_CONTROL, 0x1D, false, {released("A", 29)}}}},
        FilterCase{"JapaneseSingleMessageKey",
                   kJapanese,
                   {{kA, WM_KEYDOWN, kVkKana, 0x70, false, {pressed("A", 112), released("A", 112)}},
                    {kA, WM_KEYUP, kVkKana, 0x70, false, {pressed("A", 112), released("A", 112)}}}},
        FilterCase{"JapaneseToggleKeyAlternates",
                   kJapanese,
                   {{kA, WM_KEYDOWN, kVkHankaku, 0x29, false, {pressed("A", 41)}},
                    {kA, WM_KEYUP, kVkHankaku, 0x29, false, {released("A", 41)}},
                    {kA, WM_KEYUP, kVkHankaku, 0x29, false, {pressed("A", 41)}},
                    {kA, WM_KEYDOWN, kVkHankaku, 0x29, false, {released("A", 41)}},
                    {kA, WM_KEYDOWN, kVkHankaku, 0x29, false, {pressed("A", 41)}}}},
        FilterCase{"JapaneseSystemMessagesAreOrdinaryAndKeepTheToggle",
                   kJapanese,
                   {{kA, WM_SYSKEYDOWN, kVkHankaku, 0x29, false, {pressed("A", 41)}},
                    {kA, WM_SYSKEYUP, kVkHankaku, 0x29, false, {released("A", 41)}},
                    {kA, WM_SYSKEYDOWN, kVkKana, 0x70, false, {pressed("A", 112)}},
                    {kA, WM_KEYUP, kVkHankaku, 0x29, false, {pressed("A", 41)}}}},
        FilterCase{"JapaneseKeysAreOrdinaryOnOtherLayouts",
                   kUs,
                   {{kA, WM_KEYDOWN, kVkKana, 0x70, false, {pressed("A", 112)}},
                    {kA, WM_KEYUP, kVkKana, 0x70, false, {released("A", 112)}},
                    {kA, WM_KEYDOWN, kVkHankaku, 0x29, false, {pressed("A", 41)}},
                    {kA, WM_KEYDOWN, kVkHankaku, 0x29, false, {pressed("A", 41)}},
                    {kA, WM_KEYUP, kVkHankaku, 0x29, false, {released("A", 41)}}}},
        FilterCase{"JapaneseLayoutQueryFailing",
                   nullptr,
                   {{kA, WM_KEYDOWN, kVkKana, 0x70, false, {pressed("A", 112)}},
                    {kA, WM_KEYUP, kVkHankaku, 0x29, false, {released("A", 41)}}}}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(Win32Test, HeldBackCtrlWaitsForTheNextKeyMessage) {
  HostWindow window;
  subclass(window, fake_java::newHandler("A"));
  send(window, WM_KEYDOWN, VK_CONTROL, keyLParam(0x1D, false));
  // Other messages do not settle it.
  send(window, WM_CHAR, 'a', 0);
  EXPECT_EQ(fake_java::takeNotifications(), std::vector<Notification>{});
  EXPECT_TRUE(stateBlock.pendingCtrl);
  send(window, WM_KEYUP, 'A', keyLParam(0x1E, false));
  EXPECT_EQ(fake_java::takeNotifications(),
            (std::vector<Notification>{pressed("A", 29), released("A", 30)}));
}

TEST_F(Win32Test, NullHandlerTouchesNoVm) {
  HostWindow window;
  subclass(window, nullptr);
  send(window, WM_KEYDOWN, kVkC, keyLParam(0x2E, false));
  send(window, WM_KEYUP, kVkC, keyLParam(0x2E, false));
  EXPECT_EQ(fake_java::takeAttachCalls(), 0);
  EXPECT_EQ(fake_java::takeNotifications(), std::vector<Notification>{});
}

TEST_F(Win32Test, FailedAttachDeliversNothingAndKeepsGoing) {
  HostWindow window;
  subclass(window, fake_java::newHandler("A"));
  fake_java::failAttach(true);
  EXPECT_EQ(send(window, WM_KEYDOWN, kVkC, keyLParam(0x2E, false)), 0);
  EXPECT_EQ(fake_java::takeNotifications(), std::vector<Notification>{});
  fake_java::failAttach(false);
  send(window, WM_KEYUP, kVkC, keyLParam(0x2E, false));
  EXPECT_EQ(fake_java::takeNotifications(), (std::vector<Notification>{released("A", 46)}));
}

TEST_F(Win32Test, MissingPressMethodStillGetsReleases) {
  HostWindow window;
  subclass(window, fake_java::newHandler("A", false));
  for (int i = 0; i < 3; ++i) {
    send(window, WM_KEYDOWN, kVkC, keyLParam(0x2E, false));
    send(window, WM_KEYUP, kVkC, keyLParam(0x2E, false));
  }
  EXPECT_EQ(fake_java::takeNotifications(), (std::vector<Notification>(3, released("A", 46))));
  EXPECT_FALSE(fake_java::exceptionPendingOnThisThread());
}

}  // namespace
