// A real main window on a fresh data directory (offline start-up), a fixed clock, and
// helpers to fill the basket and work the payment dialogs by their control ids.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "basket/basket.h"
#include "basket/basket_window.h"
#include "logs/day_log.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/startup.h"
#include "support/main_window_fixture.h"

class TillFixture : public MainWindowFixture {
protected:
    // 14:05 on Monday 3 February 2025.
    static void FixedClock(LocalTime& out) { out = LocalTime{2025, 2, 1, 3, 14, 5, 30, 0}; }

    void SetUp() override {
        SetClockSource(FixedClock);
        MainWindowFixture::SetUp();
        lstrcpyA(g_app.computerName, "TILL7");
        g_app.live.SetAssociateName(1, "Marta");
        g_app.live.SetOption(basketcfg::kTax1Enabled, 0);
        g_app.live.SetOption(basketcfg::kTax2Enabled, 0);
        // After a sale this till neither shows the summary nor prints anything.
        g_app.live.SetOption(12, 1);
        g_app.live.SetSwitch(0, 0);
    }
    void TearDown() override {
        MainWindowFixture::TearDown();
        SetClockSource(nullptr);
    }

    // A line as item entry adds it: priced into the totals, and (unless `listed` is
    // false) shown in the basket list.
    void AddLine(std::int64_t item, const char* description, double price, bool listed = true) {
        TransactionRecord& b = g_app.basket;
        const int n = b.LineCount();
        ASSERT_TRUE(PriceLineIntoTotals(b, g_app.live, price, 0, 0, false));
        b.SetLineItemNumber(n, item);
        b.SetLineDescription(n, description);
        if (listed) AppendBasketEntry(NonInventoryEntryText(description, b.LineTotal(n)));
        b.SetLineCount(n + 1);
    }

    // Types one character into a dialog's box, as the keyboard does.
    static void Type(HWND dialog, int id, const std::string& keys) {
        HWND box = GetDlgItem(dialog, id);
        ASSERT_NE(box, nullptr);
        for (char key : keys) SendMessageA(box, WM_CHAR, static_cast<unsigned char>(key), 1);
    }
    static void Clear(HWND dialog, int id) { SetDlgItemTextA(dialog, id, ""); }
    static void Press(HWND dialog, int id) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }
    static std::string Text(HWND dialog, int id) {
        char text[256] = {};
        GetDlgItemTextA(dialog, id, text, sizeof text);
        return text;
    }
    static std::string Title(HWND window) {
        char text[256] = {};
        GetWindowTextA(window, text, sizeof text);
        return text;
    }
    // The background the dialog paints a read-only box with.
    static COLORREF Background(HWND dialog, int id) {
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        SetBkColor(dc, RGB(1, 2, 3));
        SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
        const COLORREF colour = GetBkColor(dc);
        DeleteDC(dc);
        return colour;
    }

    std::string DayFile() const { return DayFilePath(g_app.dataDir, LocalTime{2025, 2, 1, 3, 14, 5, 30, 0}); }
};
