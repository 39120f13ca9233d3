// Program entry and exit: screen check, data directory, window classes, splash
// window, message loop and the shutdown saves.
#pragma once
#include <windows.h>

inline constexpr int kMinimumDesktopWidth = 1024;
inline constexpr int kMinimumDesktopHeight = 708;
inline constexpr UINT_PTR kSplashTimer = 4370;
inline constexpr const char* kSplashClassName = "SplashWndProc";

bool DesktopIsLargeEnough(int width, int height);

// Forms the data directory below the per-user application-data folder and the
// configuration file path; false when the folder cannot be found.
bool ResolveDataDirectory();

// First start: creates the data directory and writes the default configuration
// when the configuration file is missing.
void EnsureConfigurationFile();

void RegisterWindowClasses(HINSTANCE instance);
int InitInstance(HINSTANCE instance, int showCommand);
int RunMessageLoop();
void Shutdown();

// The whole program; WinMain only calls this.
int RunTerminal(HINSTANCE instance, int showCommand);

LRESULT CALLBACK SplashWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
