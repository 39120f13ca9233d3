// The main sales window: its controls, layout, painting and the item-entry box.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "inventory/pictures.h"

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The terminal's own start-up, run while the main window is created.
void RunTerminalStartup(HWND hwnd);

// Paints the totals area from the basket record (also after every basket change).
void PaintTotalsArea(HWND hwnd);
// "VARENKO Client    HH:MM  <long date>" at the time of the call.
std::string CurrentClockTitle();
// Sets the menu check marks from the configuration.
void RefreshMenuChecks(HWND hwnd);
// The item-entry box's text (at most maxLength characters) and its clearing.
std::string ItemBoxText(std::size_t maxLength);
void ClearItemBox();
// Gives the focus to the open entry dialog's edit 1101, or else to the item-entry box.
void ReturnFocus();
// Gives the focus to the item-entry box (when there is one).
void FocusItemBox();
// Redraws one control of the main window.
void RedrawControl(int id);

// What the picture buttons show, filled page by page by the picture-button code.
PictureButtonTable& PictureButtons();
PictureButtonEntry& PictureButton(int index);  // 0..59
// Loads each button's picture from the data directory once and redraws the buttons:
// called after the table has changed.
void ShowPictureButtons();
// How many picture buttons the layout shows (8..60).
int PictureButtonsShown();
