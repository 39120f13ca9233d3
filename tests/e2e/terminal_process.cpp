#include "e2e/terminal_process.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <vector>

#include <gtest/gtest.h>

#include "logs/clock.h"
#include "resources/resource_ids.h"
#include "support/real_input.h"
#include "support/temp_dir.h"

std::string TerminalDataDirectory() {
    char folder[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    return std::string(folder) + "\\Nordane\\varenkoclient";
}

TerminalProcess::~TerminalProcess() {
    if (process_.hProcess) {
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

bool TerminalProcess::Start() {
    const std::string dir = ProgramDirectory();
    std::string command = "\"" + dir + "\\" VARENKO_EXE_NAME "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    return CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup,
                          &process_);
}

namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisibleMainWindow(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (pid == search->processId && lstrcmpA(cls, "WNEC") == 0 && IsWindowVisible(hwnd)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND TerminalProcess::WaitForMainWindow(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        WindowSearch search = {process_.dwProcessId, nullptr};
        EnumWindows(FindVisibleMainWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return window_ = search.found;
        if (WaitForSingleObject(process_.hProcess, 100) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

int TerminalProcess::Close(DWORD timeoutMs) {
    if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
}

namespace {

constexpr const char* kMailCommandKey = "Software\\Classes\\mailto\\shell\\open\\command";
constexpr const char* kMailLinkKey = "Software\\VarenkoTest";

}  // namespace

MailLinkRecorder::MailLinkRecorder() {
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kMailCommandKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &command_, nullptr);
    DWORD size = sizeof previous_ - 1;
    if (RegQueryValueExA(command_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(previous_), &size) != 0)
        previous_[0] = 0;
    const char recorder[] = "reg.exe add HKCU\\Software\\VarenkoTest /v MailLink /d \"%1\" /f";
    RegSetValueExA(command_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(recorder), sizeof recorder);
    RegDeleteKeyA(HKEY_CURRENT_USER, kMailLinkKey);
}

MailLinkRecorder::~MailLinkRecorder() {
    if (previous_[0])
        RegSetValueExA(command_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(previous_),
                       static_cast<DWORD>(lstrlenA(previous_) + 1));
    else
        RegDeleteValueA(command_, nullptr);
    RegCloseKey(command_);
    RegDeleteKeyA(HKEY_CURRENT_USER, kMailLinkKey);
}

namespace {

bool ProcessRunning(const char* exeName) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    bool running = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !running; more = Process32Next(snapshot, &entry))
        running = lstrcmpiA(entry.szExeFile, exeName) == 0;
    CloseHandle(snapshot);
    return running;
}

}  // namespace

std::string MailLinkRecorder::Link() const {
    char link[4096] = {};
    WaitUntil(
        [&] {
            DWORD size = sizeof link - 1;
            return RegGetValueA(HKEY_CURRENT_USER, kMailLinkKey, "MailLink", RRF_RT_REG_SZ, nullptr, link, &size) == 0;
        },
        10000);
    // Until the recorder has gone, Wine may hand it the activation, and with it the
    // keys meant for the till.
    WaitUntil([] { return !ProcessRunning("reg.exe"); }, 10000);
    return link;
}

bool SaveWindowPicture(HWND window, const std::string& path) {
    RECT r;
    if (!GetWindowRect(window, &r)) return false;
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    const DWORD rowBytes = ((w * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + rowBytes * h;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    bytes.append(static_cast<const char*>(bits), rowBytes * h);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    WriteWholeFile(path, bytes);
    return true;
}

HWND WaitForDialog(const char* title, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        HWND dialog = FindWindowA("#32770", title);
        if (dialog && IsWindowVisible(dialog)) {
            // Under Wine the window it replaced may take the activation back for a moment,
            // and with it the keys meant for the dialog: wait until the dialog holds it.
            for (int steady = 0, i = 0; steady < 2 && i < 40; ++i, Sleep(50))
                steady = GetForegroundWindow() == dialog ? steady + 1 : 0;
            return dialog;
        }
        Sleep(50);
    }
    return nullptr;
}

TerminalConfig PrepareOnlineTill(const std::string& dataDir, const std::function<void(TerminalConfig&)>& adjust) {
    RemoveTree(dataDir);
    CreateDirectoryA(dataDir.substr(0, dataDir.find_last_of('\\')).c_str(), nullptr);
    CreateDirectoryA(dataDir.c_str(), nullptr);
    TerminalConfig till;
    ApplyDefaults(till, LocalTime{});
    till.SetServerConnection(1);
    till.SetServerName("");  // this computer
    till.SetSwitch(16, 2);   // sounds off on this till
    till.SetText(cfg::kKitchenPrinter, cfg::kLongTextWidth, "Kitchen Printer");
    if (adjust) adjust(till);
    WriteWholeFile(dataDir + "\\vks.cfg", std::string(reinterpret_cast<const char*>(till.data()), cfg::kSize));
    return till;
}

testing::AssertionResult LogOn(const std::string& digits, LogonBy by) {
    HWND logon = WaitForDialog("VARENKO Logon");
    if (!logon) return testing::AssertionFailure() << "no logon dialog";
    HWND password = GetDlgItem(logon, IDC_EDIT1);
    if (by == LogonBy::Keyboard) {
        if (auto typed = TypeInto(password, digits); !typed) return typed;
        if (auto enter = PressKeyIn(password, VK_RETURN); !enter) return enter;
        return WaitForWindowGone(logon) << " after Enter";
    }
    const int keys[10] = {IDC_LOGON_KEY_0, IDC_LOGON_KEY_1, IDC_LOGON_KEY_2, IDC_LOGON_KEY_3, IDC_LOGON_KEY_4,
                          IDC_LOGON_KEY_5, IDC_LOGON_KEY_6, IDC_LOGON_KEY_7, IDC_LOGON_KEY_8, IDC_LOGON_KEY_9};
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
    const DWORD start = GetTickCount();
    while (WindowTitle(window).find(part) == std::string::npos) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(50);
    }
    return true;
}

HWND ItemBox(HWND window) { return FindWindowExA(window, nullptr, "Edit", nullptr); }

std::string TodayLogFile(const std::string& dataDir) {
    SYSTEMTIME st;
    GetLocalTime(&st);
    LocalTime t;
    t.year = st.wYear;
    t.month = st.wMonth;
    t.day = st.wDay;
    return DayFilePath(dataDir, t);
}

int BasketLines(HWND window) {
    DWORD_PTR count = 0;
    SendMessageTimeoutA(FindWindowExA(window, nullptr, "ListBox", nullptr), LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000,
                        &count);
    return static_cast<int>(count);
}

testing::AssertionResult Scan(HWND window, const std::string& code) {
    HWND box = ItemBox(window);
    if (!box || !FindWindowExA(window, nullptr, "ListBox", nullptr))
        return testing::AssertionFailure() << "no item box or basket list in the main window";
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
    HWND cash = WaitForDialog("Cash payment");
    if (!cash)
        return testing::AssertionFailure() << "F5 opened no cash dialog; in front is "
                                           << DescribeWindow(GetForegroundWindow());
    HWND amount = GetDlgItem(cash, IDC_EDIT1);
    if (auto typed = TypeInto(amount, tendered); !typed) return typed;
    if (auto enter = PressKeyIn(amount, VK_RETURN); !enter) return enter;
    return WaitForWindowGone(cash) << " after Enter";
}

testing::AssertionResult ChooseFromMenu(HWND window, int menu, int item) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    const auto inMenu = [&] { return GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMENUMODE); };
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
    if (WaitUntil([&] { return GetGUIThreadInfo(thread, &info) && !(info.flags & GUI_INMENUMODE); }))
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the menu is still open";
}

testing::AssertionResult EnterInDialog(const char* title, const std::string& typed) {
    HWND dialog = WaitForDialog(title);
    if (!dialog) return testing::AssertionFailure() << title << " did not open";
    HWND box = GetDlgItem(dialog, IDC_EDIT1);
    if (auto typedIn = TypeInto(box, typed); !typedIn) return typedIn;
    if (auto enter = PressKeyIn(box, VK_RETURN); !enter) return enter;
    return WaitForWindowGone(dialog) << " after Enter in " << title;
}

testing::AssertionResult OpenOnlineTill(ShopServerProcess& server, TerminalProcess& terminal, HWND& window,
                                        const std::function<void(TerminalConfig&)>& adjust) {
    if (!server.Start()) return testing::AssertionFailure() << "the shop server did not start: " << server.Log();
    PrepareOnlineTill(TerminalDataDirectory(), adjust);
    if (!terminal.Start()) return testing::AssertionFailure() << "the terminal did not start";
    window = terminal.WaitForMainWindow();
    if (!window) return testing::AssertionFailure() << "no main window";
    if (auto logon = LogOn("1111"); !logon) return logon;
    if (!WaitForTitle(window, "Assoc")) return testing::AssertionFailure() << "no associate in the title";
    return testing::AssertionSuccess();
}
