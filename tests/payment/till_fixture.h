// A real main window on a fresh data directory (offline start-up), a fixed clock, and
// helpers to fill the basket and type into the payment dialogs (support/dialog_driver.h
// clicks and reads them by their control ids).
#pragma once
#include <gtest/gtest.h>

#include "basket/basket.h"
#include "basket/basket_window.h"
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
        g_app.live.SetOption(12, 1);  // after a sale: no summary
        g_app.live.SetSwitch(0, 0);   // and nothing printed
    }
    void TearDown() override {
        MainWindowFixture::TearDown();
        SetClockSource(nullptr);
    }

    // A non-taxable line as item entry adds it, shown in the basket list unless `listed` is false.
    void AddLine(std::int64_t item, const char* description, double price, bool listed = true) {
        TransactionRecord& b = g_app.basket;
        const int n = b.LineCount();
        ASSERT_TRUE(PriceLineIntoTotals(b, g_app.live, price, 0, 0, false));
        b.SetLineItemNumber(n, item);
        b.SetLineDescription(n, description);
        if (listed) AppendBasketEntry(description);
        b.SetLineCount(n + 1);
    }
    // Types into a dialog's box one character at a time, as the keyboard does.
    static void Type(HWND dialog, int id, const std::string& keys) {
        for (char key : keys) SendDlgItemMessageA(dialog, id, WM_CHAR, static_cast<unsigned char>(key), 1);
    }
    std::string DayFile() const { return DayFilePath(g_app.dataDir, LocalTime{2025, 2, 1, 3, 14, 5, 30, 0}); }
};
