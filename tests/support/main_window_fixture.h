// The real main window, created in the test process on a fresh data directory (the
// start-up runs offline), with associate 1 logged on and sounds off.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "basket/basket.h"
#include "basket/basket_window.h"
#include "shell/app_state.h"
#include "shell/startup.h"
#include "support/app_fixture.h"

class MainWindowFixture : public AppFixture {
public:
    void SetUp() override {
        AppFixture::SetUp();
        g_app.instance = GetModuleHandleA(nullptr);
        lstrcpyA(g_app.className, "WNEC");
        EnsureConfigurationFile();
        RegisterWindowClasses(g_app.instance);
        window_ = CreateWindowExA(0, "WNEC", "test", WS_CAPTION | WS_SYSMENU, 0, 0, 1024, 708, nullptr, nullptr,
                                  g_app.instance, nullptr);
        ASSERT_NE(window_, nullptr);
        ShowWindow(window_, SW_SHOW), UpdateWindow(window_), Pump();
        g_app.live.SetCurrentAssociate(1), g_app.live.SetSwitch(16, 2);  // sounds off
    }
    void TearDown() override {
        if (g_app.entryDialog) DestroyWindow(g_app.entryDialog);
        g_app.entryDialog = nullptr;
        if (window_) DestroyWindow(window_);
        Pump();  // and drop the quit message
        if (g_app.parkedBaskets) GlobalFree(g_app.parkedBaskets);
        AppFixture::TearDown();
    }
    static void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) TranslateMessage(&msg), DispatchMessageA(&msg);
    }
    // A non-taxable line as item entry adds it, shown in the basket list unless `listed` is false.
    static void AddLine(std::int64_t item, const char* description, double price = 1.25, bool listed = true) {
        TransactionRecord& b = g_app.basket;
        const int n = b.LineCount();
        ASSERT_TRUE(PriceLineIntoTotals(b, g_app.live, price, 0, 0, false));
        b.SetLineItemNumber(n, item), b.SetLineDescription(n, description), b.SetLineCount(n + 1);
        if (listed) AppendBasketEntry(description);
    }
    // Types into a dialog's box one character at a time, as the keyboard does.
    static void Type(HWND dialog, int id, const std::string& keys) {
        for (char key : keys) SendDlgItemMessageA(dialog, id, WM_CHAR, static_cast<unsigned char>(key), 1);
    }
    // A main-window command, as a menu item or a button sends it.
    void Command(int id) { SendMessageA(window_, WM_COMMAND, id, 0); }
    static int ListEntries() { return static_cast<int>(SendMessageA(g_app.basketList, LB_GETCOUNT, 0, 0)); }
    static std::vector<std::string> Entries() {
        std::vector<std::string> out(ListEntries());
        for (int i = 0; i < ListEntries(); ++i) {
            out[i].resize(SendMessageA(g_app.basketList, LB_GETTEXTLEN, i, 0));
            SendMessageA(g_app.basketList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(out[i].data()));
        }
        return out;
    }

    HWND window_ = nullptr;
};
