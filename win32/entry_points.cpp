// The Windows entry points: registration subclasses the component's window
// with keyWindowProc, unregistration puts the replaced procedure back.
//
// Both run on a Java thread while the window's own thread may be running
// keyWindowProc. The table lock is held across "install the procedure" and
// "record the entry" (and across "forget the entry" and "restore"), so the
// window thread, which takes the same lock for its lookups, never finds
// keyWindowProc installed without an entry holding the procedure to pass
// messages on to. No JNI call is made while the lock is held.
#include "common/native_library_entry_points.h"
#include "common/window_lookup.h"
#include "keystroke_filter.h"
#include "state_block.h"
#include "window_table.h"

namespace {

// AWT's component windows are Unicode windows. Going through the ANSI
// functions would make Windows convert every message passed on to the
// component to the ANSI code page and back, turning characters outside it
// into '?'. The window's own kind decides.
WNDPROC replaceWindowProc(HWND window, WNDPROC replacement) {
  const auto value = reinterpret_cast<LONG_PTR>(replacement);
  const LONG_PTR previous = IsWindowUnicode(window)
                                ? SetWindowLongPtrW(window, GWLP_WNDPROC, value)
                                : SetWindowLongPtrA(window, GWLP_WNDPROC, value);
  return reinterpret_cast<WNDPROC>(previous);
}

// Subclasses the window and adds its entry under the table lock. Returns false when
// nothing was recorded, in which case the caller still owns the reference.
bool subclassAndRecord(HWND window, HandlerRef handler) {
  WindowTableLock tableLock;
  // Every registration that finds its window starts the Japanese layout's
  // Hankaku/Zenkaku alternation afresh with a press.
  stateBlock.kanjiToggle = 0;
  if (WNDPROC original = getPreviousProcForWindow(window)) {
    // Already registered: keyWindowProc is installed, and replacing it again
    // would hand back keyWindowProc itself as the previous procedure. The
    // new entry records the window's original procedure instead, so that
    // whichever entry goes last restores it.
    return addWindowEntry(window, handler, original);
  }
  // With the table full the window is left as it is: subclassing it with
  // nowhere to record its procedure would lose the procedure.
  if (!hasFreeWindowEntry()) {
    return false;
  }
  WNDPROC previous = replaceWindowProc(window, keyWindowProc);
  if (previous == nullptr) {
    // No window (destroyed since AWT reported it), or not one this process
    // may subclass: nothing was installed.
    return false;
  }
  // Cannot fail: an entry was free, and the lock is still held.
  return addWindowEntry(window, handler, previous);
}

// Frees the window's first entry under the table lock and, when no entry
// for the window remains, restores its original procedure. Returns the
// handler reference the entry held (which the caller deletes), or null.
HandlerRef forgetAndRestore(HWND window) {
  WindowTableLock tableLock;
  WNDPROC original = getPreviousProcForWindow(window);
  if (original == nullptr) {
    return nullptr;
  }
  HandlerRef handler = getHandlerForWindow(window);
  removeWindowEntry(window);
  if (getPreviousProcForWindow(window) == nullptr) {
    replaceWindowProc(window, original);
  }
  return handler;
}

}  // namespace

extern "C" {

JNIEXPORT void JNICALL Java_wyvra_gui_tessel_keyboard_NativeLibrary_registerKeyEventHandler(
    JNIEnv* env, jobject /*receiver*/, jobject component, jobject handler) {
  JavaVM* vm = nullptr;
  if (env->GetJavaVM(&vm) != JNI_OK) {
    return;
  }
  {
    WindowTableLock tableLock;
    stateBlock.savedVm = vm;
  }
  const NativeWindowScope lookup = lookupNativeWindow(env, component);
  if (!lookup) {
    return;
  }
  // A null handler gives a null reference: the window is registered, its
  // key messages are consumed and nothing is delivered.
  HandlerRef reference = env->NewGlobalRef(handler);
  if (!subclassAndRecord(lookup.window(), reference) && reference != nullptr) {
    env->DeleteGlobalRef(reference);
  }
}

JNIEXPORT void JNICALL Java_wyvra_gui_tessel_keyboard_NativeLibrary_unregisterKeyEventHandler(
    JNIEnv* env, jobject /*receiver*/, jobject component, jobject /*handler*/) {
  const NativeWindowScope lookup = lookupNativeWindow(env, component);
  if (!lookup) {
    return;
  }
  // The window thread takes a local reference to the handler under the
  // table lock before calling it, so deleting the global one after the
  // entry is gone cannot pull the object from under a delivery.
  if (HandlerRef handler = forgetAndRestore(lookup.window())) {
    env->DeleteGlobalRef(handler);
  }
}

}  // extern "C"
