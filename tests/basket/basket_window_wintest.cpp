// The basket commands on the real main window (offline): the basket list kept in step
// with the record, and the messages the commands show. The rules are in basket_test.cpp.
#include "basket/basket_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "basket/basket.h"
#include "resources/resource_ids.h"
#include "shell/terminal_hooks.h"
#include "support/main_window_fixture.h"

namespace {

using Lines = std::vector<std::string>;

class BasketWindowTest : public MainWindowFixture {
protected:
    static int Selected() { return static_cast<int>(SendMessageA(g_app.basketList, LB_GETCURSEL, 0, 0)); }
    static void Select(int entry) { SendMessageA(g_app.basketList, LB_SETCURSEL, static_cast<WPARAM>(entry), 0); }
};

// Serving two tables in turn is the end-to-end day at the till's.
TEST_F(BasketWindowTest, VoidRepeatEmptyAndTablesKeepTheListInStepWithTheRecordOrSayWhyNot) {
    Command(CMD_REMOVE_LINE);
    for (auto [number, name] : {std::pair{101, "Apple"}, {202, "Bread"}, {303, "Coffee"}}) AddLine(number, name);
    Select(1);
    Command(CMD_REMOVE_LINE);
    EXPECT_EQ(Entries(), (Lines{"Apple", "Coffee"}));
    EXPECT_EQ(g_app.basket.LineItemNumber(1), 303) << "the record follows the list";
    EXPECT_EQ(Selected(), 1) << "then the new last entry";
    SetWindowTextA(g_app.itemBox, "399");  // 398 lines free
    Command(CMD_REPEAT_LINE);
    SwitchBasketTable(17);
    SwitchBasketTable(5);  // no table store yet
    g_app.parkedBaskets = GlobalAlloc(GHND, kParkedBasketStoreSize);
    g_app.live.SetSwitch(basketcfg::kEntryWithNumber, 2);
    SwitchBasketTable(5), SwitchBasketTable(1);
    EXPECT_EQ(Entries(), (Lines{"101  Apple  1.25", "303  Coffee  1.25"})) << "rebuilt from the record";
    EXPECT_EQ(Selected(), 1);
    Select(-1), Command(CMD_REMOVE_LINE);
    EXPECT_EQ(Entries(), Lines{"101  Apple  1.25"}) << "no selection: the last line goes";
    Command(CMD_EMPTY_BASKET);
    EXPECT_TRUE(Entries().empty());
    EXPECT_EQ(g_app.basket.bytes, TransactionRecord{}.bytes);
    Command(CMD_REPEAT_LINE);
    Lines shown;
    for (const ShownMessage& m : messages().messages()) shown.push_back(m.caption + ": " + m.text);
    EXPECT_EQ(shown, (Lines{"Problem: No items", "Problem: Transaction limit 400 items", "Problem: Basket not valid",
                            "Problem: Insufficient memory available", "Problem: No items"}));
}

// The list is changed with its drawing held back: what it shows afterwards must still
// be right, and it must be painted.
TEST_F(BasketWindowTest, ALongListScrollsToItsNewEntryAndIsPaintedAgain) {
    for (int i = 0; i < 60; ++i) AddLine(100 + i, "Line");
    Pump();
    AddLine(999, "Last");
    const int last = ListEntries() - 1;
    EXPECT_EQ(Selected(), last);
    SCROLLINFO bar = {};
    bar.cbSize = sizeof bar;
    bar.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(g_app.basketList, SB_VERT, &bar));
    EXPECT_EQ(bar.nMax, last) << "the scroll bar counts the new entry";
    EXPECT_EQ(bar.nPos, SendMessageA(g_app.basketList, LB_GETTOPINDEX, 0, 0));
    RECT entry = {}, client = {};
    SendMessageA(g_app.basketList, LB_GETITEMRECT, last, reinterpret_cast<LPARAM>(&entry));
    GetClientRect(g_app.basketList, &client);
    EXPECT_TRUE(entry.top >= 0 && entry.bottom <= client.bottom) << "scrolled into view";
    EXPECT_TRUE(GetUpdateRect(g_app.basketList, nullptr, FALSE)) << "due a repaint";
    Pump();
    EXPECT_FALSE(GetUpdateRect(g_app.basketList, nullptr, FALSE));
}

}  // namespace
