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
#include "support/app_fixture.h"

class TillFixture : public AppFixture {
protected:
    // 14:05 on Monday 3 February 2025.
    static void FixedClock(LocalTime& out) { out = LocalTime{2025, 2, 1, 3, 14, 5, 30, 0}; }

    void SetUp() override {
        AppFixture::SetUp();
        SetClockSource(FixedClock);
        g_app.instance = GetModuleHandleA(nullptr);
        lstrcpyA(g_app.className, "WNEC");
        lstrcpyA(g_app.computerName, "TILL7");
        EnsureConfigurationFile();
        RegisterWindowClasses(g_app.instance);
        window_ = CreateWindowExA(0, "WNEC", "test", WS_CAPTION | WS_SYSMENU, 0, 0, 1024, 708, nullptr, nullptr,
                                  g_app.instance, nullptr);
        ASSERT_NE(window_, nullptr);
        ShowWindow(window_, SW_SHOW);
        UpdateWindow(window_);
        Pump();
        g_app.live.SetCurrentAssociate(1);
        g_app.live.SetAssociateName(1, "Marta");
        g_app.live.SetSwitch(basketcfg::kSoundsOff, 2);
        g_app.live.SetOption(basketcfg::kTax1Enabled, 0);
        g_app.live.SetOption(basketcfg::kTax2Enabled, 0);
    }
    void TearDown() override {
        if (g_app.entryDialog) DestroyWindow(g_app.entryDialog);
        DestroyWindow(window_);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {}  // drop the quit message
        SetClockSource(nullptr);
        AppFixture::TearDown();
    }
    static void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    // A main-window command, as a menu item or a button sends it.
    void Command(int id) { SendMessageA(window_, WM_COMMAND, id, 0); }

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
    static int ListEntries() { return static_cast<int>(SendMessageA(g_app.basketList, LB_GETCOUNT, 0, 0)); }

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

    HWND window_ = nullptr;
};
