#include "e2e/terminal_process.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstring>
#include <regex>

#include "resources/resource_ids.h"
#include "support/local_time.h"
#include "support/real_input.h"
#include "support/temp_dir.h"

std::string ShellFolder(int csidl) {
    char folder[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder);
    return folder;
}

std::string TerminalDataDirectory() { return ShellFolder(CSIDL_APPDATA) + "\\Nordane\\varenkoclient"; }

TerminalProcess::~TerminalProcess() {
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

bool TerminalProcess::Start(std::string commandLine) {
    const std::string dir = ProgramDirectory();
    if (commandLine.empty()) commandLine = "\"" + dir + "\\" VARENKO_EXE_NAME "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup,
                          &process_);
}

HWND TerminalProcess::WaitForMainWindow(DWORD timeoutMs) {
    const auto shown = [&] {
        for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, "WNEC", nullptr)) != nullptr;) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == process_.dwProcessId && IsWindowVisible(w)) window_ = w;
        }
        return window_ || WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
    };
    WaitUntil(shown, timeoutMs);
    return window_;
}

int TerminalProcess::Close(DWORD timeoutMs) {
    if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
}

std::vector<DWORD> ProcessesOf(const char* exeName) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    std::vector<DWORD> ids;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, exeName) == 0) ids.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return ids;
}

bool SaveWindowPicture(HWND window, const std::string& path) {
    RECT r;
    if (!GetWindowRect(window, &r)) return false;
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr), memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    const DWORD imageBytes = ((w * 3 + 3) / 4) * 4 * h;  // rows padded to four bytes
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + imageBytes;
    WriteWholeFile(path, std::string(reinterpret_cast<const char*>(&file), sizeof file) +
                             std::string(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader) +
                             std::string(static_cast<const char*>(bits), imageBytes));
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return true;
}

HWND WaitForDialog(const char* title, DWORD timeoutMs) {
    HWND dialog = nullptr;
    if (!WaitUntil([&] { return (dialog = FindWindowA("#32770", title)) && IsWindowVisible(dialog); }, timeoutMs)) {
        ADD_FAILURE() << title << " did not open; in front is " << DescribeWindow(GetForegroundWindow());
        return nullptr;
    }
    // Under Wine the window it replaced may take the activation back for a moment, and
    // with it the keys meant for the dialog: wait until the dialog holds it.
    for (int steady = 0, i = 0; steady < 2 && i < 40; ++i, Sleep(50))
        steady = GetForegroundWindow() == dialog ? steady + 1 : 0;
    return dialog;
}

void PrepareOnlineTill(const std::string& dataDir, const std::function<void(TerminalConfig&)>& adjust) {
    RemoveTree(dataDir);
    CreateDirectoryA(dataDir.substr(0, dataDir.find_last_of('\\')).c_str(), nullptr);
    CreateDirectoryA(dataDir.c_str(), nullptr);
    TerminalConfig till;
    ApplyDefaults(till, LocalTime{});
    till.SetServerConnection(1);
    till.SetServerName("");  // this computer
    till.SetSwitch(16, 2);   // sounds off on this till
    if (adjust) adjust(till);
    WriteWholeFile(dataDir + "\\vks.cfg", std::string(reinterpret_cast<const char*>(till.data()), cfg::kSize));
}

TerminalConfig SavedConfig(const std::string& dataDir) {
    const std::string file = ReadWholeFile(dataDir + "\\vks.cfg");
    EXPECT_EQ(file.size(), cfg::kSize);
    TerminalConfig config;
    std::memcpy(config.data(), file.data(), std::min(file.size(), cfg::kSize));
    return config;
}

testing::AssertionResult LogOn(const std::string& digits, LogonBy by) {
    HWND logon = WaitForDialog("VARENKO Logon");
    if (by == LogonBy::Keyboard) return TypeAndEnter(logon, digits);
    const int keys[10] = {IDC_LOGON_KEY_0, IDC_LOGON_KEY_1, IDC_LOGON_KEY_2, IDC_LOGON_KEY_3, IDC_LOGON_KEY_4,
                          IDC_LOGON_KEY_5, IDC_LOGON_KEY_6, IDC_LOGON_KEY_7, IDC_LOGON_KEY_8, IDC_LOGON_KEY_9};
    HWND password = GetDlgItem(logon, IDC_EDIT1);
    std::string shown = ControlText(password);
    for (char digit : digits) {
        if (digit < '0' || digit > '9') return testing::AssertionFailure() << "no keypad key for '" << digit << "'";
        if (auto clicked = Click(GetDlgItem(logon, keys[digit - '0'])); !clicked) return clicked;
        shown += digit;
        if (!WaitUntil([&] { return ControlText(password) == shown; }))
            return testing::AssertionFailure() << "the keypad's " << digit << " did not reach the password box, "
                                               << DescribeWindow(password);
    }
    return AnswerWithClick(logon, IDOK);
}

