// Runs the development shop server on a private copy of the demo shop for one test.
#pragma once
#include <windows.h>

#include <string>

#include "support/temp_dir.h"

// Starts `command` with its standard output and error going to the file at logPath
// (made afresh), in a job that ends it when this process ends. False if it did not start.
bool StartLoggedProcess(std::string command, const std::string& logPath, PROCESS_INFORMATION& process);

class ShopServerProcess {
public:
    ShopServerProcess();
    ~ShopServerProcess();
    ShopServerProcess(const ShopServerProcess&) = delete;
    ShopServerProcess& operator=(const ShopServerProcess&) = delete;

    // The shop's data directory (a copy of the demo shop); edit its seed files before Start().
    std::string shopDirectory() const { return data_.path() + "\\shop"; }
    // Replaces the line "key = ..." of shop.txt (the line starting with key) with "key = value".
    void SetShopValue(const std::string& key, const std::string& value);
    // Starts shopserver.exe and waits until the pipe answers.
    bool Start();
    void Stop();
    // What the server printed so far.
    std::string Log() const;

private:
    TempDir data_;
    std::string logPath_;
    PROCESS_INFORMATION process_{};
};
