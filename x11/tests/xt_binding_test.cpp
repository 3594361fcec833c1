// Finding Xt in the process, never loading it. Each case runs in a process
// of its own under ctest; run directly, the case without Xt comes first.
// GoogleTest goes before Xlib, whose None and Bool macros would break it.
// clang-format off
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <ostream>

#include "x11/xt_binding.h"
// clang-format on

namespace {

constexpr char kXtLibrary[] = "libXt.so.6";

bool xtIsLoaded() {
  void* xt = dlopen(kXtLibrary, RTLD_LAZY | RTLD_NOLOAD);
  if (xt != nullptr) dlclose(xt);
  return xt != nullptr;
}

TEST(XtBindingTest, ProcessWithoutXtGetsNothingAndLoadsNothing) {
  ASSERT_FALSE(xtIsLoaded()) << "this test program must not bring Xt in";
  EXPECT_EQ(findXtWindowToWidget(), nullptr);
  EXPECT_EQ(findXtInsertEventHandler(), nullptr);
  EXPECT_FALSE(xtIsLoaded());
}

struct XtLoading {
  const char* name;
  int mode;
};

void PrintTo(const XtLoading& loading, std::ostream* out) { *out << loading.name; }

class XtInProcessTest : public ::testing::TestWithParam<XtLoading> {};

// An Xt-based AWT may bring Xt in with or without RTLD_GLOBAL; a JNI library
// that links Xt is always loaded without it.
TEST_P(XtInProcessTest, FindsXtsOwnFunctions) {
  void* xt = dlopen(kXtLibrary, GetParam().mode);
  ASSERT_NE(xt, nullptr) << dlerror();
  ASSERT_NE(dlsym(xt, "XtWindowToWidget"), nullptr);
  EXPECT_EQ(reinterpret_cast<void*>(findXtWindowToWidget()), dlsym(xt, "XtWindowToWidget"));
  EXPECT_EQ(reinterpret_cast<void*>(findXtInsertEventHandler()), dlsym(xt, "XtInsertEventHandler"));
}

INSTANTIATE_TEST_SUITE_P(Loading, XtInProcessTest,
                         ::testing::Values(XtLoading{"Global", RTLD_LAZY | RTLD_GLOBAL},
                                           XtLoading{"Local", RTLD_LAZY | RTLD_LOCAL}),
                         [](const ::testing::TestParamInfo<XtLoading>& loading) {
                           return std::string(loading.param.name);
                         });

}  // namespace
