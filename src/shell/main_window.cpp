#include "shell/main_window.h"

#include "link/server_binding.h"
#include "logs/day_log.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/config_file.h"
#include "shell/message_box.h"

void RunTerminalStartup(HWND hwnd) {
    g_app.mainWindow = hwnd;
    g_app.splashPicture = static_cast<HBITMAP>(
        LoadImageA(g_app.instance, MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    RefreshClock();

    g_app.labels = DefaultLabelTable();
    LabelTable fetched;
    if (StartupBinding(fetched))
        TakeFetchedLabels(g_app.labels, fetched);
    else
        g_app.offline = 1;

    if (!LoadConfiguration()) {
        g_app.startupFailed = true;
        PostQuitMessage(0);
        return;
    }
    SaveConfigurationAtStartup();
    EnsureLogDirectories(g_app.dataDir);
    RefreshClock();
    if (!AppendToDayFile(g_app.dataDir, SwitchOnEntry(g_clockText)))
        ShowMessage(hwnd, "Unable to update the log file in WM_CREATE.", "Problem");
}

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        RunTerminalStartup(hwnd);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDM_EXIT) {
            DestroyWindow(hwnd);
            return 0;
        }
        break;
    case WM_DESTROY:
        if (g_app.splashPicture) DeleteObject(g_app.splashPicture);
        g_app.splashPicture = nullptr;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
