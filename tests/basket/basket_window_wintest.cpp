// The basket on the real main window: list entries, removal, emptying and the
// basket tables, on a fresh data directory (offline).
#include "basket/basket_window.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "basket/basket.h"
#include "resources/resource_ids.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "shell/terminal_hooks.h"
#include "support/main_window_fixture.h"

namespace {

struct Item {
    std::int64_t number;
    const char* description;
    double price;
    std::int32_t taxCode;
    std::int32_t stock;
};

const Item kApple{101, "Apple", 0.45, 0, 12};
const Item kBread{202, "Bread", 1.25, 1, 3};
const Item kCoffee{303, "Coffee", 4.99, 2, 40};

class BasketWindowTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        g_app.live.SetOption(basketcfg::kTax1Enabled, 1);
        g_app.live.SetOption(basketcfg::kTax1Rate, 1000);
        if (!g_app.parkedBaskets) g_app.parkedBaskets = GlobalAlloc(GHND, kParkedBasketStoreSize);
        ASSERT_NE(g_app.parkedBaskets, nullptr);
    }

    // What item entry does once it has priced an inventory item.
    void Add(const Item& item) {
        TransactionRecord& b = g_app.basket;
        const int n = b.LineCount();
        ASSERT_TRUE(PriceLineIntoTotals(b, g_app.live, item.price, item.taxCode, 0, false));
        b.SetLineItemNumber(n, item.number);
        b.SetLineDescription(n, item.description);
        AppendBasketEntry(InventoryEntryText(item.number, item.description, item.stock, b.LineTotal(n),
                                             g_app.live.Switch(basketcfg::kEntryWithNumber) != 0));
        b.SetLineCount(n + 1);
        RefreshTotals();
    }

    static int Selected() { return static_cast<int>(SendMessageA(g_app.basketList, LB_GETCURSEL, 0, 0)); }
    static void Select(int i) { SendMessageA(g_app.basketList, LB_SETCURSEL, i, 0); }
};

TEST_F(BasketWindowTest, AddingLinesFillsTheListAndSelectsTheLast) {
    Add(kApple);
    Add(kBread);
    g_app.live.SetSwitch(basketcfg::kEntryWithNumber, 2);
    Add(kCoffee);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Apple (12)  0.45", "Bread (3)  1.38", "303  Coffee (40)  5.49"}));
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(g_app.basket.LineCount(), 3);
    EXPECT_DOUBLE_EQ(g_app.basket.Total(), 7.32);
    EXPECT_TRUE(messages().messages().empty());
}

