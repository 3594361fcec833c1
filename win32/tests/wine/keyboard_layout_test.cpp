// Keys whose codes depend on the keyboard layout. Wine takes the layout
// from the process locale, so each group runs in a process of its own:
//   LC_ALL=C            US English, "00000409"
//   LC_ALL=fr_FR.UTF-8  French, "0000040C"
//   LC_ALL=ja_JP.UTF-8  Japanese, "E0010411"
// Each test first checks that it got the layout it is about.
#include <string>
#include <vector>

#include "fake_java_vm.h"
#include "key_messages.h"
#include "strokelink_fixture.h"

namespace {

using fake_java::newHandler;
using fake_java::Notification;
using fake_java::pressed;
using fake_java::released;
using fake_java::takeNotifications;

std::string activeLayoutName() {
  char name[KL_NAMELENGTH] = {};
  return GetKeyboardLayoutNameA(name) ? name : "";
}

// The key with scan code 0x2B that the US layout calls VK_OEM_5 (backslash).
constexpr KeyMessage kOem5Down = {WM_KEYDOWN, VK_OEM_5, 0x2B, false};
constexpr KeyMessage kOem5Up = {WM_KEYUP, VK_OEM_5, 0x2B, false};

class UsLayout : public StrokelinkTest {};

TEST_F(UsLayout, BackslashKeyKeepsItsScanCode) {
  ASSERT_EQ(activeLayoutName(), "00000409");
  TestWindow window;
  registerWindow(window, newHandler("h"));
  sendKey(window.handle(), kOem5Down);
  sendKey(window.handle(), kOem5Up);
  EXPECT_EQ(takeNotifications(), (std::vector<Notification>{pressed("h", 43), released("h", 43)}));
  unregisterWindow(window);
}

class FrenchLayout : public StrokelinkTest {};

TEST_F(FrenchLayout, KeyWithScanCode2BIsReportedAs240) {
  ASSERT_EQ(activeLayoutName(), "0000040C");
  TestWindow window;
  registerWindow(window, newHandler("h"));
  sendKey(window.handle(), kOem5Down);
  sendKey(window.handle(), kOem5Up);
  EXPECT_EQ(takeNotifications(),
            (std::vector<Notification>{pressed("h", 240), released("h", 240)}));
  unregisterWindow(window);
}

class JapaneseLayout : public StrokelinkTest {
 protected:
  void SetUp() override {
    StrokelinkTest::SetUp();
    ASSERT_EQ(activeLayoutName(), "E0010411");
  }
};

TEST_F(JapaneseLayout, KeyWithScanCode70ReportsPressAndReleaseForEachMessage) {
  TestWindow window;
  registerWindow(window, newHandler("h"));
  EXPECT_EQ(sendKey(window.handle(), {WM_KEYDOWN, VK_OEM_COPY, 0x70, false}), 0);
  EXPECT_EQ(sendKey(window.handle(), {WM_KEYUP, VK_OEM_COPY, 0x70, false}), 0);
  EXPECT_EQ(takeNotifications(),
            (std::vector<Notification>{pressed("h", 112), released("h", 112), pressed("h", 112),
                                       released("h", 112)}));
  unregisterWindow(window);
}

TEST_F(JapaneseLayout, KeyWithScanCode29AlternatesAndEachRegistrationStartsWithAPress) {
  const KeyMessage down = {WM_KEYDOWN, VK_OEM_AUTO, 0x29, false};
  const KeyMessage up = {WM_KEYUP, VK_OEM_AUTO, 0x29, false};
  TestWindow window;
  registerWindow(window, newHandler("h"));
  for (const KeyMessage& key : {down, up, up, down, down}) sendKey(window.handle(), key);
  EXPECT_EQ(takeNotifications(),
            (std::vector<Notification>{pressed("h", 41), released("h", 41), pressed("h", 41),
                                       released("h", 41), pressed("h", 41)}));

  // The last message left a press standing; a new registration forgets it.
  unregisterWindow(window);
  registerWindow(window, newHandler("h"));
  sendKey(window.handle(), up);
  sendKey(window.handle(), up);
  EXPECT_EQ(takeNotifications(), (std::vector<Notification>{pressed("h", 41), released("h", 41)}));
  unregisterWindow(window);
}

}  // namespace
