#include "jni_local_roots.h"

#include <atomic>

namespace {

struct LocalRootCount {
  jlong threadTag;
  long count;
};

// Counts the JNI local roots of the thread carrying the tag. Returning 0
// keeps the walk from going past the roots.
jint JNICALL countLocalRoot(jvmtiHeapReferenceKind kind, const jvmtiHeapReferenceInfo* info, jlong,
                            jlong, jlong, jlong*, jlong*, jint, void* userData) {
  auto* roots = static_cast<LocalRootCount*>(userData);
  if (kind == JVMTI_HEAP_REFERENCE_JNI_LOCAL && info->jni_local.thread_tag == roots->threadTag) {
    ++roots->count;
  }
  return 0;
}

}  // namespace

long countLocalReferencesOfThisThread(jvmtiEnv* jvmti, JNIEnv* env) {
  static std::atomic<jlong> lastTag{0};
  jthread self = nullptr;
  if (env == nullptr || jvmti->GetCurrentThread(&self) != JVMTI_ERROR_NONE) return -1;
  LocalRootCount roots{++lastTag, 0};
  jvmtiHeapCallbacks callbacks{};
  callbacks.heap_reference_callback = countLocalRoot;
  const bool counted =
      jvmti->SetTag(self, roots.threadTag) == JVMTI_ERROR_NONE &&
      jvmti->FollowReferences(0, nullptr, nullptr, &callbacks, &roots) == JVMTI_ERROR_NONE;
  env->DeleteLocalRef(self);
  // The reference to the thread object itself was live during the walk.
  return counted ? roots.count - 1 : -1;
}
