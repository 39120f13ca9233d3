// The price dialogs on the real main window against the development shop server:
// the controls wired to their plain functions, the opening lookup and its failure.
#include "basket/pricing_window.h"

#include <gtest/gtest.h>

#include <string>

#include "basket/item_entry_window.h"
#include "resources/resource_ids.h"
#include "shell/dispatch.h"
#include "support/dialog_driver.h"
#include "support/server_till_fixture.h"

namespace {

class PricingWindowTest : public ServerTillFixture {
protected:
    // Cola 330ml Can: 0.83 before tax, tax 1 at 20 %.
    void AddCola() {
        AddItemToBasket(1701, 0);
        ASSERT_EQ(g_app.basket.LineCount(), 1);
    }
    static void Type(HWND dialog, int id, const std::string& keys) {
        for (char key : keys) SendDlgItemMessageA(dialog, id, WM_CHAR, static_cast<unsigned char>(key), 1);
    }
    static void Choose(HWND dialog, int index) {
        SendDlgItemMessageA(dialog, IDC_LIST, CB_SETCURSEL, index, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_LIST, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_LIST)));
    }
};

TEST_F(PricingWindowTest, AdjustItemPriceReworksTheLastLineAndItsEntry) {
    AddCola();
    Command(CMD_ADJUST_PRICE);
    HWND dialog = g_app.entryDialog;
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(dialog, IDC_ITEM_NUMBER), "1701");
    EXPECT_EQ(Text(dialog, IDC_ITEM_LIST_PRICE), "0.83");
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_EDIT1));
    Type(dialog, IDC_EDIT1, "1x5-0");
    EXPECT_EQ(Text(dialog, IDC_EDIT1), "150") << "digits only";
    EXPECT_EQ(Text(dialog, IDC_LINE_TAX1), "0.30");
    EXPECT_EQ(Text(dialog, IDC_LINE_TOTAL), "1.80");
    Command(CMD_CASH);
    EXPECT_EQ(g_app.entryDialog, dialog) << "no payment while the price dialog is open";
    Command(2430);  // the keypad's 0 types into the open dialog
    EXPECT_EQ(Text(dialog, IDC_EDIT1), "1500");
    EXPECT_EQ(Text(dialog, IDC_LINE_TOTAL), "18.00");
    Command(kKeypadErase);
    EXPECT_EQ(Text(dialog, IDC_EDIT1), "150");
    Click(dialog, IDOK);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(g_app.entryDialog, nullptr);
    EXPECT_DOUBLE_EQ(g_app.basket.Total(), 1.80);
    EXPECT_EQ(Entries(), std::vector<std::string>{"Cola 330ml Can (120)  1.80"});
    EXPECT_EQ(GetFocus(), g_app.itemBox);
}

TEST_F(PricingWindowTest, WithTheServerGoneThePriceDialogOpensEmptyAndRefusesOk) {
    AddCola();
    server_.Stop();
    Command(CMD_ADJUST_PRICE);
    HWND dialog = g_app.entryDialog;
    ASSERT_NE(dialog, nullptr);
    ASSERT_FALSE(messages().messages().empty());
    EXPECT_EQ(messages().messages().back().text.rfind("Network error: (0x", 0), 0u);
    EXPECT_EQ(Text(dialog, IDC_LINE_TOTAL), "");
    Click(dialog, IDOK);
    EXPECT_TRUE(messages().Saw("Invalid price", "Problem"));
    EXPECT_DOUBLE_EQ(g_app.basket.Total(), 1.00) << "the line keeps its price";
    Click(dialog, IDCANCEL);
    EXPECT_EQ(g_app.entryDialog, nullptr);
}

TEST_F(PricingWindowTest, WeightListAndBoxesSetThePriceBeforeTax) {
    AddCola();
    Command(CMD_WEIGHT);
    HWND dialog = g_app.entryDialog;
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_LIST, CB_GETCOUNT, 0, 0), 2000);
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_LIST, CB_GETCURSEL, 0, 0), 99) << "the list shows 100";
    Type(dialog, IDC_EDIT1, "300");
    EXPECT_EQ(Text(dialog, IDC_PRICE_BEFORE_TAX), "2.49");
    EXPECT_EQ(Text(dialog, IDC_LINE_TOTAL), "2.99");
    Choose(dialog, 199);
    EXPECT_EQ(Text(dialog, IDC_PRICE_BEFORE_TAX), "1.66");
    Click(dialog, IDOK);
    EXPECT_DOUBLE_EQ(g_app.basket.TaxableTotal(), 1.66);
}

TEST_F(PricingWindowTest, PercentEntryOfTheDiscountCountsAsTyped) {
    AddCola();
    g_app.live.SetSwitch(28, 2);  // off the total
    Command(CMD_ADD_DISCOUNT);
    HWND dialog = g_app.entryDialog;
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Title(dialog), "Discount total");
    Choose(dialog, 20);  // 10 %
    EXPECT_EQ(Text(dialog, IDC_EDIT1), "10");
    EXPECT_EQ(Text(dialog, IDC_AMENDED_TOTAL), "0.90");
    Click(dialog, IDOK);
    EXPECT_DOUBLE_EQ(g_app.basket.DiscountTotal(), 0.10);
    EXPECT_DOUBLE_EQ(g_app.basket.Total(), 0.90);
}

TEST_F(PricingWindowTest, NonInventorySaleInThreeTouches) {
    DialogDriver driver({[](HWND dialog) {
        EXPECT_EQ(Title(dialog), "Non inventory sale");
        Click(dialog, IDC_NONINV_FIRST_CATEGORY + 1);
        Click(dialog, 2405);                             // "10.00"
        EXPECT_EQ(Text(dialog, IDC_NONINV_TOTAL), "10.00");
        Click(dialog, IDOK);
    }});
    EXPECT_TRUE(SellNonInventoryItem());
    const std::string caption = g_app.live.Text(cfg::kNonInventoryCaptions + cfg::kNonInventoryCaptionWidth, 80);
    EXPECT_EQ(Entries(), std::vector<std::string>{caption + "  10.00"});
    EXPECT_EQ(g_app.basket.LineItemNumber(0), 0);
    EXPECT_DOUBLE_EQ(g_app.basket.Total(), 10.00);

    g_app.basket.SetLineCount(txn::kMaxLines);
    DialogDriver full({[](HWND dialog) {
        Click(dialog, IDC_NONINV_FIRST_CATEGORY);
        Click(dialog, 2405);
        Click(dialog, IDOK);
    }});
    EXPECT_FALSE(SellNonInventoryItem());
    EXPECT_TRUE(messages().Saw("Transaction limit 400 items", "Problem"));
    EXPECT_EQ(ListEntries(), 1);
}

}  // namespace
