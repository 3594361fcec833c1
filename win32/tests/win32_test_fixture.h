// Common set-up for host tests of the Windows build: a clean state block, a
// recording JNI, and windows whose procedures the tests can watch.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "recording_jni.h"
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
    jni.reset();
    stateBlock.savedVm = jni.vm();
    componentLog = {};
    hostWin32::setKeyboardLayoutName("00000409");
  }

  void TearDown() override { hostWin32::setKeyboardLayoutName("00000409"); }

  // Subclasses the window the way registration does.
  void subclass(HostWindow& window, FakeHandler* handler) {
    window.proc = componentProc;
    HandlerRef ref = jni.env()->NewGlobalRef(reinterpret_cast<jobject>(handler));
    WindowTableLock lock;
    ASSERT_TRUE(addWindowEntry(&window, ref, componentProc));
    window.proc = keyWindowProc;
  }

  static LRESULT send(HostWindow& window, UINT message, WPARAM wParam, LPARAM lParam) {
    return window.proc(&window, message, wParam, lParam);
  }

  RecordingJni jni;
};

// lParam of a key message: scan byte in bits 16-23, extended flag in bit 24.
inline LPARAM keyLParam(unsigned scan, bool extended) {
  return static_cast<LPARAM>((scan & 0xFF) << 16 | (extended ? 1u << 24 : 0u) | 1u);
}
