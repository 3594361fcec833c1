// The window procedure that registered windows run: it takes the four key
// messages away from the component and reports them to the window's handler,
// reshaping the stream for AltGr and two keys of Japanese layouts; every
// other message goes on to the window's previous procedure.
#pragma once

#include "win32_api.h"

LRESULT CALLBACK keyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void onKeyDown(HWND window, WPARAM vk, LPARAM lParam);
void onKeyUp(HWND window, WPARAM vk, LPARAM lParam);
void onSysKeyDown(HWND window, WPARAM vk, LPARAM lParam);
void onSysKeyUp(HWND window, WPARAM vk, LPARAM lParam);

// Reports a held-back Ctrl press, if there is one, to the window's handler.
void flushPendingCtrl(HWND window);

// True when the active keyboard layout is Japanese.
bool isJapaneseLayout();
