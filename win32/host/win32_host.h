// Host stand-in for the few Win32 types and calls the Windows build uses, so
// its sources build and run in Linux tests. Tests steer it through the
// hostWin32 controls below: the active keyboard layout name, and windows whose
// procedures and ANSI/Unicode calls can be observed.
#pragma once

#include <pthread.h>

#include <cstdint>

#define CALLBACK
#define WINAPI

using BOOL = int;
using UINT = unsigned int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using LONG_PTR = std::intptr_t;

struct HostWindow;
using HWND = HostWindow*;
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_SYSKEYUP = 0x0105;

inline constexpr WPARAM VK_RETURN = 0x0D;
inline constexpr WPARAM VK_CONTROL = 0x11;
inline constexpr WPARAM VK_MENU = 0x12;
inline constexpr WPARAM VK_PAUSE = 0x13;
inline constexpr WPARAM VK_PRIOR = 0x21;
inline constexpr WPARAM VK_NEXT = 0x22;
inline constexpr WPARAM VK_END = 0x23;
inline constexpr WPARAM VK_HOME = 0x24;
inline constexpr WPARAM VK_LEFT = 0x25;
inline constexpr WPARAM VK_UP = 0x26;
inline constexpr WPARAM VK_RIGHT = 0x27;
inline constexpr WPARAM VK_DOWN = 0x28;
inline constexpr WPARAM VK_SNAPSHOT = 0x2C;
inline constexpr WPARAM VK_INSERT = 0x2D;
inline constexpr WPARAM VK_DELETE = 0x2E;
inline constexpr WPARAM VK_LWIN = 0x5B;
inline constexpr WPARAM VK_RWIN = 0x5C;
inline constexpr WPARAM VK_APPS = 0x5D;
inline constexpr WPARAM VK_DIVIDE = 0x6F;
inline constexpr WPARAM VK_NUMLOCK = 0x90;
inline constexpr WPARAM VK_RMENU = 0xA5;
inline constexpr WPARAM VK_OEM_5 = 0xDC;
inline constexpr WPARAM VK_OEM_7 = 0xDE;

inline constexpr int GWLP_WNDPROC = -4;
inline constexpr int KL_NAMELENGTH = 9;

BOOL GetKeyboardLayoutNameA(char* name);
int lstrcmpiA(const char* a, const char* b);

BOOL IsWindowUnicode(HWND window);
LONG_PTR GetWindowLongPtrA(HWND window, int index);
LONG_PTR GetWindowLongPtrW(HWND window, int index);
LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value);
LONG_PTR SetWindowLongPtrW(HWND window, int index, LONG_PTR value);
LRESULT CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcW(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

struct SRWLOCK {
  pthread_mutex_t mutex;
};
#define SRWLOCK_INIT \
  { PTHREAD_MUTEX_INITIALIZER }
void AcquireSRWLockExclusive(SRWLOCK* lock);
void ReleaseSRWLockExclusive(SRWLOCK* lock);

// A window as the stand-in knows it: its current procedure and how it was
// last called, so tests can see what the library passed on.
struct HostWindow {
  WNDPROC proc = nullptr;
  bool unicode = true;
  int ansiCalls = 0;     // CallWindowProcA / DefWindowProcA on this window
  int unicodeCalls = 0;  // CallWindowProcW / DefWindowProcW on this window
  int defaultCalls = 0;  // DefWindowProc on this window
};

namespace hostWin32 {
// The name GetKeyboardLayoutNameA reports; null makes the call fail.
void setKeyboardLayoutName(const char* name);
}  // namespace hostWin32
