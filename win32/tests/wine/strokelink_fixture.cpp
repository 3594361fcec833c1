#include "strokelink_fixture.h"

#include <algorithm>
#include <string>

#include "fake_java_vm.h"
#include "stand_in_jawt.h"

namespace {

StrokelinkLibrary load() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dll(path, length);
  dll.resize(dll.find_last_of(L"\\/") + 1);
  dll += L"strokelink.dll";
  HMODULE module = LoadLibraryW(dll.c_str());
  if (module == nullptr) return {};
  return {
      reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(
          module, "Java_wyvra_gui_tessel_keyboard_NativeLibrary_registerKeyEventHandler"))),
      reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(
          module, "Java_wyvra_gui_tessel_keyboard_NativeLibrary_unregisterKeyEventHandler"))),
  };
}

// The receiver the VM passes (the class, for static native methods); the
// library ignores it.
jobject receiver() {
  static const jobject nativeLibraryClass = fake_java::newHandler("NativeLibrary class");
  return nativeLibraryClass;
}

}  // namespace

const StrokelinkLibrary& strokelink() {
  static const StrokelinkLibrary library = load();
  return library;
}

std::vector<JawtCall> jawtCallsSinceClear() {
  const JawtLog log = standInJawtLog();
  return std::vector<JawtCall>(log.calls, log.calls + std::min(log.count, kJawtLogCapacity));
}

void PrintTo(JawtCall call, std::ostream* out) {
  static const char* const kNames[] = {"JAWT_GetAWT",           "GetDrawingSurface",      "Lock",
                                       "GetDrawingSurfaceInfo", "FreeDrawingSurfaceInfo", "Unlock",
                                       "FreeDrawingSurface"};
  *out << kNames[static_cast<int>(call)];
}

void registerWindow(TestWindow& window, jobject handler) {
  strokelink().registerKeyEventHandler(fake_java::env(), receiver(), window.component(), handler);
}

void unregisterWindow(TestWindow& window, jobject handler) {
  strokelink().unregisterKeyEventHandler(fake_java::env(), receiver(), window.component(), handler);
}

void StrokelinkTest::SetUp() {
  // The library keeps and drops handler references only while it holds the
  // component's drawing surface locked.
  fake_java::requireForGlobalRefs([] { return standInJawtLocksHeldByThisThread() > 0; },
                                  "outside the drawing-surface lock");
  ASSERT_NE(strokelink().registerKeyEventHandler, nullptr) << "strokelink.dll or its entry points";
  ASSERT_NE(strokelink().unregisterKeyEventHandler, nullptr);
  fake_java::failGetJavaVM(false);
  fake_java::takeNotifications();
  fake_java::takeViolations();
  standInJawtFailAt(JawtFailure::kNone);
  standInJawtClearLog();
}

void StrokelinkTest::TearDown() {
  fake_java::setHook(fake_java::HookedFunction::kNewGlobalRef, nullptr);
  fake_java::setHook(fake_java::HookedFunction::kDeleteGlobalRef, nullptr);
  EXPECT_EQ(fake_java::takeViolations(), std::vector<std::string>{});
  EXPECT_EQ(fake_java::globallyReferencedHandlers(), std::vector<std::string>{});
  EXPECT_EQ(fake_java::liveLocalRefs(), 0);
  EXPECT_EQ(standInJawtSurfacesHeld(), 0);
  EXPECT_EQ(standInJawtLocksHeld(), 0);
  EXPECT_EQ(standInJawtInfosHeld(), 0);
}
