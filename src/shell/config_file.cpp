#include "shell/config_file.h"

#include <string>

#include "logs/day_log.h"
#include "shell/app_state.h"
#include "shell/message_box.h"

bool ReadConfigFile(const char* path, TerminalConfig& out) {
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD total = 0;
    while (total < cfg::kSize) {
        DWORD got = 0;
        if (!ReadFile(h, out.data() + total, static_cast<DWORD>(cfg::kSize) - total, &got, nullptr) || got == 0)
            break;
        total += got;
    }
    CloseHandle(h);
    return true;
}

bool WriteConfigFile(const char* path, const TerminalConfig& config) {
    const std::string temporary = std::string(path) + ".new";
    HANDLE h = CreateFileA(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(h, config.data(), static_cast<DWORD>(cfg::kSize), &written, nullptr) &&
              written == cfg::kSize && FlushFileBuffers(h);
    CloseHandle(h);
    if (ok) ok = MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileA(temporary.c_str());
    return ok;
}

void WriteDefaultConfiguration() {
    RefreshClock();
    ApplyDefaults(g_app.live, g_localTime);

    char currentDir[121];
    DWORD n = GetCurrentDirectoryA(sizeof currentDir, currentDir);
    if (n == 0 || n >= sizeof currentDir) {
        ShowMessage(g_app.mainWindow, "Unable to locate directory in dodemo.", "Problem");
        return;
    }
    for (const char* logo : {"letter.bmp", "receipt.bmp"}) {
        const std::string from = std::string(currentDir) + "\\" + logo;
        const std::string to = std::string(g_app.dataDir) + "\\" + logo;
        CopyFileA(from.c_str(), to.c_str(), FALSE);
    }
    if (!WriteConfigFile(g_app.configPath, g_app.live))
        ShowMessage(g_app.mainWindow, "Data file: vkc.cfg, not present.", "Fatal error");
}

int LoadConfiguration() {
    if (g_app.offline && !ReadConfigFile(g_app.configPath, g_app.live)) {
        ShowMessage(g_app.mainWindow, "Data file vkc.cfg not present in Opendata.", "Fatal error");
        return 0;
    }
    MergeLocalFieldsAtLoad(g_app.live, g_app.image);
    CopyHeaderTexts(g_app.headers, g_app.live);
    return 1;
}

void SaveConfigurationAtStartup() {
    RefreshClock();
    PrepareStartupSave(g_app.image, g_app.live, g_localTime);
    if (!WriteConfigFile(g_app.configPath, g_app.image)) ShowMessage(g_app.mainWindow, "vkc.cfg", "Problem");
}

void SaveConfigurationAtExit() {
    RefreshClock();
    PrepareExitSave(g_app.image, g_app.live, g_localTime);
    if (!WriteConfigFile(g_app.configPath, g_app.image))
        ShowMessage(nullptr, "Unable to create vkc.cfg at end of WinMain", "Problem");
}
