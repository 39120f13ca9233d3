// The customer credit sale on the real main window against the development shop server
// with the server gone at the commit: the basket is kept. The sale on account itself is
// the end-to-end CustomerEndToEnd test.
#include <gtest/gtest.h>

#include <string>

#include "basket/item_entry_window.h"
#include "customers/customer_window.h"
#include "resources/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/server_till_fixture.h"

namespace {

using CreditSaleTest = ServerTillFixture;

TEST_F(CreditSaleTest, TheServerGoneAtTheCommitKeepsTheBasket) {
    AddItemToBasket(1701, 0);
    // F6: customer 1001 by number, its view closed, then Cash in "Customer transaction".
    DialogDriver driver({[](HWND d) { SetDlgItemTextA(d, IDC_EDIT1, "1001"), Click(d, IDOK); },
                         [](HWND d) { Click(d, IDOK); },
                         [this](HWND d) {
                             EXPECT_EQ(Text(d, IDC_SALE_NAME), "ALICE PENROSE");
                             server_.Stop();
                             Click(d, IDC_SALE_CASH);
                         }});
    Command(CMD_CUSTOMER_CREDIT);
    EXPECT_EQ(driver.stepsRun(), 3u);
    EXPECT_FALSE(driver.abandoned());
    ASSERT_FALSE(messages().messages().empty());
    EXPECT_EQ(messages().messages().back().caption, "Problem");
    EXPECT_EQ(g_app.basket.LineCount() + ListEntries(), 2) << "the basket kept";
}

}  // namespace
