// Starts and stops the real terminal program for end-to-end tests, and goes through
// its everyday steps with real keys and clicks (support/real_input.h).
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "shell/terminal_config.h"

// A folder of the Windows shell (CSIDL_...) in this Wine prefix.
std::string ShellFolder(int csidl);
// The terminal's data directory in this Wine prefix (application data + Nordane\varenkoclient).
std::string TerminalDataDirectory();

class TerminalProcess {
public:
    TerminalProcess() = default;
    ~TerminalProcess();
    TerminalProcess(const TerminalProcess&) = delete;
    TerminalProcess& operator=(const TerminalProcess&) = delete;

    // Starts varenko.exe, or another command line, with the build's bin folder as current directory.
    bool Start(std::string commandLine = {});
    // Waits until the main window is shown (after the splash); nullptr on time-out.
    HWND WaitForMainWindow(DWORD timeoutMs = 30000);
    // Closes the main window, if one was found, and waits for the exit: the exit code, or -1.
    int Close(DWORD timeoutMs = 30000);
    DWORD processId() const { return process_.dwProcessId; }

private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

std::vector<DWORD> ProcessesOf(const char* exeName);

// Saves the screen area of a window as a 24-bit BMP file; false on failure.
bool SaveWindowPicture(HWND window, const std::string& path);
// Waits for a top-level dialog of this title; on time-out, a test failure that names the
// window in front, and nullptr (which the helpers below take as a dialog that failed).
HWND WaitForDialog(const char* title, DWORD timeoutMs = 20000);

// Writes a till configured to work with the shop server on this computer into an
// empty data directory; `adjust` may change it before it is written.
void PrepareOnlineTill(const std::string& dataDir, const std::function<void(TerminalConfig&)>& adjust = {});
// The configuration file the terminal saved in the data directory (a failure when its size is wrong).
TerminalConfig SavedConfig(const std::string& dataDir);

// The logon dialog answered as an associate does: the password typed on the keyboard
// and Enter, or tapped on the dialog's own keypad and OK. Returns once the dialog has
// closed; a wrong password opens the next one.
enum class LogonBy { Keyboard, Keypad };
testing::AssertionResult LogOn(const std::string& digits, LogonBy by = LogonBy::Keyboard);
std::string WindowTitle(HWND window);
// Waits until the window's title holds `part`; false on time-out.
bool WaitForTitle(HWND window, const std::string& part, DWORD timeoutMs = 5000);
HWND ItemBox(HWND window);
std::string TodayLogFile(const std::string& dataDir);
// Its text with each entry's time and date written as '@'.
std::string MarkedDayLog(const std::string& dataDir);
int BasketLines(HWND window);
// Scans into the main window's item box as a barcode scanner does: the digits, then
// Enter. Returns once the basket has a new line.
testing::AssertionResult Scan(HWND window, const std::string& code);
// Cash (F5) in the item box, the tendered amount typed into the cash dialog, Enter.
// Returns once the cash dialog has closed; the sale goes on to its after-sale step.
testing::AssertionResult PayCash(HWND window, const std::string& tendered);
// Chooses item `item` (0 = the first) of menu `menu` (0 = "&File") of the main window's
// menu bar by keyboard: Alt, Right to the menu, Down into it and to the item, Enter.
testing::AssertionResult ChooseFromMenu(HWND window, int menu, int item);
// Waits for the dialog or message box titled `title`, which is to show `text` when given,
// and answers it with Enter.
testing::AssertionResult AnswerDialog(const char* title, const std::string& text = {});
// Types into the box 1101 of `dialog` and Enter there; returns once the dialog has closed.
testing::AssertionResult TypeAndEnter(HWND dialog, const std::string& typed);
// The same in the dialog titled `title` once it opens.
testing::AssertionResult EnterInDialog(const char* title, const std::string& typed);
