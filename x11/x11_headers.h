// Xlib and Xt, for sources that also use the library's KeyCode. Xlib names
// its 8-bit keycode type KeyCode too; in these sources it is XKeyCode, the
// same type under another name, so both headers fit in one file. Include
// this before any header that brings in Xlib (jawt_md.h does).
#pragma once

#define KeyCode XKeyCode
#include <X11/Intrinsic.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#undef KeyCode
