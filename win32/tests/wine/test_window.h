// Real windows for the tests, whose own window procedure records every
// message that reaches it. Messages from WM_APP up are answered with a
// result computed from their arguments, so a test can tell that message,
// arguments and result all passed through unchanged.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "stand_in_jawt.h"

enum class WindowCharset { kUnicode, kAnsi };

struct ReceivedMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  std::wstring text;  // WM_SETTEXT only, as the window procedure got it
};

LRESULT answerFor(UINT message, WPARAM wParam, LPARAM lParam);

class TestWindow {
 public:
  explicit TestWindow(WindowCharset charset = WindowCharset::kUnicode);
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND handle() const { return window_; }
  // What the tests pass to the entry points as the AWT component.
  jobject component() { return reinterpret_cast<jobject>(&component_); }
  // The procedure the window was created with.
  WNDPROC originalProc() const { return originalProc_; }
  // The procedure the window runs now, read the way its charset reads it.
  WNDPROC currentProc() const;

  // What reached the original procedure so far; taking clears the record.
  std::vector<ReceivedMessage> takeReceived();
  int receivedCount(UINT message) const;

 private:
  HWND window_;
  WindowCharset charset_;
  WNDPROC originalProc_;
  TestComponent component_;
};
