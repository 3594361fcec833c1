// The window thread never returns to Java, so nothing frees the local
// references it creates: delivery must leave none behind, on any path.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

#include "common/handler_notification.h"
#include "saved_vm_test.h"
#include "win32/state_block.h"

namespace {

struct LeakCase {
  const char* handlerClass;
  int pressReleasePairs;
  long expectedEvents;  // what the handler records
};

void PrintTo(const LeakCase& c, std::ostream* out) { *out << c.handlerClass; }

long countEvents(const std::string& events) {
  if (events.empty()) return 0;
  return 1 + static_cast<long>(std::count(events.begin(), events.end(), ' '));
}

class LocalReferenceTest : public SavedVmTest, public ::testing::WithParamInterface<LeakCase> {};

TEST_P(LocalReferenceTest, DeliveriesOnAnAttachedThreadKeepNoLocalReferences) {
  const LeakCase& c = GetParam();
  TestHandler handler(c.handlerClass);
  runOnNativeThread([&] {
    ASSERT_NE(attachToSavedVm(), nullptr);
    long before = localReferencesOfCurrentThread();
    ASSERT_GE(before, 0);
    for (int i = 0; i < c.pressReleasePairs; ++i) {
      deliverKeyPressed(handler.ref(), 57);
      deliverKeyReleased(handler.ref(), 57);
    }
    long after = localReferencesOfCurrentThread();
    EXPECT_EQ(after, before);
    // The count does see a reference this thread keeps.
    attachedEnv()->NewLocalRef(handler.ref());
    EXPECT_EQ(localReferencesOfCurrentThread(), after + 1);
  });
  EXPECT_EQ(countEvents(handler.takeEvents()), c.expectedEvents);
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, LocalReferenceTest,
    ::testing::Values(LeakCase{"RecordingHandler", 50000, 100000},  // 100,000 deliveries
                      LeakCase{"ReleaseOnlyHandler", 1000, 1000},   // failed lookups
                      LeakCase{"ThrowingHandler", 1000, 2000}),     // handler exceptions
    [](const ::testing::TestParamInfo<LeakCase>& testCase) {
      return std::string(testCase.param.handlerClass);
    });

}  // namespace
