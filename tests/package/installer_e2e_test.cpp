// The installer as a shop uses it, under Wine in a prefix that has never had VARENKO
// (tests/package/run.sh makes the prefix and unpacks the zip beside the installer):
// a silent install with the shop server, the demo shop server and the terminal started
// from their shortcuts, an install refused while the terminal runs, an upgrade and the
// uninstall, with the terminal's data directory untouched by all three.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "e2e/terminal_process.h"
#include "resources/resource_ids.h"
#include "support/real_input.h"
#include "support/temp_dir.h"
#include "version.h"

namespace {

const char* const kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VARENKO";

const std::string kDist = VARENKO_DIST_DIR;
const std::string kSetup = kDist + "\\varenko-setup-" VARENKO_VERSION ".exe";

std::string InstallDirectory() { return ShellFolder(CSIDL_PROGRAM_FILES) + "\\VARENKO"; }
std::string StartMenuFolder() { return ShellFolder(CSIDL_COMMON_PROGRAMS) + "\\VARENKO"; }
std::string DesktopShortcut() { return ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + "\\VARENKO.lnk"; }

// Runs a command line and waits for it: its exit code, or -1.
int RunAndWait(const std::string& commandLine) {
    TerminalProcess process;
    return process.Start(commandLine) ? process.Close(60000) : -1;
}

int RunSetup(const std::string& options) { return RunAndWait("\"" + kSetup + "\" " + options); }

// Every folder ("\\name\\") and file ("\\name") below `root` by relative path, files with their bytes.
using Tree = std::map<std::string, std::string>;
Tree ReadTree(const std::string& root) {
    Tree tree;
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root, error)) {
        const std::string path = entry.path().string().substr(root.size());
        if (entry.is_directory())
            tree[path + "\\"] = "";
        else
            tree[path] = ReadWholeFile(entry.path().string());
    }
    return tree;
}
std::string Names(const Tree& tree) {
    std::string names;
    for (const auto& [name, bytes] : tree) names += name + " ";
    return names;
}

std::string RegistryText(const char* name) {
    char text[MAX_PATH] = {};
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return "(none)";
    return text;
}

std::string ProductVersion(const std::string& file) {
    std::string block(GetFileVersionInfoSizeA(file.c_str(), nullptr), '\0');
    char* text = nullptr;
    UINT length = 0;
    if (block.empty() || !GetFileVersionInfoA(file.c_str(), 0, static_cast<DWORD>(block.size()), block.data()) ||
        !VerQueryValueA(block.data(), "\\StringFileInfo\\040904E4\\ProductVersion", reinterpret_cast<void**>(&text),
                        &length))
        return "(none)";
    return std::string(text, length ? length - 1 : 0);
}

// "<target> in <working directory>" of a shortcut.
std::string ShortcutText(const std::string& path) {
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))))
        return "(no shell link)";
    IPersistFile* file = nullptr;
    const std::wstring widePath(path.begin(), path.end());
    char target[MAX_PATH] = {}, directory[MAX_PATH] = {};
    if (SUCCEEDED(link->QueryInterface(IID_PPV_ARGS(&file))) &&
        SUCCEEDED(file->Load(widePath.c_str(), STGM_READ))) {
        link->GetPath(target, sizeof target, nullptr, 0);
        link->GetWorkingDirectory(directory, sizeof directory);
    }
    if (file) file->Release();
    link->Release();
    return std::string(target) + " in " + directory;
}

// Opens a shortcut as a double click on it does.
bool OpenShortcut(const std::string& path) {
    return reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
}

