// getWidgetId against a scripted JAWT and Xt: every step that can fail,
// and what must have been released when it does.
// GoogleTest goes before Xlib, whose None and Bool macros would break it,
// and the library's headers before jawt_md.h, so that Xlib comes in with
// its KeyCode renamed.
// clang-format off
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "x11/widget_lookup.h"
#include "x11/xt_binding.h"

#include <jawt_md.h>
// clang-format on

namespace {

// What the scripted JAWT and Xt do in one case.
struct Script {
  const char* name;
  jboolean getAwtResult;
  bool hasSurface;
  jint lockResult;
  bool hasInfo;
  bool processHasXt;
  bool xtKnowsWindow;
  bool expectWidget;
  const char* expectedCalls;
};

void PrintTo(const Script& step, std::ostream* out) { *out << step.name; }

const Script* script;
std::string calls;
bool locked;

Display* const kDisplay = reinterpret_cast<Display*>(0x1000);
constexpr Drawable kDrawable = 0x2a;
Widget const kWidget = reinterpret_cast<Widget>(0x3000);

void called(const std::string& call) { calls += calls.empty() ? call : " " + call; }

jint JNICALL lockSurface(JAWT_DrawingSurface*) {
  called("Lock");
  locked = (script->lockResult & JAWT_LOCK_ERROR) == 0;
  return script->lockResult;
}

JAWT_X11DrawingSurfaceInfo x11Info;
JAWT_DrawingSurfaceInfo surfaceInfo;

JAWT_DrawingSurfaceInfo* JNICALL getInfo(JAWT_DrawingSurface*) {
  called("GetDrawingSurfaceInfo");
  if (!script->hasInfo) return nullptr;
  x11Info.display = kDisplay;
  x11Info.drawable = kDrawable;
  surfaceInfo.platformInfo = &x11Info;
  return &surfaceInfo;
}

void JNICALL freeInfo(JAWT_DrawingSurfaceInfo* info) {
  called(info == &surfaceInfo ? "FreeDrawingSurfaceInfo" : "FreeDrawingSurfaceInfo(wrong)");
}

void JNICALL unlockSurface(JAWT_DrawingSurface*) {
  called("Unlock");
  locked = false;
}

JAWT_DrawingSurface surface;

JAWT_DrawingSurface* JNICALL getSurface(JNIEnv*, jobject) {
  called("GetDrawingSurface");
  if (!script->hasSurface) return nullptr;
  surface.Lock = lockSurface;
  surface.GetDrawingSurfaceInfo = getInfo;
  surface.FreeDrawingSurfaceInfo = freeInfo;
  surface.Unlock = unlockSurface;
  return &surface;
}

void JNICALL freeSurface(JAWT_DrawingSurface* freed) {
  called(freed == &surface ? "FreeDrawingSurface" : "FreeDrawingSurface(wrong)");
}

Widget windowToWidget(Display* display, Window window) {
  const bool rightArguments = display == kDisplay && window == kDrawable;
  called(std::string("XtWindowToWidget") + (rightArguments ? "" : "(wrong arguments)") +
         (locked ? "" : "(unlocked)"));
  return script->xtKnowsWindow ? kWidget : nullptr;
}

}  // namespace

extern "C" JNIEXPORT jboolean JNICALL JAWT_GetAWT(JNIEnv*, JAWT* awt) {
  called("GetAWT(" + std::to_string(awt->version) + ")");
  awt->GetDrawingSurface = getSurface;
  awt->FreeDrawingSurface = freeSurface;
  return script->getAwtResult;
}

XtWindowToWidgetFunction findXtWindowToWidget() {
  return script->processHasXt ? windowToWidget : nullptr;
}

namespace {

class WidgetLookupTest : public ::testing::TestWithParam<Script> {};

TEST_P(WidgetLookupTest, ReleasesEverythingItAcquired) {
  script = &GetParam();
  calls.clear();
  locked = false;
  Widget widget = getWidgetId(nullptr, reinterpret_cast<jobject>(0x4000));
  EXPECT_EQ(widget, script->expectWidget ? kWidget : nullptr);
  EXPECT_EQ(calls, script->expectedCalls);
}

// 65539 is 0x00010003, the JAWT version the library asks for.
constexpr char kFullLookup[] =
    "GetAWT(65539) GetDrawingSurface Lock GetDrawingSurfaceInfo XtWindowToWidget "
    "FreeDrawingSurfaceInfo Unlock FreeDrawingSurface";
constexpr char kLookupWithoutXt[] =
    "GetAWT(65539) GetDrawingSurface Lock GetDrawingSurfaceInfo FreeDrawingSurfaceInfo Unlock "
    "FreeDrawingSurface";
constexpr char kLockFailed[] = "GetAWT(65539) GetDrawingSurface Lock FreeDrawingSurface";

INSTANTIATE_TEST_SUITE_P(
    Steps, WidgetLookupTest,
    ::testing::Values(
        Script{"Found", JNI_TRUE, true, 0, true, true, true, true, kFullLookup},
        // Changes reported with the lock are no error.
        Script{"LockReportsChanges", JNI_TRUE, true,
               JAWT_LOCK_CLIP_CHANGED | JAWT_LOCK_BOUNDS_CHANGED | JAWT_LOCK_SURFACE_CHANGED, true,
               true, true, true, kFullLookup},
        Script{"XtKnowsNoWidget", JNI_TRUE, true, 0, true, true, false, false, kFullLookup},
        Script{"ProcessHasNoXt", JNI_TRUE, true, 0, true, false, true, false, kLookupWithoutXt},
        Script{"NoAwt", JNI_FALSE, true, 0, true, true, true, false, "GetAWT(65539)"},
        Script{"NoSurface", JNI_TRUE, false, 0, true, true, true, false,
               "GetAWT(65539) GetDrawingSurface"},
        Script{"LockError", JNI_TRUE, true, JAWT_LOCK_ERROR, true, true, true, false, kLockFailed},
        Script{"LockErrorWithChanges", JNI_TRUE, true, JAWT_LOCK_ERROR | JAWT_LOCK_CLIP_CHANGED,
               true, true, true, false, kLockFailed},
        Script{"NoSurfaceInfo", JNI_TRUE, true, 0, false, true, true, false,
               "GetAWT(65539) GetDrawingSurface Lock GetDrawingSurfaceInfo Unlock "
               "FreeDrawingSurface"}),
    [](const ::testing::TestParamInfo<Script>& step) { return std::string(step.param.name); });

}  // namespace