TEST_F(BasketWindowTest, VoidRemovesTheSelectedLineAndSelectsTheNewLast) {
    Add(kApple);
    Add(kBread);
    Add(kCoffee);
    Select(1);
    Command(CMD_REMOVE_LINE);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Apple (12)  0.45", "Coffee (40)  5.49"}));
    EXPECT_EQ(Selected(), 1);
    const TransactionRecord& b = g_app.basket;
    EXPECT_EQ(b.LineCount(), 2);
    EXPECT_EQ(b.LineItemNumber(0), kApple.number);
    EXPECT_EQ(b.LineItemNumber(1), kCoffee.number);
    EXPECT_DOUBLE_EQ(b.Total(), 5.94);
    EXPECT_DOUBLE_EQ(b.Tax1Total(), 0.50);

    // With no selection the last line goes.
    SendMessageA(g_app.basketList, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    Command(CMD_REMOVE_LINE);
    EXPECT_EQ(Entries(), std::vector<std::string>{"Apple (12)  0.45"});
    EXPECT_EQ(g_app.basket.LineCount(), 1);
    EXPECT_DOUBLE_EQ(g_app.basket.Total(), 0.45);

    g_app.basket.SetNote("Gift");
    Command(CMD_REMOVE_LINE);
    EXPECT_TRUE(Entries().empty());
    EXPECT_EQ(g_app.basket.bytes, TransactionRecord{}.bytes);
    EXPECT_TRUE(messages().messages().empty());
    Command(CMD_REMOVE_LINE);
    EXPECT_TRUE(messages().Saw("No items", "Problem"));
}

TEST_F(BasketWindowTest, EmptyBasketClearsListAndRecord) {
    Add(kApple);
    Add(kBread);
    g_app.basket.SetCustomerNumber(55);
    Command(CMD_EMPTY_BASKET);
    EXPECT_TRUE(Entries().empty());
    EXPECT_EQ(g_app.basket.bytes, TransactionRecord{}.bytes);
    EXPECT_TRUE(messages().messages().empty());
}

TEST_F(BasketWindowTest, RepeatReportsAnEmptyBasketAndTheLineLimit) {
    Command(CMD_REPEAT_LINE);
    EXPECT_TRUE(messages().Saw("No items", "Problem"));
    Add(kApple);
    Add(kBread);
    SetWindowTextA(g_app.itemBox, "399");  // 398 lines free
    RepeatLastLine();
    EXPECT_TRUE(messages().Saw("Transaction limit 400 items", "Problem"));
    EXPECT_EQ(g_app.basket.LineCount(), 2);
    EXPECT_EQ(Entries().size(), 2u);
    EXPECT_FALSE(IsRepeatingLine());
}

TEST_F(BasketWindowTest, TableSwitchParksTheBasketAndBringsItBack) {
    g_app.live.SetSwitch(basketcfg::kEntryWithNumber, 2);
    Add(kApple);
    Add(kBread);
    const TransactionRecord tableOne = g_app.basket;

    SwitchBasketTable(5);
    EXPECT_EQ(g_app.basketTable, 5);
    EXPECT_TRUE(Entries().empty());
    EXPECT_EQ(g_app.basket.bytes, TransactionRecord{}.bytes);
    {
        const auto* store = static_cast<const std::uint8_t*>(GlobalLock(g_app.parkedBaskets));
        ASSERT_NE(store, nullptr);
        EXPECT_EQ(std::memcmp(store, tableOne.data(), txn::kSize), 0);  // slot of table 1
        GlobalUnlock(g_app.parkedBaskets);
    }
    Add(kCoffee);
    const TransactionRecord tableFive = g_app.basket;

    SwitchBasketTable(1);
    EXPECT_EQ(g_app.basketTable, 1);
    EXPECT_EQ(g_app.basket.bytes, tableOne.bytes);
    // Rebuilt without stock quantities.
    EXPECT_EQ(Entries(), (std::vector<std::string>{"101  Apple  0.45", "202  Bread  1.38"}));
    EXPECT_EQ(Selected(), 1);

    g_app.live.SetSwitch(basketcfg::kEntryWithNumber, 0);
    SwitchBasketTable(5);
    EXPECT_EQ(g_app.basket.bytes, tableFive.bytes);
    EXPECT_EQ(Entries(), std::vector<std::string>{"Coffee  5.49"});
    EXPECT_TRUE(messages().messages().empty());
}

TEST_F(BasketWindowTest, TableSwitchRefusals) {
    Add(kApple);
    const TransactionRecord before = g_app.basket;
    SwitchBasketTable(0);
    SwitchBasketTable(17);
    EXPECT_TRUE(messages().Saw("Basket not valid", "Problem"));
    SwitchBasketTable(1);  // the current table: nothing at all
    EXPECT_EQ(messages().messages().size(), 2u);

    GlobalFree(g_app.parkedBaskets);
    g_app.parkedBaskets = nullptr;
    SwitchBasketTable(2);
    EXPECT_TRUE(messages().Saw("Insufficient memory available", "Problem"));
    EXPECT_EQ(g_app.basketTable, 1);
    EXPECT_EQ(g_app.basket.bytes, before.bytes);
    EXPECT_EQ(Entries(), std::vector<std::string>{"Apple (12)  0.45"});
}

}  // namespace
