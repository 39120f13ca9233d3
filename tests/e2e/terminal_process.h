// Starts and stops the real terminal program for end-to-end tests.
#pragma once
#include <windows.h>

#include <string>

// The terminal's data directory in this Wine prefix (application data + Nordane\varenkoclient).
std::string TerminalDataDirectory();

class TerminalProcess {
public:
    TerminalProcess() = default;
    ~TerminalProcess();
    TerminalProcess(const TerminalProcess&) = delete;
    TerminalProcess& operator=(const TerminalProcess&) = delete;

    // Starts varenko.exe from the build's bin folder with that folder as current directory.
    bool Start();
    // Waits until the main window is shown (after the splash); nullptr on time-out.
    HWND WaitForMainWindow(DWORD timeoutMs = 30000);
    // Sends WM_CLOSE to the main window and waits for the exit; returns the exit code, or -1.
    int Close(DWORD timeoutMs = 30000);

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

// Saves the screen area of a window as a 24-bit BMP file; false on failure.
bool SaveWindowPicture(HWND window, const std::string& path);
// Waits for a top-level dialog of this title; nullptr on time-out.
HWND WaitForDialog(const char* title, DWORD timeoutMs = 20000);
// Presses a dialog's button as a click would.
void PressButton(HWND dialog, int id);
