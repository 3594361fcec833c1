// The Windows build's codes against the X server's own numbering: for each
// key, the code translateKeyCode gives must be the key's keycode in the
// XFree86 keycode map minus 8, which is what the X11 build reports.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <ostream>
#include <regex>
#include <string>

#include "common/keycodes.h"
#include "win32/key_translation.h"
#include "win32_test_fixture.h"

namespace {

// The XFree86 keycodes with the US symbols, compiled by the X keymap
// compiler from the system's keyboard data: <NAME> = keycode.
std::map<std::string, int> compileXFree86Keycodes() {
  const char* command =
      "printf 'xkb_keymap { xkb_keycodes { include \"xfree86+aliases(qwerty)\" };"
      " xkb_types { include \"complete\" }; xkb_compat { include \"complete\" };"
      " xkb_symbols { include \"pc+us\" }; };' | xkbcomp -w 0 -xkb - -o - 2>/dev/null";
  std::map<std::string, int> keycodes;
  FILE* output = popen(command, "r");
  if (output == nullptr) return keycodes;
  const std::regex definition(R"(^\s*<([A-Z0-9]+)>\s*=\s*([0-9]+);)");
  char line[256];
  while (std::fgets(line, sizeof line, output) != nullptr) {
    std::cmatch match;
    if (std::regex_search(line, match, definition)) keycodes[match[1]] = std::stoi(match[2]);
  }
  pclose(output);
  return keycodes;
}

struct SameKey {
  const char* xkbName;
  unsigned scan;
  WPARAM vk;
  bool extended;
};

std::ostream& operator<<(std::ostream& out, const SameKey& key) { return out << key.xkbName; }

class XFree86Keymap : public ::testing::TestWithParam<SameKey> {
 protected:
  static void SetUpTestSuite() {
    keycodes = new std::map<std::string, int>(compileXFree86Keycodes());
  }
  static void TearDownTestSuite() { delete keycodes; }
  static std::map<std::string, int>* keycodes;
};

std::map<std::string, int>* XFree86Keymap::keycodes;

TEST_P(XFree86Keymap, WindowsCodeIsTheXKeycodeMinusEight) {
  const SameKey& key = GetParam();
  ASSERT_EQ(keycodes->count(key.xkbName), 1u) << "xkbcomp gave no keycode for " << key.xkbName;
  hostWin32::setKeyboardLayoutName("00000409");
  EXPECT_EQ(translateKeyCode(static_cast<std::uint16_t>(key.scan), key.vk,
                             keyLParam(key.scan, key.extended)),
            keycodes->at(key.xkbName) - kXKeycodeOffset);
}

INSTANTIATE_TEST_SUITE_P(
    ExtendedKeys, XFree86Keymap,
    ::testing::Values(SameKey{"KPEN", 0x1C, VK_RETURN, true},
                      SameKey{"RCTL", 0x1D, VK_CONTROL, true}, SameKey{"RALT", 0x38, VK_MENU, true},
                      SameKey{"PGUP", 0x49, VK_PRIOR, true}, SameKey{"PGDN", 0x51, VK_NEXT, true},
                      SameKey{"END", 0x4F, VK_END, true}, SameKey{"HOME", 0x47, VK_HOME, true},
                      SameKey{"LEFT", 0x4B, VK_LEFT, true}, SameKey{"UP", 0x48, VK_UP, true},
                      SameKey{"RGHT", 0x4D, VK_RIGHT, true}, SameKey{"DOWN", 0x50, VK_DOWN, true},
                      SameKey{"PRSC", 0x37, VK_SNAPSHOT, true},
                      SameKey{"INS", 0x52, VK_INSERT, true}, SameKey{"DELE", 0x53, VK_DELETE, true},
                      SameKey{"LWIN", 0x5B, VK_LWIN, true}, SameKey{"RWIN", 0x5C, VK_RWIN, true},
                      SameKey{"MENU", 0x5D, VK_APPS, true}, SameKey{"KPDV", 0x35, VK_DIVIDE, true}),
    [](const auto& param) { return std::string(param.param.xkbName); });

INSTANTIATE_TEST_SUITE_P(
    OrdinaryKeys, XFree86Keymap,
    ::testing::Values(SameKey{"ESC", 0x01, 0x1B, false}, SameKey{"AD01", 0x10, 'Q', false},
                      SameKey{"RTRN", 0x1C, VK_RETURN, false},
                      SameKey{"LCTL", 0x1D, VK_CONTROL, false}, SameKey{"LFSH", 0x2A, 0x10, false},
                      SameKey{"LALT", 0x38, VK_MENU, false}, SameKey{"SPCE", 0x39, ' ', false},
                      SameKey{"BKSL", 0x2B, VK_OEM_5, false},
                      SameKey{"PAUS", 0x45, VK_PAUSE, false}),
    [](const auto& param) { return std::string(param.param.xkbName); });

}  // namespace
