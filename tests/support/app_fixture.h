// Points the terminal's state at a fresh data directory and captures its messages.
#pragma once
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "shell/app_state.h"
#include "shell/message_box.h"
#include "support/temp_dir.h"

class AppFixture : public testing::Test {
public:  // to the steps of table rows too
    void SetUp() override {
        g_app = AppState{};
        const std::string dir = temp_ / "data";
        std::snprintf(g_app.dataDir, sizeof g_app.dataDir, "%s", dir.c_str());
        std::snprintf(g_app.configPath, sizeof g_app.configPath, "%s\\vks.cfg", dir.c_str());
        CreateDirectoryA(g_app.dataDir, nullptr);
        capture_ = std::make_unique<MessageCapture>();
    }
    void TearDown() override { capture_.reset(), g_app = AppState{}; }
    const MessageCapture& messages() const { return *capture_; }
    std::string data(const std::string& name) const { return std::string(g_app.dataDir) + "\\" + name; }

    TempDir temp_;
    std::unique_ptr<MessageCapture> capture_;
};
