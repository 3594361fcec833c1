// Registration and unregistration through the real strokelink.dll: the
// window procedure swap, the handler's global reference, the JAWT calls,
// and what happens to key and other messages in between.
#include <vector>

#include "fake_java_vm.h"
#include "key_messages.h"
#include "strokelink_fixture.h"

namespace {

using fake_java::globallyReferencedHandlers;
using fake_java::newHandler;
using fake_java::Notification;
using fake_java::pressed;
using fake_java::released;
using fake_java::takeNotifications;
using Names = std::vector<std::string>;

const std::vector<JawtCall> kLookupOpenedAndClosed = {
    JawtCall::kGetAwt,
    JawtCall::kGetDrawingSurface,
    JawtCall::kLock,
    JawtCall::kGetDrawingSurfaceInfo,
    JawtCall::kFreeDrawingSurfaceInfo,
    JawtCall::kUnlock,
    JawtCall::kFreeDrawingSurface,
};

constexpr KeyMessage kKeyADown = {WM_KEYDOWN, 'A', 0x1E, false};
constexpr KeyMessage kKeyAUp = {WM_KEYUP, 'A', 0x1E, false};

class Registration : public StrokelinkTest {};

TEST_F(Registration, UnregistrationRestoresTheProcedureAndDeletesTheReference) {
  TestWindow window;
  jobject handler = newHandler("handler");

  registerWindow(window, handler);
  EXPECT_NE(window.currentProc(), window.originalProc());
  EXPECT_EQ(globallyReferencedHandlers(), Names{"handler"});
  EXPECT_EQ(jawtCallsSinceClear(), kLookupOpenedAndClosed);
  EXPECT_EQ(standInJawtLog().lastRequestedVersion, 0x00010003);

  standInJawtClearLog();
  unregisterWindow(window, handler);
  EXPECT_EQ(window.currentProc(), window.originalProc());
  EXPECT_EQ(globallyReferencedHandlers(), Names{});
  EXPECT_EQ(jawtCallsSinceClear(), kLookupOpenedAndClosed);
}

TEST_F(Registration, OtherMessagesReachTheOriginalProcedureWithArgumentsAndResult) {
  TestWindow window;
  registerWindow(window, newHandler("handler"));

  const LPARAM negative = -12345;
  EXPECT_EQ(SendMessageW(window.handle(), WM_APP + 7, 0xBEEF, negative),
            answerFor(WM_APP + 7, 0xBEEF, negative));
  SendMessageW(window.handle(), WM_CHAR, 'x', 0x001E0001);
  const std::vector<ReceivedMessage> received = window.takeReceived();
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[0].message, UINT{WM_APP + 7});
  EXPECT_EQ(received[0].wParam, WPARAM{0xBEEF});
  EXPECT_EQ(received[0].lParam, negative);
  EXPECT_EQ(received[1].message, UINT{WM_CHAR});
  EXPECT_EQ(received[1].wParam, WPARAM{'x'});
  EXPECT_EQ(received[1].lParam, LPARAM{0x001E0001});
  EXPECT_EQ(takeNotifications(), std::vector<Notification>{});

  unregisterWindow(window);
}

TEST_F(Registration, KeyMessagesReachTheOriginalProcedureAgainAfterUnregistration) {
  TestWindow window;
  registerWindow(window, newHandler("handler"));
  unregisterWindow(window);

  sendKey(window.handle(), kKeyADown);
  EXPECT_EQ(window.receivedCount(WM_KEYDOWN), 1);
  EXPECT_EQ(takeNotifications(), std::vector<Notification>{});
}

TEST_F(Registration, UnregistrationWithAnotherHandlerObjectStillUnregisters) {
  TestWindow window;
  registerWindow(window, newHandler("registered"));
  unregisterWindow(window, newHandler("another"));

  EXPECT_EQ(window.currentProc(), window.originalProc());
  EXPECT_EQ(globallyReferencedHandlers(), Names{});
}

TEST_F(Registration, NullHandlerConsumesKeyMessagesAndNotifiesNothing) {
  TestWindow window;
  registerWindow(window, nullptr);
  EXPECT_NE(window.currentProc(), window.originalProc());

  EXPECT_EQ(sendKey(window.handle(), kKeyADown), 0);
  EXPECT_EQ(sendKey(window.handle(), kKeyAUp), 0);
  EXPECT_EQ(window.receivedCount(WM_KEYDOWN) + window.receivedCount(WM_KEYUP), 0);
  EXPECT_EQ(takeNotifications(), std::vector<Notification>{});

  unregisterWindow(window);
  EXPECT_EQ(window.currentProc(), window.originalProc());
}

