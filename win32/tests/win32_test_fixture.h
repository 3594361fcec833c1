// Common set-up for host tests of the Windows build: a clean state block, a
// fake Java VM, and windows whose procedures the tests can watch.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fake_java_vm.h"
#include "win32/keystroke_filter.h"
#include "win32/state_block.h"
#include "win32/window_table.h"

// What the component's own window procedure saw.
struct ComponentProcLog {
  int calls = 0;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

inline ComponentProcLog componentLog;

inline LRESULT CALLBACK componentProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
  ++componentLog.calls;
  componentLog.message = message;
  componentLog.wParam = wParam;
  componentLog.lParam = lParam;
  return 0x5A5A;
}

class Win32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    std::memset(&stateBlock, 0, sizeof stateBlock);
    stateBlock.savedVm = fake_java::vm();
    fake_java::failAttach(false);
    fake_java::takeNotifications();
    fake_java::takeViolations();
    fake_java::takeAttachCalls();
    componentLog = {};
    hostWin32::setKeyboardLayoutName("00000409");
  }

  void TearDown() override {
    hostWin32::setKeyboardLayoutName("00000409");
    for (WindowEntry& entry : stateBlock.windowTable) {
      if (entry.window != nullptr) fake_java::env()->DeleteGlobalRef(entry.handler);
    }
    EXPECT_EQ(fake_java::takeViolations(), std::vector<std::string>{});
    EXPECT_EQ(fake_java::globallyReferencedHandlers(), std::vector<std::string>{});
    // Every local reference taken during delivery has been given back.
    EXPECT_EQ(fake_java::liveLocalRefs(), 0);
  }

  // Subclasses the window the way registration does.
  static void subclass(HostWindow& window, jobject handler) {
    window.proc = componentProc;
    HandlerRef ref = fake_java::env()->NewGlobalRef(handler);
    WindowTableLock lock;
    ASSERT_TRUE(addWindowEntry(&window, ref, componentProc));
    window.proc = keyWindowProc;
  }

  static LRESULT send(HostWindow& window, UINT message, WPARAM wParam, LPARAM lParam) {
    return window.proc(&window, message, wParam, lParam);
  }
};

// lParam of a key message: scan byte in bits 16-23, extended flag in bit 24.
using fake_java::Notification;
using fake_java::pressed;
using fake_java::released;

inline LPARAM keyLParam(unsigned scan, bool extended) {
  return static_cast<LPARAM>((scan & 0xFF) << 16 | (extended ? 1u << 24 : 0u) | 1u);
}
