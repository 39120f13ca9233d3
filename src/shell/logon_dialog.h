// The associate logon dialog ("PASBO2") and the log-off loop.
#pragma once
#include <windows.h>

// Opens the logon dialog over `owner`. On a valid number and password the
// associate becomes current, the logon is logged and the main window's title
// names the associate: 1. Otherwise nothing changes and no message is shown: 0.
int LogOn(HWND owner);

// Shows the plain title, then reopens the logon dialog until a logon succeeds.
void LogOffAndOn(HWND mainWindow);
