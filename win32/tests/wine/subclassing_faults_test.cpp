// Registrations that would break a naive subclassing: a full table, a
// window registered twice, and Unicode text passed on to the component.
#include <memory>
#include <string>
#include <vector>

#include "fake_java_vm.h"
#include "key_messages.h"
#include "strokelink_fixture.h"

namespace {

using fake_java::globallyReferencedHandlers;
using fake_java::liveGlobalRefs;
using fake_java::newHandler;
using fake_java::Notification;
using fake_java::pressed;
using fake_java::released;
using fake_java::takeNotifications;
using Names = std::vector<std::string>;

constexpr int kTableSize = 100;
constexpr KeyMessage kKeyADown = {WM_KEYDOWN, 'A', 0x1E, false};
constexpr KeyMessage kKeyAUp = {WM_KEYUP, 'A', 0x1E, false};

class FullTable : public StrokelinkTest {};

TEST_F(FullTable, LeavesTheNextWindowAloneAndKeepsNoReference) {
  std::vector<std::unique_ptr<TestWindow>> windows;
  for (int i = 0; i < kTableSize; ++i) {
    windows.push_back(std::make_unique<TestWindow>());
    registerWindow(*windows.back(), newHandler("handler " + std::to_string(i)));
  }
  ASSERT_EQ(liveGlobalRefs(), kTableSize);

  TestWindow extra;
  registerWindow(extra, newHandler("extra"));
  EXPECT_EQ(extra.currentProc(), extra.originalProc());
  EXPECT_EQ(liveGlobalRefs(), kTableSize);
  sendKey(extra.handle(), kKeyADown);
  EXPECT_EQ(extra.receivedCount(WM_KEYDOWN), 1);

  // A second registration of a registered window needs an entry as well.
  registerWindow(*windows[0], newHandler("second"));
  EXPECT_EQ(liveGlobalRefs(), kTableSize);
  sendKey(windows[0]->handle(), kKeyADown);
  EXPECT_EQ(takeNotifications(), std::vector<Notification>{pressed("handler 0", 30)});

  for (auto& window : windows) {
    unregisterWindow(*window);
    EXPECT_EQ(window->currentProc(), window->originalProc());
  }
}

class DoubleRegistration : public StrokelinkTest {};

TEST_F(DoubleRegistration, StacksEntriesWithoutRecursionAndRestoresAfterTheLast) {
  TestWindow window;
  registerWindow(window, newHandler("first"));
  registerWindow(window, newHandler("second"));
  EXPECT_EQ(globallyReferencedHandlers(), (Names{"first", "second"}));

  // Had the second registration recorded keyWindowProc as the previous
  // procedure, the first message passed on would recurse until the stack
  // overflows.
  int wrongAnswers = 0;
  for (int i = 0; i < 250; ++i) {
    const LPARAM lParam = -i;
    wrongAnswers +=
        SendMessageW(window.handle(), WM_APP + 1, i, lParam) != answerFor(WM_APP + 1, i, lParam);
    SendMessageW(window.handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"text"));
    sendKey(window.handle(), kKeyADown);
    sendKey(window.handle(), kKeyAUp);
  }
  EXPECT_EQ(wrongAnswers, 0);
  EXPECT_EQ(window.receivedCount(WM_APP + 1), 250);
  EXPECT_EQ(window.receivedCount(WM_SETTEXT), 250);
  const std::vector<Notification> notifications = takeNotifications();
  EXPECT_EQ(notifications.size(), 500u);
  for (const Notification& notification : notifications) {
    ASSERT_EQ(notification.handler, "first");
  }

  unregisterWindow(window);
  EXPECT_EQ(globallyReferencedHandlers(), Names{"second"});
  EXPECT_NE(window.currentProc(), window.originalProc());
  sendKey(window.handle(), kKeyADown);
  EXPECT_EQ(takeNotifications(), std::vector<Notification>{pressed("second", 30)});
  EXPECT_EQ(SendMessageW(window.handle(), WM_APP + 2, 1, 2), answerFor(WM_APP + 2, 1, 2));

  unregisterWindow(window);
  EXPECT_EQ(window.currentProc(), window.originalProc());
  EXPECT_EQ(globallyReferencedHandlers(), Names{});
  sendKey(window.handle(), kKeyAUp);
  EXPECT_EQ(window.receivedCount(WM_KEYUP), 1);
  EXPECT_EQ(takeNotifications(), std::vector<Notification>{});
}

// Characters outside the ANSI code page survive only if the procedure is
// installed and called through the wide functions.
class UnicodeWindow : public StrokelinkTest, public testing::WithParamInterface<UINT> {};

TEST_P(UnicodeWindow, CharacterMessagesReachTheComponentUnchanged) {
  TestWindow window(WindowCharset::kUnicode);
  registerWindow(window, newHandler("handler"));

  const UINT message = GetParam();
  SendMessageW(window.handle(), message, 0x3042, 0x00000001);
  const std::vector<ReceivedMessage> received = window.takeReceived();
  ASSERT_FALSE(received.empty());
  EXPECT_EQ(received.front().message, message);
  EXPECT_EQ(received.front().wParam, WPARAM{0x3042});

  unregisterWindow(window);
  EXPECT_EQ(window.currentProc(), window.originalProc());
  EXPECT_TRUE(IsWindowUnicode(window.handle()));
}

INSTANTIATE_TEST_SUITE_P(Registered, UnicodeWindow, testing::Values(WM_CHAR, WM_IME_CHAR),
                         [](const testing::TestParamInfo<UINT>& parameter) {
                           return parameter.param == WM_CHAR ? "WM_CHAR" : "WM_IME_CHAR";
                         });

class WindowCharsets : public StrokelinkTest {};

TEST_F(WindowCharsets, UnicodeWindowTextReachesTheComponentUnchanged) {
  TestWindow window(WindowCharset::kUnicode);
  registerWindow(window, newHandler("handler"));

  const wchar_t text[] = L"\x3042\x0151";
  SendMessageW(window.handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  const std::vector<ReceivedMessage> received = window.takeReceived();
  ASSERT_FALSE(received.empty());
  EXPECT_EQ(received.front().message, UINT{WM_SETTEXT});
  EXPECT_EQ(received.front().text, std::wstring(text));

  unregisterWindow(window);
}

TEST_F(WindowCharsets, AnsiWindowStaysAnsiAndGetsItsProcedureBack) {
  TestWindow window(WindowCharset::kAnsi);
  registerWindow(window, newHandler("handler"));

  EXPECT_FALSE(IsWindowUnicode(window.handle()));
  EXPECT_EQ(SendMessageA(window.handle(), WM_APP + 3, 5, 6), answerFor(WM_APP + 3, 5, 6));
  window.takeReceived();
  SendMessageA(window.handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("plain"));
  const std::vector<ReceivedMessage> received = window.takeReceived();
  ASSERT_FALSE(received.empty());
  EXPECT_EQ(received.front().message, UINT{WM_SETTEXT});
  EXPECT_EQ(received.front().text, L"plain");

  unregisterWindow(window);
  EXPECT_EQ(window.currentProc(), window.originalProc());
  EXPECT_FALSE(IsWindowUnicode(window.handle()));
}

}  // namespace
