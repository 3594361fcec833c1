// The library under test, loaded as a Java VM loads it, and the fixture
// every test runs in.
#pragma once

#include <gtest/gtest.h>
#include <jni.h>

#include <ostream>
#include <vector>

#include "test_window.h"

using EntryPoint = void(JNICALL*)(JNIEnv*, jobject, jobject, jobject);

struct StrokelinkLibrary {
  EntryPoint registerKeyEventHandler;
  EntryPoint unregisterKeyEventHandler;
};

// strokelink.dll from beside the test program, loaded with LoadLibrary on
// first use and never unloaded; its entry points found by their JNI names.
// Entry points are null if loading failed.
const StrokelinkLibrary& strokelink();

// The JAWT calls made since the stand-in's log was last cleared.
std::vector<JawtCall> jawtCallsSinceClear();
void PrintTo(JawtCall call, std::ostream* out);

void registerWindow(TestWindow& window, jobject handler);
void unregisterWindow(TestWindow& window, jobject handler = nullptr);

// Starts every test with no JAWT failure and empty records, and checks
// afterwards that nothing was left behind: no global or local reference,
// no drawing surface, lock or info record, no misuse of JNI.
class StrokelinkTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};
