#include "shell/startup.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "logs/day_log.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/config_file.h"
#include "shell/main_window.h"
#include "shell/message_box.h"

AppState g_app;

bool DesktopIsLargeEnough(int width, int height) {
    return width >= kMinimumDesktopWidth && height >= kMinimumDesktopHeight;
}

bool ResolveDataDirectory() {
    char folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) return false;
    int n = std::snprintf(g_app.dataDir, sizeof g_app.dataDir, "%s\\Nordane\\varenkoclient", folder);
    if (n < 0 || n >= static_cast<int>(sizeof g_app.dataDir)) return false;
    n = std::snprintf(g_app.configPath, sizeof g_app.configPath, "%s\\vks.cfg", g_app.dataDir);
    return n > 0 && n < static_cast<int>(sizeof g_app.configPath);
}

void EnsureConfigurationFile() {
    HANDLE h = CreateFileA(g_app.configPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
        return;
    }
    SHCreateDirectoryExA(nullptr, g_app.dataDir, nullptr);
    const DWORD attributes = GetFileAttributesA(g_app.dataDir);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        WriteDefaultConfiguration();
    else
        ShowMessage(nullptr, "Unable to create data directory", "Fatal error");
}

void RegisterWindowClasses(HINSTANCE instance) {
    WNDCLASSEXA main = {};
    main.cbSize = sizeof main;
    main.style = CS_HREDRAW | CS_VREDRAW;
    main.lpfnWndProc = MainWndProc;
    main.hInstance = instance;
    main.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
    main.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    main.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    main.lpszMenuName = MAKEINTRESOURCEA(IDM_MAIN);
    main.lpszClassName = g_app.className;
    main.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SMALL));
    RegisterClassExA(&main);

    WNDCLASSEXA splash = {};
    splash.cbSize = sizeof splash;
    splash.style = CS_HREDRAW | CS_VREDRAW;
    splash.lpfnWndProc = SplashWndProc;
    splash.hInstance = instance;
    splash.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    splash.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    splash.lpszClassName = kSplashClassName;
    RegisterClassExA(&splash);
}

int InitInstance(HINSTANCE instance, int showCommand) {
    (void)showCommand;  // the window is shown when the splash closes
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    const std::string title = CurrentClockTitle();

    LoadLibraryA("RICHED32.DLL");
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0x14C};
    InitCommonControlsEx(&controls);

    HWND main = CreateWindowExA(0, g_app.className, title.c_str(),
                                WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, CW_USEDEFAULT,
                                CW_USEDEFAULT, 1024, 746, nullptr, nullptr, instance, nullptr);
    if (!main) return 0;
    g_app.mainWindow = main;

    g_app.splashWindow = CreateWindowExA(WS_EX_TOOLWINDOW, kSplashClassName, "", 0, desktop.right / 2 - 200,
                                         desktop.bottom / 2 - 99, 400, 198, nullptr, nullptr, instance, nullptr);
    ShowWindow(g_app.splashWindow, SW_SHOWNORMAL);
    UpdateWindow(g_app.splashWindow);
    return 1;
}

int RunMessageLoop() {
    HACCEL accelerators = LoadAcceleratorsA(g_app.instance, MAKEINTRESOURCEA(IDA_MAIN));
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(g_app.mainWindow, accelerators, &msg)) continue;
        if (g_app.entryDialog && IsDialogMessageA(g_app.entryDialog, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void Shutdown() {
    SaveConfigurationAtExit();
    EnsureLogDirectories(g_app.dataDir);
    RefreshClock();
    const LogEntry entry = SwitchOffEntry(g_clockText, g_app.live.CurrentAssociate(), g_app.live.CurrentAssociateName());
    if (!AppendToDayFile(g_app.dataDir, entry))
        ShowMessage(nullptr, "Unable to open log text file at end of WinMain.", "Problem");
}

int RunTerminal(HINSTANCE instance, int showCommand) {
    g_app.instance = instance;
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    if (!DesktopIsLargeEnough(desktop.right - desktop.left, desktop.bottom - desktop.top)) {
        ShowMessage(nullptr, "Program requires desktop of at least 1024 by 708", "Problem");
        return 0;
    }
    LoadStringA(instance, IDS_CLASS_NAME, g_app.className, sizeof g_app.className);
    DWORD size = sizeof g_app.computerName;
    GetComputerNameA(g_app.computerName, &size);
    if (ResolveDataDirectory()) EnsureConfigurationFile();

    RegisterWindowClasses(instance);
    if (!InitInstance(instance, showCommand)) return 0;
    int exitCode = RunMessageLoop();
    if (!g_app.startupFailed) Shutdown();
    if (g_app.parkedBaskets) GlobalFree(g_app.parkedBaskets);
    g_app.parkedBaskets = nullptr;
    return exitCode;
}

LRESULT CALLBACK SplashWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCALCSIZE:
        return 0;
    case WM_CREATE: {
        HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
        HDC memory = CreateCompatibleDC(screen);
        g_app.splashBackground = CreateCompatibleBitmap(screen, 400, 198);
        HGDIOBJ old = SelectObject(memory, g_app.splashBackground);
        BitBlt(memory, 0, 0, 400, 198, screen, GetSystemMetrics(SM_CXSCREEN) / 2 - 200,
               GetSystemMetrics(SM_CYSCREEN) / 2 - 99, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        DeleteDC(screen);
        SetTimer(hwnd, kSplashTimer, 2000, nullptr);
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, g_app.splashBackground);
        BitBlt(dc, 0, 0, 400, 198, memory, 0, 0, SRCCOPY);
        if (g_app.splashPicture) {
            SelectObject(memory, g_app.splashPicture);
            TransparentBlt(dc, 0, 0, 400, 198, memory, 0, 0, 400, 198, RGB(0, 0, 255));
        }
        SelectObject(memory, old);
        DeleteDC(memory);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_TIMER:
        KillTimer(hwnd, wParam);
        if (wParam == kSplashTimer) {
            if (g_app.splashBackground) DeleteObject(g_app.splashBackground);
            g_app.splashBackground = nullptr;
            DestroyWindow(hwnd);
        }
        return 0;
    case WM_DESTROY: {
        g_app.splashWindow = nullptr;
        g_app.parkedBaskets = GlobalAlloc(GHND, kParkedBasketStoreSize);
        RECT desktop;
        GetWindowRect(GetDesktopWindow(), &desktop);
        MoveWindow(g_app.mainWindow, (desktop.right - desktop.left) / 2 - 512, 2, 1024, 708, FALSE);
        ShowWindow(g_app.mainWindow, SW_SHOW);
        UpdateWindow(g_app.mainWindow);
        if (!g_app.offline)
            SendMessageA(g_app.mainWindow, WM_COMMAND, CMD_LOG_OFF, 0);
        else
            ReturnFocus();  // the item-entry box: scanned items go straight in
        return 0;
    }
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
