// Item entry on the real main window against the development shop server: the
// lookup over the pipe, the basket line, its list entry, the totals and the
// messages.
#include "basket/item_entry_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "basket/basket.h"
#include "link/remote.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "shell/terminal_hooks.h"
#include "support/app_fixture.h"
#include "support/shop_server.h"

namespace {

class ItemEntryServerTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        g_app.instance = GetModuleHandleA(nullptr);
        lstrcpyA(g_app.className, "WNEC");
        EnsureConfigurationFile();  // stand-alone: the window starts without the server
        RegisterWindowClasses(g_app.instance);
        window_ = CreateWindowExA(0, "WNEC", "test", WS_CAPTION | WS_SYSMENU, 0, 0, 1024, 708, nullptr, nullptr,
                                  g_app.instance, nullptr);
        ASSERT_NE(window_, nullptr);
        ShowWindow(window_, SW_SHOW);
        Pump();
        bool started = server_.Start();
        for (int attempt = 0; !started && attempt < 3; ++attempt) {  // another server may still hold the pipe
            server_.Stop();
            Sleep(1000);
            started = server_.Start();
        }
        ASSERT_TRUE(started) << server_.Log();
        ASSERT_EQ(BindToServer(""), BindResult::Bound);
        ASSERT_EQ(RemoteFetchTerminalConfig(g_app.live), 0u);  // tax 1 at 20 %, tax 2 off
        g_app.live.SetSwitch(basketcfg::kSoundsOff, 2);
        g_app.live.SetSwitch(basketcfg::kPoleFitted, 0);
        g_app.live.SetSwitch(basketcfg::kEntryWithNumber, 0);
        g_app.offline = 0;
    }
    void TearDown() override {
        if (window_) DestroyWindow(window_);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {}  // drop the quit message
        server_.Stop();
        AppFixture::TearDown();
    }
    static void Pump() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    static std::vector<std::string> Entries() {
        std::vector<std::string> out;
        const int n = static_cast<int>(SendMessageA(g_app.basketList, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char text[256] = {};
            if (SendMessageA(g_app.basketList, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof text))
                SendMessageA(g_app.basketList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            out.emplace_back(text);
        }
        return out;
    }

    HWND window_ = nullptr;
    ShopServerProcess server_;
};

TEST_F(ItemEntryServerTest, EnteringOneThousandAndOneAddsOneLineWithItsTotalsThenTheAgeAlert) {
    EnterItem("1001\r\n");
    const TransactionRecord& b = g_app.basket;
    ASSERT_EQ(b.LineCount(), 1);
    EXPECT_EQ(b.LineItemNumber(0), 1001);
    EXPECT_EQ(b.LineDescription(0), "Kingsbridge Vodka 70cl");
    EXPECT_DOUBLE_EQ(b.LineTaxable(0), 15.83);
    EXPECT_DOUBLE_EQ(b.LineTax1(0), 3.17);
    EXPECT_DOUBLE_EQ(b.LineCost(0), 9.80);
    EXPECT_DOUBLE_EQ(b.TaxableTotal(), 15.83);
    EXPECT_DOUBLE_EQ(b.SubTotal(), 15.83);
    EXPECT_DOUBLE_EQ(b.Tax1Total(), 3.17);
    EXPECT_DOUBLE_EQ(b.Total(), 19.00);
    EXPECT_EQ(Entries(), std::vector<std::string>{"Kingsbridge Vodka 70cl (14)  19.00"});
    EXPECT_EQ(SendMessageA(g_app.basketList, LB_GETCURSEL, 0, 0), 0);
    ASSERT_EQ(messages().messages().size(), 1u);
    EXPECT_TRUE(messages().Saw("18", "Age alert"));
    EXPECT_EQ(CurrentItem().Number(), 1001);
}

TEST_F(ItemEntryServerTest, UnknownAndNegativeEntriesLeaveTheBasketEmpty) {
    EnterItem("987654\r\n");
    EnterItem("-1001\r\n");
    EXPECT_EQ(messages().messages().size(), 2u);
    EXPECT_TRUE(messages().Saw("Invalid entry", "Problem"));
    EXPECT_EQ(g_app.basket.LineCount(), 0);
    EXPECT_TRUE(Entries().empty());
}

TEST_F(ItemEntryServerTest, KitInAKitAddsEveryComponentWithTheFreeOneAtZero) {
    AddItemByNumber(3003);  // Party Pack: the gift kit, 2 lagers, free popcorn, 4 colas
    const TransactionRecord& b = g_app.basket;
    ASSERT_EQ(b.LineCount(), 9);
    const std::int64_t expected[] = {2701, 2602, 1102, 1102, 2401, 1701, 1701, 1701, 1701};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(b.LineItemNumber(i), expected[i]) << "line " << i;
    EXPECT_DOUBLE_EQ(b.LineTaxable(4), 0.0);
    EXPECT_DOUBLE_EQ(b.SubTotal(), 23.71);
    EXPECT_DOUBLE_EQ(b.Tax1Total(), 4.76);
    EXPECT_DOUBLE_EQ(b.Total(), 28.47);
    EXPECT_EQ(Entries().size(), 9u);
    EXPECT_EQ(Entries()[4], "Sea Salt Popcorn 100g (30)  0.00");
    EXPECT_EQ(messages().messages().size(), 3u);  // wine and two lagers are age-restricted
}

TEST_F(ItemEntryServerTest, TextLookupFindsAScannedCode) {
    g_app.live.SetSwitch(6, 2);
    EnterItem("5012340010019");
    ASSERT_EQ(g_app.basket.LineCount(), 1);
    EXPECT_EQ(g_app.basket.LineItemNumber(0), 1001);
}

}  // namespace
