// Tests that deliver the Windows way: the test VM is the one registration
// would have saved.
#pragma once

#include "java_vm.h"
#include "win32/state_block.h"

class SavedVmTest : public JavaVmTest {
 protected:
  void SetUp() override {
    JavaVmTest::SetUp();
    stateBlock.savedVm = testVm();
  }
  void TearDown() override {
    stateBlock.savedVm = nullptr;
    JavaVmTest::TearDown();
  }
};
