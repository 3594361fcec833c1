#include "xt_binding.h"

#include <dlfcn.h>

#include <cstring>

namespace {

// The library an Xt-based AWT links for Xt. It is only ever looked for among
// the libraries already loaded, never loaded.
constexpr char kXtLibrary[] = "libXt.so.6";

void* findInProcess(const char* name) {
  if (void* symbol = dlsym(RTLD_DEFAULT, name)) return symbol;
  // A library opened without RTLD_GLOBAL is not in the default search
  // scope, but it is still in the process: RTLD_NOLOAD hands it back only
  // if it is already loaded.
  void* xt = dlopen(kXtLibrary, RTLD_LAZY | RTLD_NOLOAD);
  if (xt == nullptr) return nullptr;
  void* symbol = dlsym(xt, name);
  dlclose(xt);  // drops only the reference that RTLD_NOLOAD added
  return symbol;
}

template <typename Function>
Function findFunction(const char* name) {
  Function function = nullptr;
  void* symbol = findInProcess(name);
  static_assert(sizeof function == sizeof symbol);
  std::memcpy(&function, &symbol, sizeof function);
  return function;
}

}  // namespace

XtWindowToWidgetFunction findXtWindowToWidget() {
  return findFunction<XtWindowToWidgetFunction>("XtWindowToWidget");
}

XtInsertEventHandlerFunction findXtInsertEventHandler() {
  return findFunction<XtInsertEventHandlerFunction>("XtInsertEventHandler");
}
