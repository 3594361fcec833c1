// The entry points run on a Java thread while the window's own thread
// dispatches its messages through keyWindowProc.
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "fake_java_vm.h"
#include "key_messages.h"
#include "strokelink_fixture.h"
#include "window_thread.h"

namespace {

using fake_java::HookedFunction;
using fake_java::newHandler;
using fake_java::Notification;
using fake_java::takeNotifications;

class Concurrency : public StrokelinkTest {};

TEST_F(Concurrency, RegistrationsComeAndGoWhileTheWindowThreadReceivesKeys) {
  constexpr int kRegistrations = 200;
  std::atomic<long> sent{0};
  std::atomic<int> wrongAnswers{0};
  WindowThread windowThread(1, [&](const std::vector<std::unique_ptr<TestWindow>>& windows) {
    const HWND window = windows[0]->handle();
    sendKey(window, {WM_KEYDOWN, 'A', 0x1E, false});
    sendKey(window, {WM_KEYUP, 'A', 0x1E, false});
    const long n = sent++;
    if (SendMessageW(window, WM_APP + 4, n, -n) != answerFor(WM_APP + 4, n, -n)) ++wrongAnswers;
  });
  TestWindow& window = windowThread.window(0);

  for (int i = 0; i < kRegistrations; ++i) {
    const bool stacked = i % 4 == 0;
    registerWindow(window, newHandler("handler " + std::to_string(i % 3)));
    if (stacked) registerWindow(window, newHandler("stacked"));
    // Two more rounds: at least one runs entirely while registered.
    ASSERT_TRUE(windowThread.waitForRounds(2)) << "the window thread is stuck";
    unregisterWindow(window);
    if (stacked) unregisterWindow(window);
  }
  windowThread.stopRounds();

  EXPECT_EQ(window.currentProc(), window.originalProc());
  EXPECT_EQ(wrongAnswers, 0);
  EXPECT_EQ(window.receivedCount(WM_APP + 4), sent.load());
  const std::vector<Notification> notifications = takeNotifications();
  EXPECT_GE(notifications.size(), 2u * kRegistrations);
  for (const Notification& notification : notifications) {
    ASSERT_EQ(notification.code, 30) << notification.handler;
  }
}

TEST_F(Concurrency, MessagesDispatchedDuringRegistrationReachTheOriginalProcedure) {
  constexpr int kWindows = 20;
  constexpr UINT kRoundMessage = WM_APP + 5;
  constexpr UINT kProbeMessage = WM_APP + 6;
  std::atomic<long> sent[kWindows] = {};
  std::atomic<int> wrongAnswers{0};
  WindowThread windowThread(kWindows, [&](const std::vector<std::unique_ptr<TestWindow>>& windows) {
    for (int i = 0; i < kWindows; ++i) {
      const long n = sent[i]++;
      const LRESULT answer = SendMessageW(windows[i]->handle(), kRoundMessage, n, i);
      if (answer != answerFor(kRoundMessage, n, i)) ++wrongAnswers;
    }
  });

  // While the entry point creates the handler's reference, the window
  // thread is made to dispatch a message to the window being registered.
  TestWindow* registering = nullptr;
  fake_java::setHook(HookedFunction::kNewGlobalRef, [&registering, kProbeMessage] {
    PostMessageW(registering->handle(), kProbeMessage, 0, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (registering->receivedCount(kProbeMessage) == 0 &&
           std::chrono::steady_clock::now() < deadline) {
      std::this_thread::yield();
    }
  });
  for (int i = 0; i < kWindows; ++i) {
    registering = &windowThread.window(i);
    registerWindow(*registering, newHandler("handler"));
  }
  fake_java::setHook(HookedFunction::kNewGlobalRef, nullptr);
  ASSERT_TRUE(windowThread.waitForRounds(2));
  windowThread.stopRounds();

  EXPECT_EQ(wrongAnswers, 0);
  for (int i = 0; i < kWindows; ++i) {
    TestWindow& window = windowThread.window(i);
    EXPECT_NE(window.currentProc(), window.originalProc());
    EXPECT_EQ(window.receivedCount(kProbeMessage), 1) << "window " << i;
    EXPECT_EQ(window.receivedCount(kRoundMessage), sent[i].load()) << "window " << i;
    unregisterWindow(window);
  }
}

TEST_F(Concurrency, KeysDispatchedWhileAReferenceIsDeletedNeverUseIt) {
  constexpr int kUnregistrations = 10;
  constexpr UINT kMarkerMessage = WM_APP + 7;
  WindowThread windowThread(1, [](const std::vector<std::unique_ptr<TestWindow>>&) {});
  TestWindow& window = windowThread.window(0);

  // Right after unregistration deletes the handler's reference, the window
  // thread is made to dispatch a key press and release to the window. Had
  // the entry still been there, delivery would use the deleted reference,
  // which the fake VM reports. The marker, posted last, tells when both
  // keys have been dispatched.
  fake_java::setHook(HookedFunction::kDeleteGlobalRef, [&window, kMarkerMessage] {
    const int markers = window.receivedCount(kMarkerMessage);
    PostMessageW(window.handle(), WM_KEYDOWN, 'A', keyLParam({WM_KEYDOWN, 'A', 0x1E, false}));
    PostMessageW(window.handle(), WM_KEYUP, 'A', keyLParam({WM_KEYUP, 'A', 0x1E, false}));
    PostMessageW(window.handle(), kMarkerMessage, 0, 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (window.receivedCount(kMarkerMessage) == markers &&
           std::chrono::steady_clock::now() < deadline) {
      std::this_thread::yield();
    }
  });
  for (int i = 0; i < kUnregistrations; ++i) {
    registerWindow(window, newHandler("handler"));
    unregisterWindow(window);
  }
  fake_java::setHook(HookedFunction::kDeleteGlobalRef, nullptr);

  EXPECT_EQ(window.receivedCount(kMarkerMessage), kUnregistrations);
  EXPECT_EQ(window.receivedCount(WM_KEYDOWN), kUnregistrations);
  EXPECT_EQ(window.receivedCount(WM_KEYUP), kUnregistrations);
  EXPECT_EQ(takeNotifications(), std::vector<Notification>{});
}

}  // namespace
