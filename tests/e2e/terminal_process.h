// Starts and stops the real terminal program for end-to-end tests.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "shell/terminal_config.h"

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

// Writes a till configured to work with the shop server on this computer into an
// empty data directory; `adjust` may change it before it is written.
TerminalConfig PrepareOnlineTill(const std::string& dataDir,
                                 const std::function<void(TerminalConfig&)>& adjust = {});
// Logs on through the logon dialog's own keypad.
void LogOn(const std::string& digits);
std::string WindowTitle(HWND window);
// Waits until the window's title holds `part`; false on time-out.
bool WaitForTitle(HWND window, const std::string& part, DWORD timeoutMs = 5000);
// Types into the item-entry box as a scanner does: the characters, then Enter.
void Scan(HWND window, const std::string& code);
