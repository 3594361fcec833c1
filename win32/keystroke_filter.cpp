#include "keystroke_filter.h"

#include "common/keycodes.h"
#include "key_message.h"
#include "key_translation.h"
#include "keyboard_layout.h"
#include "state_block.h"
#include "window_notification.h"
#include "window_table.h"

namespace {

// Japanese keyboards: the key with this scan code sends one message per
// stroke, which the filter turns into a press and a release.
constexpr std::uint16_t kSingleMessageKeyScan = 0x70;
// ...and this one sends down and up messages that stand for alternate
// strokes, which the filter turns into alternate presses and releases.
constexpr std::uint16_t kToggleKeyScan = 0x29;

constexpr const char* kJapaneseLanguage[] = {"0411"};

std::uint16_t scanWithRightAlt(WPARAM vk, LPARAM lParam) {
  if ((vk == VK_MENU || vk == VK_RMENU) && isExtendedKey(lParam)) return kRightAltCode;
  return scanByteOf(lParam);
}

// WM_KEYDOWN (down) and WM_KEYUP.
LRESULT onKeyMessage(HWND window, WPARAM vk, LPARAM lParam, bool down) {
  if (isJapaneseLayout()) {
    const std::uint16_t scan = scanByteOf(lParam);
    if (scan == kSingleMessageKeyScan) {
      onKeyDown(window, vk, lParam);
      onKeyUp(window, vk, lParam);
      return 0;
    }
    if (scan == kToggleKeyScan) {
      // Whatever the message, it stands for the stroke after the last one.
      down = !stateBlock.kanjiToggle;
      stateBlock.kanjiToggle = down ? 1 : 0;
    }
  }
  if (down) {
    onKeyDown(window, vk, lParam);
  } else {
    onKeyUp(window, vk, lParam);
  }
  return 0;
}

LRESULT passOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const bool unicode = IsWindowUnicode(window) != 0;
  WNDPROC previous;
  {
    // The entry points change the table and the window's procedure together
    // under this lock. Without an entry (unregistered while this message was
    // on its way), the procedure read under it is the window's own again.
    WindowTableLock lock;
    previous = getPreviousProcForWindow(window);
    if (previous == nullptr) {
      previous = reinterpret_cast<WNDPROC>(unicode ? GetWindowLongPtrW(window, GWLP_WNDPROC)
                                                   : GetWindowLongPtrA(window, GWLP_WNDPROC));
    }
  }
  if (previous == nullptr || previous == keyWindowProc) {
    return unicode ? DefWindowProcW(window, message, wParam, lParam)
                   : DefWindowProcA(window, message, wParam, lParam);
  }
  // A Unicode window's messages must stay Unicode: going through the ANSI
  // call would convert text messages to the ANSI code page and back.
  return unicode ? CallWindowProcW(previous, window, message, wParam, lParam)
                 : CallWindowProcA(previous, window, message, wParam, lParam);
}

}  // namespace

bool isJapaneseLayout() { return activeLayoutLanguageIsOneOf(kJapaneseLanguage, 1); }

void flushPendingCtrl(HWND window) {
  if (!stateBlock.pendingCtrl) return;
  // Cleared before delivering, so a key message dispatched from inside the
  // handler cannot report the same press again.
  stateBlock.pendingCtrl = 0;
  notifyWindowHandler(window, stateBlock.pendingCtrlCode, KeyAction::kPress);
}

void onKeyDown(HWND window, WPARAM vk, LPARAM lParam) {
  std::uint16_t scan = scanByteOf(lParam);
  if (vk == VK_CONTROL) {
    if (stateBlock.pendingCtrl) {
      // Auto-repeat: the held-back press is reported, the repeat is not.
      flushPendingCtrl(window);
      return;
    }
    // Held back: Windows sends AltGr as Ctrl followed by right Alt.
    stateBlock.pendingCtrl = 1;
    stateBlock.pendingCtrlCode = isExtendedKey(lParam) ? kRightCtrlCode : kLeftCtrlCode;
    return;
  }
  if (vk == VK_MENU && stateBlock.pendingCtrl) {
    if (isExtendedKey(lParam)) {
      // AltGr: the Ctrl half is dropped.
      scan = kRightAltCode;
      stateBlock.altGrActive = 1;
    } else {
      flushPendingCtrl(window);
    }
  }
  if (vk != VK_MENU) flushPendingCtrl(window);
  const KeyCode code = translateKeyCode(scan, vk, lParam);
  stateBlock.pendingCtrl = 0;
  notifyWindowHandler(window, code, KeyAction::kPress);
}

void onSysKeyDown(HWND window, WPARAM vk, LPARAM lParam) {
  flushPendingCtrl(window);
  notifyWindowHandler(window, translateKeyCode(scanWithRightAlt(vk, lParam), vk, lParam),
                      KeyAction::kPress);
}

void onKeyUp(HWND window, WPARAM vk, LPARAM lParam) {
  flushPendingCtrl(window);
  KeyCode code = translateKeyCode(scanByteOf(lParam), vk, lParam);
  if (stateBlock.altGrActive && vk == VK_MENU) {
    stateBlock.altGrActive = 0;
    code = kRightAltCode;
  }
  notifyWindowHandler(window, code, KeyAction::kRelease);
}

void onSysKeyUp(HWND window, WPARAM vk, LPARAM lParam) {
  flushPendingCtrl(window);
  // The Ctrl half of AltGr comes back as a system key-up: swallowed.
  if (stateBlock.altGrActive && vk == VK_CONTROL) return;
  notifyWindowHandler(window, translateKeyCode(scanWithRightAlt(vk, lParam), vk, lParam),
                      KeyAction::kRelease);
}

LRESULT CALLBACK keyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
      return onKeyMessage(window, wParam, lParam, true);
    case WM_KEYUP:
      return onKeyMessage(window, wParam, lParam, false);
    case WM_SYSKEYDOWN:
      onSysKeyDown(window, wParam, lParam);
      return 0;
    case WM_SYSKEYUP:
      onSysKeyUp(window, wParam, lParam);
      return 0;
    default:
      return passOn(window, message, wParam, lParam);
  }
}
