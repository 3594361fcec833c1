// Machine-dependent part of the AWT Native Interface for Windows: what a
// locked drawing surface tells about the component's native window.
#ifndef STROKELINK_WIN32_JAWT_MD_H
#define STROKELINK_WIN32_JAWT_MD_H

#include <windows.h>

#include "jawt.h"

#ifdef __cplusplus
extern "C" {
#endif

// What JAWT_DrawingSurfaceInfo.platformInfo points to on Windows. A
// component drawn into a window reports the window in the first field; the
// same field holds a bitmap or DIB bits for off-screen surfaces.
typedef struct jawt_Win32DrawingSurfaceInfo {
  union {
    HWND hwnd;
    HBITMAP hbitmap;
    void* pbits;
  };
  HDC hdc;  // valid only while the surface is locked
  HPALETTE hpalette;
} JAWT_Win32DrawingSurfaceInfo;

#ifdef __cplusplus
}
#endif

#endif
