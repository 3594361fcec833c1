#include "win32_host.h"

#include <strings.h>

#include <cstring>

namespace {
const char* layoutName = "00000409";
}

namespace hostWin32 {
void setKeyboardLayoutName(const char* name) { layoutName = name; }
}  // namespace hostWin32

BOOL GetKeyboardLayoutNameA(char* name) {
  if (layoutName == nullptr) return 0;
  std::strncpy(name, layoutName, KL_NAMELENGTH - 1);
  name[KL_NAMELENGTH - 1] = '\0';
  return 1;
}

int lstrcmpiA(const char* a, const char* b) { return strcasecmp(a, b); }

BOOL IsWindowUnicode(HWND window) { return window->unicode ? 1 : 0; }

LONG_PTR GetWindowLongPtrA(HWND window, int index) {
  return index == GWLP_WNDPROC ? reinterpret_cast<LONG_PTR>(window->proc) : 0;
}

LONG_PTR GetWindowLongPtrW(HWND window, int index) { return GetWindowLongPtrA(window, index); }

LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value) {
  if (index != GWLP_WNDPROC) return 0;
  LONG_PTR previous = reinterpret_cast<LONG_PTR>(window->proc);
  window->proc = reinterpret_cast<WNDPROC>(value);
  return previous;
}

LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value) {
  return SetWindowLongPtrA(window, index, value);
}

LRESULT CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++window->ansiCalls;
  return proc == nullptr ? 0 : proc(window, message, wParam, lParam);
}

LRESULT CallWindowProcW(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ++window->unicodeCalls;
  return proc == nullptr ? 0 : proc(window, message, wParam, lParam);
}

LRESULT DefWindowProcA(HWND window, UINT, WPARAM, LPARAM) {
  ++window->ansiCalls;
  ++window->defaultCalls;
  return 0;
}

LRESULT DefWindowProcW(HWND window, UINT, WPARAM, LPARAM) {
  ++window->unicodeCalls;
  ++window->defaultCalls;
  return 0;
}

void AcquireSRWLockExclusive(SRWLOCK* lock) { pthread_mutex_lock(&lock->mutex); }
void ReleaseSRWLockExclusive(SRWLOCK* lock) { pthread_mutex_unlock(&lock->mutex); }
