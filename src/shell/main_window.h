// The main sales window.
#pragma once
#include <windows.h>

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The terminal's own start-up, run while the main window is created.
void RunTerminalStartup(HWND hwnd);
