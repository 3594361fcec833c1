#include "win32/key_translation.h"

#include <gtest/gtest.h>

#include <ostream>

#include "win32/host/win32_host.h"
#include "win32_test_fixture.h"

namespace {

struct TranslationCase {
  const char* name;
  unsigned scan;
  WPARAM vk;
  bool extended;
  const char* layout;  // null: the layout query fails
  int expected;
};

std::ostream& operator<<(std::ostream& out, const TranslationCase& c) { return out << c.name; }

class TranslateKeyCode : public ::testing::TestWithParam<TranslationCase> {
 protected:
  void TearDown() override { hostWin32::setKeyboardLayoutName("00000409"); }
};

TEST_P(TranslateKeyCode, GivesTheXFree86Code) {
  const TranslationCase& c = GetParam();
  hostWin32::setKeyboardLayoutName(c.layout);
  EXPECT_EQ(
      translateKeyCode(static_cast<std::uint16_t>(c.scan), c.vk, keyLParam(c.scan, c.extended)),
      c.expected);
}

constexpr const char* kUs = "00000409";

// Every extended key: the scan code plays no part, so it is deliberately off.
INSTANTIATE_TEST_SUITE_P(
    ExtendedKeys, TranslateKeyCode,
    ::testing::Values(TranslationCase{"KeypadEnter", 0x1C, VK_RETURN, true, kUs, 100},
                      TranslationCase{"RightCtrl", 0x1D, VK_CONTROL, true, kUs, 101},
                      TranslationCase{"RightAlt", 0x38, VK_MENU, true, kUs, 105},
                      TranslationCase{"PageUp", 0x49, VK_PRIOR, true, kUs, 91},
                      TranslationCase{"PageDown", 0x51, VK_NEXT, true, kUs, 97},
                      TranslationCase{"End", 0x4F, VK_END, true, kUs, 95},
                      TranslationCase{"Home", 0x47, VK_HOME, true, kUs, 89},
                      TranslationCase{"Left", 0x4B, VK_LEFT, true, kUs, 92},
                      TranslationCase{"Up", 0x48, VK_UP, true, kUs, 90},
                      TranslationCase{"Right", 0x4D, VK_RIGHT, true, kUs, 94},
                      TranslationCase{"Down", 0x50, VK_DOWN, true, kUs, 96},
                      TranslationCase{"PrintScreen", 0x37, VK_SNAPSHOT, true, kUs, 103},
                      TranslationCase{"Insert", 0x52, VK_INSERT, true, kUs, 98},
                      TranslationCase{"Delete", 0x53, VK_DELETE, true, kUs, 99},
                      TranslationCase{"LeftWindows", 0x5B, VK_LWIN, true, kUs, 107},
                      TranslationCase{"RightWindows", 0x5C, VK_RWIN, true, kUs, 108},
                      TranslationCase{"Menu", 0x5D, VK_APPS, true, kUs, 109},
                      TranslationCase{"KeypadDivide", 0x35, VK_DIVIDE, true, kUs, 104},
                      TranslationCase{"RightMenu", 0x38, VK_RMENU, true, kUs, 105},
                      TranslationCase{"RightAltSubstitutedScan", 105, VK_MENU, true, kUs, 105},
                      TranslationCase{"RightMenuSubstitutedScan", 105, VK_RMENU, true, kUs, 105},
                      TranslationCase{"TableIgnoresScan", 0x11, VK_DELETE, true, kUs, 99}),
    [](const auto& param) { return std::string(param.param.name); });

INSTANTIATE_TEST_SUITE_P(
    OtherKeys, TranslateKeyCode,
    ::testing::Values(TranslationCase{"LeftCtrl", 0x1D, VK_CONTROL, false, kUs, 29},
                      TranslationCase{"MainEnter", 0x1C, VK_RETURN, false, kUs, 28},
                      TranslationCase{"LeftAlt", 0x38, VK_MENU, false, kUs, 56},
                      TranslationCase{"Escape", 0x01, 0x1B, false, kUs, 1},
                      TranslationCase{"Q", 0x10, 'Q', false, kUs, 16},
                      TranslationCase{"ExtendedNotInTable", 0x45, VK_NUMLOCK, true, kUs, 69},
                      TranslationCase{"Pause", 0x45, VK_PAUSE, false, kUs, 102},
                      TranslationCase{"PauseWhateverScan", 0x1D, VK_PAUSE, false, kUs, 102},
                      TranslationCase{"ExtendedPauseIsNotPause", 0x45, VK_PAUSE, true, kUs, 69}),
    [](const auto& param) { return std::string(param.param.name); });

// The key with scan code 0x2B.
INSTANTIATE_TEST_SUITE_P(
    IsoKey, TranslateKeyCode,
    ::testing::Values(
        TranslationCase{"UsBackslash", 0x2B, VK_OEM_5, false, kUs, 43},
        TranslationCase{"UkHash", 0x2B, VK_OEM_7, false, "00000809", 240},
        TranslationCase{"OtherVkNeedsNoLayout", 0x2B, VK_OEM_7, false, nullptr, 240},
        TranslationCase{"France", 0x2B, VK_OEM_5, false, "0000040C", 240},
        TranslationCase{"Belgium", 0x2B, VK_OEM_5, false, "0000080C", 240},
        TranslationCase{"Canada", 0x2B, VK_OEM_5, false, "00000C0C", 240},
        TranslationCase{"Switzerland", 0x2B, VK_OEM_5, false, "0000100C", 240},
        TranslationCase{"Luxembourg", 0x2B, VK_OEM_5, false, "0000140C", 240},
        TranslationCase{"Monaco", 0x2B, VK_OEM_5, false, "0000180C", 240},
        TranslationCase{"FranceLowerCase", 0x2B, VK_OEM_5, false, "0000040c", 240},
        TranslationCase{"CanadaLowerCase", 0x2B, VK_OEM_5, false, "00000c0c", 240},
        TranslationCase{"FrenchLanguageOtherLayoutPart", 0x2B, VK_OEM_5, false, "0001040C", 240},
        TranslationCase{"German", 0x2B, VK_OEM_5, false, "00000407", 43},
        TranslationCase{"FrenchIdInWrongPlace", 0x2B, VK_OEM_5, false, "040C0409", 43},
        TranslationCase{"ShortLayoutName", 0x2B, VK_OEM_5, false, "040C", 43},
        TranslationCase{"LayoutQueryFails", 0x2B, VK_OEM_5, false, nullptr, 43},
        TranslationCase{"ExtendedIsoScan", 0x2B, VK_OEM_5, true, "0000040C", 43}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(IsFrenchLayout, FailingQueryIsNotFrench) {
  hostWin32::setKeyboardLayoutName(nullptr);
  EXPECT_FALSE(isFrenchLayout());
  hostWin32::setKeyboardLayoutName("0000040C");
  EXPECT_TRUE(isFrenchLayout());
  hostWin32::setKeyboardLayoutName("00000409");
}

}  // namespace
