#include "stand_in_jawt.h"

#include <mutex>

namespace {

constexpr int kSurfaceSlots = 8;

struct SurfaceSlot {
  bool inUse;
  JAWT_DrawingSurface surface;
  JAWT_DrawingSurfaceInfo info;
  JAWT_Win32DrawingSurfaceInfo win32Info;
};

std::mutex mutex;
JawtFailure failure = JawtFailure::kNone;
JawtLog callLog;
SurfaceSlot slots[kSurfaceSlots];
int surfacesHeld;
int locksHeld;
int infosHeld;
thread_local int locksHeldByThisThread;

void record(JawtCall call) {
  if (callLog.count < kJawtLogCapacity) callLog.calls[callLog.count] = call;
  ++callLog.count;
}

SurfaceSlot* slotOf(JAWT_DrawingSurface* surface) {
  for (SurfaceSlot& slot : slots) {
    if (slot.inUse && &slot.surface == surface) return &slot;
  }
  return nullptr;
}

jint JNICALL lockSurface(JAWT_DrawingSurface* surface) {
  std::lock_guard<std::mutex> guard(mutex);
  record(JawtCall::kLock);
  if (failure == JawtFailure::kLock || slotOf(surface) == nullptr) return JAWT_LOCK_ERROR;
  ++locksHeld;
  ++locksHeldByThisThread;
  return 0;
}

JAWT_DrawingSurfaceInfo* JNICALL getDrawingSurfaceInfo(JAWT_DrawingSurface* surface) {
  std::lock_guard<std::mutex> guard(mutex);
  record(JawtCall::kGetDrawingSurfaceInfo);
  SurfaceSlot* slot = slotOf(surface);
  if (failure == JawtFailure::kGetDrawingSurfaceInfo || slot == nullptr) return nullptr;
  const auto* component = reinterpret_cast<const TestComponent*>(surface->target);
  slot->win32Info = {};
  slot->win32Info.hwnd = failure == JawtFailure::kNoWindow ? nullptr : component->window;
  slot->info = {};
  slot->info.platformInfo = &slot->win32Info;
  slot->info.ds = surface;
  ++infosHeld;
  return &slot->info;
}

void JNICALL freeDrawingSurfaceInfo(JAWT_DrawingSurfaceInfo* /*info*/) {
  std::lock_guard<std::mutex> guard(mutex);
  record(JawtCall::kFreeDrawingSurfaceInfo);
  --infosHeld;
}

void JNICALL unlockSurface(JAWT_DrawingSurface* /*surface*/) {
  std::lock_guard<std::mutex> guard(mutex);
  record(JawtCall::kUnlock);
  --locksHeld;
  --locksHeldByThisThread;
}

JAWT_DrawingSurface* JNICALL getDrawingSurface(JNIEnv* env, jobject target) {
  std::lock_guard<std::mutex> guard(mutex);
  record(JawtCall::kGetDrawingSurface);
  if (failure == JawtFailure::kGetDrawingSurface || target == nullptr) return nullptr;
  for (SurfaceSlot& slot : slots) {
    if (slot.inUse) continue;
    slot.inUse = true;
    slot.surface = {};
    slot.surface.env = env;
    slot.surface.target = target;
    slot.surface.Lock = lockSurface;
    slot.surface.GetDrawingSurfaceInfo = getDrawingSurfaceInfo;
    slot.surface.FreeDrawingSurfaceInfo = freeDrawingSurfaceInfo;
    slot.surface.Unlock = unlockSurface;
    ++surfacesHeld;
    return &slot.surface;
  }
  return nullptr;
}

void JNICALL freeDrawingSurface(JAWT_DrawingSurface* surface) {
  std::lock_guard<std::mutex> guard(mutex);
  record(JawtCall::kFreeDrawingSurface);
  if (SurfaceSlot* slot = slotOf(surface)) {
    slot->inUse = false;
    --surfacesHeld;
  }
}

}  // namespace

extern "C" JNIEXPORT jboolean JNICALL JAWT_GetAWT(JNIEnv* /*env*/, JAWT* awt) {
  std::lock_guard<std::mutex> guard(mutex);
  record(JawtCall::kGetAwt);
  callLog.lastRequestedVersion = awt->version;
  if (failure == JawtFailure::kGetAwt) return JNI_FALSE;
  awt->GetDrawingSurface = getDrawingSurface;
  awt->FreeDrawingSurface = freeDrawingSurface;
  return JNI_TRUE;
}

STAND_IN_JAWT_API void standInJawtFailAt(JawtFailure newFailure) {
  std::lock_guard<std::mutex> guard(mutex);
  failure = newFailure;
}

STAND_IN_JAWT_API void standInJawtClearLog() {
  std::lock_guard<std::mutex> guard(mutex);
  callLog = JawtLog{};
}

STAND_IN_JAWT_API JawtLog standInJawtLog() {
  std::lock_guard<std::mutex> guard(mutex);
  return callLog;
}

STAND_IN_JAWT_API int standInJawtSurfacesHeld() {
  std::lock_guard<std::mutex> guard(mutex);
  return surfacesHeld;
}

STAND_IN_JAWT_API int standInJawtLocksHeld() {
  std::lock_guard<std::mutex> guard(mutex);
  return locksHeld;
}

STAND_IN_JAWT_API int standInJawtInfosHeld() {
  std::lock_guard<std::mutex> guard(mutex);
  return infosHeld;
}

STAND_IN_JAWT_API int standInJawtLocksHeldByThisThread() { return locksHeldByThisThread; }
