// A real main window on a fresh data directory (offline start-up) at a fixed clock, after
// a sale neither the summary nor a print.
#pragma once
#include <gtest/gtest.h>

#include "logs/day_log.h"
#include "resources/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/main_window_fixture.h"

class TillFixture : public MainWindowFixture {
protected:
    // 14:05 on Monday 3 February 2025.
    static void FixedClock(LocalTime& out) { out = LocalTime{2025, 2, 1, 3, 14, 5, 30, 0}; }

    void SetUp() override {
        SetClockSource(FixedClock);
        MainWindowFixture::SetUp();
        lstrcpyA(g_app.computerName, "TILL7");
        g_app.live.SetOption(12, 1), g_app.live.SetSwitch(0, 0);
    }
    void TearDown() override {
        MainWindowFixture::TearDown();
        SetClockSource(nullptr);
    }
    std::string DayFile() const { return DayFilePath(g_app.dataDir, LocalTime{2025, 2, 1, 3, 14, 5, 30, 0}); }
};
