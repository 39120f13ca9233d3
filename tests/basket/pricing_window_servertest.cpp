// The price dialogs against the development shop server: the opening lookup and its failure,
// the lists wired to their plain functions. Their journeys by keyboard: DayAtTheTill.
#include "basket/pricing_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "basket/item_entry_window.h"
#include "resources/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/server_till_fixture.h"

namespace {

// Chooses entry `index` of a price dialog's list, as a click does.
void Choose(HWND dialog, int index) {
    SendDlgItemMessageA(dialog, IDC_LIST, CB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_LIST, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_LIST)));
}

using PricingWindowTest = ServerTillFixture;

TEST_F(PricingWindowTest, TheWeightAndPercentListsReworkTheBasketAndAFailedLookupFillsNothing) {
    AddItemToBasket(1701, 0);  // Cola 330ml Can: 0.83 before tax, tax 1 at 20 %
    Command(CMD_WEIGHT);
    HWND dialog = g_app.entryDialog;
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Text(dialog, IDC_ITEM_NUMBER) + " " + Text(dialog, IDC_ITEM_LIST_PRICE), "1701 0.83");
    const LRESULT weights = SendDlgItemMessageA(dialog, IDC_LIST, CB_GETCOUNT, 0, 0);
    EXPECT_EQ(Text(dialog, IDC_LIST) + " of " + std::to_string(weights), "100 of 2000") << "opened on 100 of 1 to 2000";
    Choose(dialog, 199);  // 200
    EXPECT_EQ(Text(dialog, IDC_PRICE_BEFORE_TAX) + " " + Text(dialog, IDC_LINE_TAX1) + " " +
                  Text(dialog, IDC_LINE_TOTAL), "1.66 0.33 1.99");
    Click(dialog, IDOK);
    EXPECT_EQ(Entries(), std::vector<std::string>{"Cola 330ml Can (120)  1.99"});

    Command(CMD_EMPTY_BASKET);
    g_app.live.SetSwitch(28, 2);  // the discount off the total
    AddItemToBasket(1701, 0);
    Command(CMD_ADD_DISCOUNT);
    ASSERT_NE(dialog = g_app.entryDialog, nullptr);
    Choose(dialog, 20);  // 10 % of 1.00
    EXPECT_EQ(Text(dialog, IDC_EDIT1) + " " + Text(dialog, IDC_AMENDED_TOTAL), "10 0.90");
    Click(dialog, IDOK);
    EXPECT_DOUBLE_EQ(g_app.basket.Total(), 0.90);

    server_.Stop();
    Command(CMD_ADJUST_PRICE);
    ASSERT_NE(dialog = g_app.entryDialog, nullptr);
    EXPECT_EQ(Text(dialog, IDC_LINE_TOTAL), "");
    ASSERT_FALSE(messages().messages().empty());
    EXPECT_EQ(messages().messages().back().text.rfind("Network error: (0x", 0), 0u);
}

}  // namespace
