// Carries out the commands of the main window under the dispatch rules.
#pragma once
#include <windows.h>

void OnCommand(HWND hwnd, int command, int notification, HWND control);

// Empties the basket when it has lines: list, record, totals area, sound 150.
void EmptyBasket();
// Plays one of the program's wave resources unless sounds are off.
void PlayTerminalSound(int id);
