#include "win32/window_table.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

HandlerRef handlerTag(int n) { return reinterpret_cast<HandlerRef>(static_cast<std::intptr_t>(n)); }
WNDPROC procTag(int n) { return reinterpret_cast<WNDPROC>(static_cast<std::intptr_t>(n)); }

class WindowTable : public ::testing::Test {
 protected:
  void SetUp() override { std::memset(&stateBlock, 0, sizeof stateBlock); }
  HostWindow windows[kWindowTableSize + 1];
  WindowTableLock lock;
};

TEST_F(WindowTable, UnknownWindowGivesNull) {
  ASSERT_TRUE(addWindowEntry(&windows[0], handlerTag(1), procTag(1)));
  EXPECT_EQ(getHandlerForWindow(&windows[1]), nullptr);
  EXPECT_EQ(getPreviousProcForWindow(&windows[1]), nullptr);
  // A null window never matches the free entries.
  EXPECT_EQ(getHandlerForWindow(nullptr), nullptr);
  EXPECT_EQ(getPreviousProcForWindow(nullptr), nullptr);
}

TEST_F(WindowTable, FindsWhatWasStoredAndForgetsIt) {
  ASSERT_TRUE(addWindowEntry(&windows[0], handlerTag(1), procTag(11)));
  ASSERT_TRUE(addWindowEntry(&windows[1], handlerTag(2), procTag(12)));
  EXPECT_EQ(getHandlerForWindow(&windows[1]), handlerTag(2));
  EXPECT_EQ(getPreviousProcForWindow(&windows[1]), procTag(12));
  removeWindowEntry(&windows[1]);
  EXPECT_EQ(getHandlerForWindow(&windows[1]), nullptr);
  EXPECT_EQ(getPreviousProcForWindow(&windows[1]), nullptr);
  EXPECT_EQ(getHandlerForWindow(&windows[0]), handlerTag(1));
}

TEST_F(WindowTable, TwoEntriesForOneWindowLowerIndexWins) {
  ASSERT_TRUE(addWindowEntry(&windows[0], handlerTag(1), procTag(11)));
  ASSERT_TRUE(addWindowEntry(&windows[0], handlerTag(2), procTag(12)));
  EXPECT_EQ(getHandlerForWindow(&windows[0]), handlerTag(1));
  EXPECT_EQ(getPreviousProcForWindow(&windows[0]), procTag(11));
  removeWindowEntry(&windows[0]);
  EXPECT_EQ(getHandlerForWindow(&windows[0]), handlerTag(2));
  EXPECT_EQ(getPreviousProcForWindow(&windows[0]), procTag(12));
}

TEST_F(WindowTable, FreedFirstEntryIsReusedFirst) {
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(addWindowEntry(&windows[i], handlerTag(i + 1), procTag(i + 1)));
  removeWindowEntry(&windows[0]);
  ASSERT_TRUE(addWindowEntry(&windows[3], handlerTag(4), procTag(4)));
  EXPECT_EQ(stateBlock.windowTable[0].window, &windows[3]);
  EXPECT_EQ(stateBlock.windowTable[0].handler, handlerTag(4));
  EXPECT_EQ(stateBlock.windowTable[3].window, nullptr);
}

TEST_F(WindowTable, HundredAndFirstRegistrationStoresNothing) {
  for (int i = 0; i < kWindowTableSize; ++i) {
    ASSERT_TRUE(addWindowEntry(&windows[i], handlerTag(i + 1), procTag(i + 1)));
  }
  EXPECT_FALSE(hasFreeWindowEntry());
  EXPECT_FALSE(addWindowEntry(&windows[kWindowTableSize], handlerTag(999), procTag(999)));
  EXPECT_EQ(getHandlerForWindow(&windows[kWindowTableSize]), nullptr);
  EXPECT_EQ(getPreviousProcForWindow(&windows[kWindowTableSize]), nullptr);
  for (int i = 0; i < kWindowTableSize; ++i) {
    EXPECT_EQ(getHandlerForWindow(&windows[i]), handlerTag(i + 1));
  }
  removeWindowEntry(&windows[57]);
  EXPECT_TRUE(hasFreeWindowEntry());
}

TEST_F(WindowTable, RemovingAnUnknownWindowChangesNothing) {
  ASSERT_TRUE(addWindowEntry(&windows[0], handlerTag(1), procTag(1)));
  removeWindowEntry(&windows[1]);
  removeWindowEntry(nullptr);
  EXPECT_EQ(getHandlerForWindow(&windows[0]), handlerTag(1));
}

}  // namespace