std::string WindowTitle(HWND window) {
    char title[200] = {};
    GetWindowTextA(window, title, sizeof title);
    return title;
}

bool WaitForTitle(HWND window, const std::string& part, DWORD timeoutMs) {
    return WaitUntil([&] { return WindowTitle(window).find(part) != std::string::npos; }, timeoutMs);
}

HWND ItemBox(HWND window) { return FindWindowExA(window, nullptr, "Edit", nullptr); }

std::string TodayLogFile(const std::string& dataDir) {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return DayFilePath(dataDir, At(st.wYear, st.wMonth, st.wDay));
}

std::string MarkedDayLog(const std::string& dataDir) {
    return std::regex_replace(ReadWholeFile(TodayLogFile(dataDir)), std::regex(R"(\d\d:\d\d \d\d/\d\d/\d{4})"), "@");
}

int BasketLines(HWND window) {
    DWORD_PTR count = 0;
    SendMessageTimeoutA(FindWindowExA(window, nullptr, "ListBox", nullptr), LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000,
                        &count);
    return static_cast<int>(count);
}

testing::AssertionResult Scan(HWND window, const std::string& code) {
    HWND box = ItemBox(window);
    const int lines = BasketLines(window);
    if (auto typed = TypeInto(box, code); !typed) return typed;
    if (auto enter = PressKeyIn(box, VK_RETURN); !enter) return enter;
    if (WaitUntil([&] { return BasketLines(window) > lines; }, 10000)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "Enter after " << code << " added no basket line; the item box holds '"
                                       << ControlText(box) << "', in front is "
                                       << DescribeWindow(GetForegroundWindow());
}

testing::AssertionResult PayCash(HWND window, const std::string& tendered) {
    if (auto f5 = PressKeyIn(ItemBox(window), VK_F5); !f5) return f5;
    return EnterInDialog("Cash payment", tendered);
}

testing::AssertionResult ChooseFromMenu(HWND window, int menu, int item) {
    const auto inMenu = [&] { return (GuiThreadInfo(window).flags & GUI_INMENUMODE) != 0; };
    // A window closing just before may still take the activation back and end the
    // menu: Alt again, as a person would.
    for (int attempt = 0; !inMenu(); ++attempt) {
        if (attempt == 3) return testing::AssertionFailure() << "Alt did not reach the menu bar";
        if (auto alt = PressKeyIn(ItemBox(window), VK_MENU); !alt) return alt;
        WaitUntil(inMenu, 1000);
    }
    // Each key only while the menu is still open: a key that reached the item box instead
    // would change the category or start a search.
    std::vector<WORD> keys(static_cast<std::size_t>(menu), VK_RIGHT);
    keys.insert(keys.end(), static_cast<std::size_t>(item) + 1, VK_DOWN);  // the first Down opens the menu
    keys.push_back(VK_RETURN);
    for (WORD key : keys) {
        if (!inMenu()) return testing::AssertionFailure() << "the menu closed before its item was chosen";
        PressKey(key);
        Sleep(30);
    }
    if (WaitUntil([&] { return !inMenu(); })) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the menu is still open";
}

testing::AssertionResult TypeAndEnter(HWND dialog, const std::string& typed) {
    HWND box = GetDlgItem(dialog, IDC_EDIT1);
    if (auto typedIn = TypeInto(box, typed); !typedIn) return typedIn;
    if (auto enter = PressKeyIn(box, VK_RETURN); !enter) return enter;
    return WaitForWindowGone(dialog) << " after Enter";
}

testing::AssertionResult AnswerDialog(const char* title, const std::string& text) {
    HWND dialog = WaitForDialog(title);
    if (const std::string shown = ControlText(GetDlgItem(dialog, 0xFFFF)); !text.empty() && shown != text)
        return testing::AssertionFailure() << title << " shows '" << shown << "', not '" << text << "'";
    return AnswerWithKey(dialog);
}

testing::AssertionResult EnterInDialog(const char* title, const std::string& typed) {
    return TypeAndEnter(WaitForDialog(title), typed);
}
