// The X11 entry points of wyvra.gui.tessel.keyboard.NativeLibrary: the table
// of registered widgets and the Xt event handler that reports their keys.
//
// Threads: registration and unregistration run on the Java caller's thread,
// the event handler on the thread that runs the Xt dispatch. handlerMap is
// guarded by handlerMapMutex. Two rules keep this free of deadlocks and of
// uses of deleted references:
//  - no Xt and no Java code is called with the mutex held (Xt may hold its
//    own lock while it calls the event handler, and a Java handler may call
//    back into the library);
//  - the event handler turns the entry's global reference into a local one
//    under the mutex, so unregistration may delete the global reference as
//    soon as the entry is cleared.
#include <pthread.h>

#include <cstdio>

#include "common/handler_notification_x11.h"
#include "common/java_contract.h"
#include "common/keycodes.h"
#include "common/native_library_entry_points.h"
#include "widget_lookup.h"
#include "x11_headers.h"
#include "xt_binding.h"

namespace {

constexpr int kHandlerMapSize = 100;
constexpr char kNullWindowMessage[] = "   NULL window specified!!!\n";

struct HandlerMapEntry {
  Widget widget;  // null marks a free entry
  HandlerRef handler;
};

// Zero at load; a static initializer keeps the mutex free of a constructor.
HandlerMapEntry handlerMap[kHandlerMapSize];
pthread_mutex_t handlerMapMutex = PTHREAD_MUTEX_INITIALIZER;

class HandlerMapLock {
 public:
  HandlerMapLock() { pthread_mutex_lock(&handlerMapMutex); }
  ~HandlerMapLock() { pthread_mutex_unlock(&handlerMapMutex); }
  HandlerMapLock(const HandlerMapLock&) = delete;
  HandlerMapLock& operator=(const HandlerMapLock&) = delete;
};

// The table functions below expect handlerMapMutex to be held.

// False when all entries are in use.
bool addHandlerForWidget(Widget widget, HandlerRef handler) {
  for (HandlerMapEntry& entry : handlerMap) {
    if (entry.widget == nullptr) {
      entry = {widget, handler};
      return true;
    }
  }
  return false;
}

// The first entry for the widget wins, so a second registration of a widget
// takes over only when the first is removed. Free entries are not skipped:
// a null widget finds a free entry's null handler.
HandlerRef getHandlerForWidget(JNIEnv* /*env*/, Widget widget) {
  for (const HandlerMapEntry& entry : handlerMap) {
    if (entry.widget == widget) return entry.handler;
  }
  return nullptr;
}

void removeHandlerForWidget(Widget widget) {
  for (HandlerMapEntry& entry : handlerMap) {
    if (entry.widget == widget) {
      entry = {nullptr, nullptr};
      return;
    }
  }
}

// A local reference to the widget's handler, valid after the entry is gone.
jobject localHandlerForWidget(JNIEnv* env, Widget widget) {
  HandlerMapLock lock;
  HandlerRef handler = getHandlerForWidget(env, widget);
  return handler == nullptr ? nullptr : env->NewLocalRef(handler);
}

// Inserted with non-maskable events included, so Xt calls it for those too;
// only key presses and releases are reported. *continueToDispatch is left
// alone: the event always goes on to AWT's own handlers.
void keycodes_event_handler(Widget widget, XtPointer /*clientData*/, XEvent* event,
                            Boolean* /*continueToDispatch*/) {
  JNIEnv* env = currentEventEnv();
  if (event->type != KeyPress && event->type != KeyRelease) return;
  if (env == nullptr) return;
  // X keycodes start at 8; anything at or below the offset has no code.
  const int code = static_cast<int>(event->xkey.keycode) - kXKeycodeOffset;
  if (code <= 0) return;
  jobject handler = localHandlerForWidget(env, widget);
  if (handler == nullptr) return;
  if (event->type == KeyPress) {
    deliverKeyPressed(env, handler, static_cast<KeyCode>(code));
  } else {
    deliverKeyReleased(env, handler, static_cast<KeyCode>(code));
  }
  // The Xt dispatch may run inside one long native call: free as we go.
  env->DeleteLocalRef(handler);
}

}  // namespace

JNIEXPORT void JNICALL Java_wyvra_gui_tessel_keyboard_NativeLibrary_registerKeyEventHandler(
    JNIEnv* env, jobject /*receiver*/, jobject component, jobject handler) {
  if (component == nullptr || handler == nullptr) {
    std::fputs(kNullWindowMessage, stdout);
    std::fflush(stdout);
    return;
  }
  HandlerRef handlerRef = env->NewGlobalRef(handler);
  if (handlerRef == nullptr) return;
  Widget widget = getWidgetId(env, component);
  XtInsertEventHandlerFunction insertEventHandler =
      widget == nullptr ? nullptr : findXtInsertEventHandler();
  bool stored = false;
  if (insertEventHandler != nullptr) {
    HandlerMapLock lock;
    stored = addHandlerForWidget(widget, handlerRef);
  }
  // Not stored (no widget, no Xt, or a full table): nothing will ever
  // delete the reference, so it goes now.
  if (!stored) env->DeleteGlobalRef(handlerRef);
  if (insertEventHandler == nullptr) return;
  // Inserted even when the table was full. Xt merges a second insertion of
  // the same procedure and client data with the first and moves it to the
  // head, so the widget never gets the handler twice.
  insertEventHandler(widget, KeyPressMask | KeyReleaseMask, True, keycodes_event_handler, nullptr,
                     XtListHead);
}

JNIEXPORT void JNICALL Java_wyvra_gui_tessel_keyboard_NativeLibrary_unregisterKeyEventHandler(
    JNIEnv* env, jobject /*receiver*/, jobject component, jobject /*handler*/) {
  if (component == nullptr) return;
  Widget widget = getWidgetId(env, component);
  if (widget == nullptr) return;
  HandlerRef handlerRef = nullptr;
  {
    HandlerMapLock lock;
    handlerRef = getHandlerForWidget(env, widget);
    removeHandlerForWidget(widget);
  }
  // The event handler only ever uses local references made under the lock,
  // so the global one can go once the entry is cleared. The Xt event handler
  // stays on the widget and ignores it from now on.
  if (handlerRef != nullptr) env->DeleteGlobalRef(handlerRef);
}
