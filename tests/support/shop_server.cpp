#include "support/shop_server.h"

#include <cstdio>
#include <filesystem>
#include <sstream>

ShopServerProcess::ShopServerProcess() {
    std::error_code ignored;
    std::filesystem::copy(ProgramDirectory() + "\\demo", shopDirectory(), std::filesystem::copy_options::recursive,
                          ignored);
    logPath_ = data_.path() + "\\server.log";
}

ShopServerProcess::~ShopServerProcess() { Stop(); }

void ShopServerProcess::SetShopValue(const std::string& key, const std::string& value) {
    const std::string path = shopDirectory() + "\\shop.txt";
    std::istringstream in(ReadWholeFile(path));
    std::string out, line;
    while (std::getline(in, line)) {
        if (line.rfind(key, 0) == 0 && line.find('=') != std::string::npos) line = key + " = " + value;
        out += line + "\n";
    }
    WriteWholeFile(path, out);
}

bool StartLoggedProcess(std::string command, const std::string& logPath, PROCESS_INFORMATION& process) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE log = CreateFileA(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = log;
    startup.hStdError = log;
    BOOL started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                  nullptr, &startup, &process);
    CloseHandle(log);
    if (!started) return false;
    // The process ends with this one even when a test dies without stopping it.
    static HANDLE job = [] {
        HANDLE j = CreateJobObjectA(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(j, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        return j;
    }();
    AssignProcessToJobObject(job, process.hProcess);
    return true;
}

bool ShopServerProcess::Start() {
    const std::string command = "\"" + ProgramDirectory() + "\\shopserver.exe\" \"" + shopDirectory() + "\"";
    // Under Wine a server started just after another has gone now and then ends at once
    // without a word: it is started once more, and the test's output tells.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!StartLoggedProcess(command, logPath_, process_)) return false;
        for (int i = 0; i < 200; ++i) {
            if (Log().find("serving") != std::string::npos) return true;
            if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0) break;
        }
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        const bool silent = code != STILL_ACTIVE && Log().empty();
        std::printf("shopserver did not start serving (exit code 0x%lx)%s\n", static_cast<unsigned long>(code),
                    silent ? "; starting it once more" : "");
        Stop();
        if (!silent) return false;
    }
    return false;
}

void ShopServerProcess::Stop() {
    if (!process_.hProcess) return;
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 10000);
    CloseHandle(process_.hProcess), CloseHandle(process_.hThread);
    process_ = {};
    // The pipe can outlive the process for a moment; the next server must not meet it.
    for (int i = 0; i < 100; ++i) {
        if (!WaitNamedPipeA("\\\\.\\pipe\\rpcvk", 1) && GetLastError() == ERROR_FILE_NOT_FOUND) break;
        Sleep(20);
    }
}

std::string ShopServerProcess::Log() const { return ReadWholeFile(logPath_); }