TEST_F(Registration, UnregisteringAWindowNeverRegisteredChangesNothing) {
  TestWindow registered;
  TestWindow never;
  registerWindow(registered, newHandler("handler"));
  standInJawtClearLog();

  unregisterWindow(never);
  EXPECT_EQ(jawtCallsSinceClear(), kLookupOpenedAndClosed);
  EXPECT_EQ(never.currentProc(), never.originalProc());
  EXPECT_EQ(globallyReferencedHandlers(), Names{"handler"});
  sendKey(registered.handle(), kKeyADown);
  EXPECT_EQ(takeNotifications(), (std::vector<Notification>{pressed("handler", 30)}));

  unregisterWindow(registered);
}

TEST_F(Registration, AWindowDestroyedSinceTheLookupIsNotRegistered) {
  TestWindow window;
  DestroyWindow(window.handle());

  registerWindow(window, newHandler("handler"));
  EXPECT_EQ(globallyReferencedHandlers(), Names{});
}

TEST_F(Registration, NoVirtualMachineEndsRegistrationBeforeTheLookup) {
  TestWindow window;
  fake_java::failGetJavaVM(true);
  registerWindow(window, newHandler("handler"));

  EXPECT_EQ(standInJawtLog().count, 0);
  EXPECT_EQ(window.currentProc(), window.originalProc());
  EXPECT_EQ(globallyReferencedHandlers(), Names{});
}

// Spot checks of the keystroke filter through the installed procedure:
// every key message is consumed (result 0, never seen by the window's own
// procedure) and becomes the notifications listed.
struct KeySequence {
  const char* name;
  std::vector<KeyMessage> messages;
  std::vector<Notification> notifications;
};

void PrintTo(const KeySequence& sequence, std::ostream* out) { *out << sequence.name; }

class KeySequences : public StrokelinkTest, public testing::WithParamInterface<KeySequence> {};

TEST_P(KeySequences, AreConsumedAndNotified) {
  TestWindow window;
  registerWindow(window, newHandler("h"));

  for (const KeyMessage& key : GetParam().messages) {
    EXPECT_EQ(sendKey(window.handle(), key), 0);
  }
  EXPECT_EQ(takeNotifications(), GetParam().notifications);
  EXPECT_EQ(window.receivedCount(WM_KEYDOWN) + window.receivedCount(WM_KEYUP) +
                window.receivedCount(WM_SYSKEYDOWN) + window.receivedCount(WM_SYSKEYUP),
            0);

  unregisterWindow(window);
}

INSTANTIATE_TEST_SUITE_P(
    Registered, KeySequences,
    testing::Values(
        KeySequence{"CtrlC",
                    {{WM_KEYDOWN, VK_CONTROL, 0x1D, false},
                     {WM_KEYDOWN, 'C', 0x2E, false},
                     {WM_KEYUP, 'C', 0x2E, false},
                     {WM_KEYUP, VK_CONTROL, 0x1D, false}},
                    {pressed("h", 29), pressed("h", 46), released("h", 46), released("h", 29)}},
        KeySequence{"AltGr",
                    {{WM_KEYDOWN, VK_CONTROL, 0x1D, false},
                     {WM_KEYDOWN, VK_MENU, 0x38, true},
                     {WM_SYSKEYUP, VK_CONTROL, 0x1D, false},
                     {WM_KEYUP, VK_MENU, 0x38, true}},
                    {pressed("h", 105), released("h", 105)}},
        KeySequence{"RightCtrl",
                    {{WM_KEYDOWN, VK_CONTROL, 0x1D, true}, {WM_KEYUP, VK_CONTROL, 0x1D, true}},
                    {pressed("h", 101), released("h", 101)}},
        KeySequence{"LeftAltAsSystemKey",
                    {{WM_SYSKEYDOWN, VK_MENU, 0x38, false}, {WM_SYSKEYUP, VK_MENU, 0x38, false}},
                    {pressed("h", 56), released("h", 56)}},
        KeySequence{"KeypadEnterAndDelete",
                    {{WM_KEYDOWN, VK_RETURN, 0x1C, true},
                     {WM_KEYUP, VK_RETURN, 0x1C, true},
                     {WM_KEYDOWN, VK_DELETE, 0x53, true},
                     {WM_KEYUP, VK_DELETE, 0x53, true}},
                    {pressed("h", 100), released("h", 100), pressed("h", 99), released("h", 99)}},
        KeySequence{"Pause",
                    {{WM_KEYDOWN, VK_PAUSE, 0x45, false}, {WM_KEYUP, VK_PAUSE, 0x45, false}},
                    {pressed("h", 102), released("h", 102)}}),
    [](const testing::TestParamInfo<KeySequence>& parameter) { return parameter.param.name; });

}  // namespace
