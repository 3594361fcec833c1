// The calling thread's active keyboard layout, as Windows names it: eight
// hex digits whose last four are the language identifier.
#pragma once

// True when the language identifier of the active layout equals one of the
// given four-digit ids, compared without regard to case. A failing query
// matches nothing.
bool activeLayoutLanguageIsOneOf(const char* const* languageIds, int count);