TEST(InstallerEndToEnd, SilentInstallRunsTheTillAndUpgradeAndUninstallLeaveItsDataAlone) {
    CoInitialize(nullptr);
    const std::string dir = InstallDirectory();
    const std::string dataDir = TerminalDataDirectory();
    ASSERT_FALSE(DirectoryExists(dir)) << "the prefix is not new";

    // Install with the shop server: the install folder holds what the zip holds, and
    // the uninstaller.
    ASSERT_EQ(RunSetup("/S /SERVER"), 0);
    const Tree zip = ReadTree(kDist + "\\unzipped");
    Tree installed = ReadTree(dir);
    EXPECT_EQ(installed.erase("\\uninstall.exe"), 1u);
    EXPECT_TRUE(installed == zip) << "installed: " << Names(installed) << "\nzip: " << Names(zip);
    EXPECT_EQ(ProductVersion(dir + "\\varenko.exe"), VARENKO_VERSION " (" VARENKO_REVISION ")");
    EXPECT_EQ(RegistryText("DisplayVersion"), VARENKO_VERSION);
    const std::string uninstaller = RegistryText("UninstallString");
    EXPECT_EQ(uninstaller, "\"" + dir + "\\uninstall.exe\"");
    // Both shortcuts start the terminal in the install folder, where F1 finds the help
    // page and a first start the logos.
    for (const std::string& link : {DesktopShortcut(), StartMenuFolder() + "\\VARENKO.lnk"})
        EXPECT_EQ(ShortcutText(link), dir + "\\varenko.exe in " + dir) << link;

    // The demo shop server sets up the till, which has never run, to work with it.
    ASSERT_TRUE(OpenShortcut(StartMenuFolder() + "\\VARENKO demo shop server.lnk"));
    ASSERT_TRUE(WaitUntil([] { return WaitNamedPipeA("\\\\.\\pipe\\rpcvk", 100) != 0; }, 30000))
        << "the demo shop server did not start";
    EXPECT_EQ(ReadWholeFile(dataDir + "\\letter.bmp"), zip.at("\\letter.bmp"));

    // The terminal from the desktop: it logs on, and its About box shows the version.
    ASSERT_TRUE(OpenShortcut(DesktopShortcut()));
    ASSERT_TRUE(LogOn("1111"));
    HWND window = FindWindowA("WNEC", nullptr);
    ASSERT_TRUE(window && IsWindowVisible(window));
    ASSERT_TRUE(WaitForTitle(window, "Assoc: 1, Administrator"));
    ASSERT_TRUE(BringToFront(window));
    PressChord(VK_MENU, static_cast<WORD>(VkKeyScanA('/') & 0xFF));
    HWND about = WaitForDialog("About VARENKO");
    EXPECT_EQ(ControlText(GetDlgItem(about, IDC_LABEL2)), "Version " VARENKO_VERSION);
    ASSERT_TRUE(AnswerWithKey(about));

    // While it runs an install changes nothing (the help page stays deleted) and fails.
    ASSERT_TRUE(DeleteFileA((dir + "\\varenko.htm").c_str()));
    EXPECT_EQ(RunSetup("/S"), 3);
    EXPECT_FALSE(FileExists(dir + "\\varenko.htm"));

    // Alt+F4 closes it the usual way, with the day log's closing lines.
    ASSERT_TRUE(BringToFront(window));
    PressChord(VK_MENU, VK_F4);  // Alt+F4
    const std::string wholeDay = "\r\n@  Switched on.\r\n\r\n@  User 1, Administrator, logged on.\r\n"
                                 "\r\n@  Switched off.\r\nClerk: 1, Administrator\r\n";
    EXPECT_TRUE(WaitUntil([&] { return MarkedDayLog(dataDir) == wholeDay; }, 30000)) << MarkedDayLog(dataDir);
    EXPECT_TRUE(WaitUntil([] { return FindWindowA("WNEC", nullptr) == nullptr; }));
    // The demo shop server ended as closing its window does.
    EXPECT_EQ(RunAndWait("taskkill /f /im shopserver.exe"), 0);
    EXPECT_TRUE(WaitUntil([] { return ProcessesOf("shopserver.exe").empty(); }));

    // An upgrade keeps the shop server it had, and the data directory as it was.
    const Tree data = ReadTree(dataDir);
    ASSERT_TRUE(data.count("\\vks.cfg"));
    ASSERT_EQ(RunSetup("/S"), 0);
    installed = ReadTree(dir);
    installed.erase("\\uninstall.exe");
    EXPECT_TRUE(installed == zip) << "after the upgrade: " << Names(installed);
    EXPECT_TRUE(ReadTree(dataDir) == data) << "data after the upgrade: " << Names(ReadTree(dataDir));

    // The uninstaller from Add/Remove Programs removes the program, its shortcuts and its
    // entry there, and nothing of the data directory. It works on in a copy of itself.
    ASSERT_EQ(RunAndWait(uninstaller + " /S"), 0);
    const auto removed = [&] {
        return !DirectoryExists(dir) && !DirectoryExists(StartMenuFolder()) && !FileExists(DesktopShortcut()) &&
               RegistryText("UninstallString") == "(none)";
    };
    EXPECT_TRUE(WaitUntil(removed, 30000)) << "left: " << Names(ReadTree(dir)) << "start menu "
                                           << DirectoryExists(StartMenuFolder()) << ", desktop "
                                           << FileExists(DesktopShortcut()) << ", " << RegistryText("UninstallString");
    EXPECT_TRUE(ReadTree(dataDir) == data) << "data after the uninstall: " << Names(ReadTree(dataDir));
}

}  // namespace
