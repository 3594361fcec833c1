#include "keyboard_layout.h"

#include "win32_api.h"

bool activeLayoutLanguageIsOneOf(const char* const* languageIds, int count) {
  // Zeroed so that a name shorter than eight digits still leaves a
  // terminated (empty) language part.
  char name[KL_NAMELENGTH + 1] = {};
  if (!GetKeyboardLayoutNameA(name)) return false;
  const char* language = name + 4;
  for (int i = 0; i < count; ++i) {
    if (lstrcmpiA(language, languageIds[i]) == 0) return true;
  }
  return false;
}
