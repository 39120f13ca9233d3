#include "e2e/terminal_process.h"

#include <shlobj.h>

#include <gtest/gtest.h>

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
        if (dialog && IsWindowVisible(dialog)) return dialog;
        Sleep(50);
    }
    return nullptr;
}

void PressButton(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
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

void LogOn(const std::string& digits) {
    HWND logon = WaitForDialog("VARENKO Logon");
    ASSERT_NE(logon, nullptr);
    const int keys[10] = {2412, 2402, 2403, 2404, 2405, 2407, 2406, 2408, 2409, 2410};
    for (char d : digits) PressButton(logon, keys[d - '0']);
    PressButton(logon, IDOK);
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

void Scan(HWND window, const std::string& code) {
    HWND box = FindWindowExA(window, nullptr, "Edit", nullptr);
    ASSERT_NE(box, nullptr);
    for (char c : code + "\r") PostMessageA(box, WM_CHAR, static_cast<unsigned char>(c), 1);
}
