#include "key_translation.h"

#include "common/keycodes.h"
#include "key_message.h"
#include "keyboard_layout.h"

namespace {

struct ExtendedKey {
  WPARAM vk;
  KeyCode code;
};

// Keys the PC keyboard sends with the extended prefix.
constexpr ExtendedKey kExtendedKeys[] = {
    {VK_RETURN, 100},  // keypad Enter
    {VK_CONTROL, kRightCtrlCode},
    {VK_MENU, kRightAltCode},
    {VK_PRIOR, 91},  // Page Up
    {VK_NEXT, 97},   // Page Down
    {VK_END, 95},
    {VK_HOME, 89},
    {VK_LEFT, 92},
    {VK_UP, 90},
    {VK_RIGHT, 94},
    {VK_DOWN, 96},
    {VK_SNAPSHOT, 103},  // Print Screen
    {VK_INSERT, 98},
    {VK_DELETE, 99},
    {VK_LWIN, 107},
    {VK_RWIN, 108},
    {VK_APPS, 109},    // Menu key
    {VK_DIVIDE, 104},  // keypad divide
    {VK_RMENU, kRightAltCode},
};

constexpr std::uint16_t kBackslashScan = 0x2B;

constexpr const char* kFrenchLanguages[] = {"040C", "080C", "0C0C", "100C", "140C", "180C"};

}  // namespace

bool isFrenchLayout() {
  return activeLayoutLanguageIsOneOf(kFrenchLanguages,
                                     sizeof kFrenchLanguages / sizeof kFrenchLanguages[0]);
}

KeyCode translateKeyCode(std::uint16_t scan, WPARAM vk, LPARAM lParam) {
  if (isExtendedKey(lParam)) {
    for (const ExtendedKey& key : kExtendedKeys) {
      if (key.vk == vk) return key.code;
    }
    return static_cast<KeyCode>(scan);
  }
  if (scan == kBackslashScan) {
    // The US backslash key keeps its scan code; the same position on other
    // layouts (and the backslash key of French layouts) does not.
    if (vk != VK_OEM_5 || isFrenchLayout()) return kIsoKeyCode;
    return static_cast<KeyCode>(scan);
  }
  if (vk == VK_PAUSE) return kPauseCode;
  return static_cast<KeyCode>(scan);
}
