// Refunds on the real main window against the development shop server: the refund
// dialog wired to the choices, the refund committed and logged, the credit refund
// cancelled at its search, and the basket kept when the server is gone.
#include <gtest/gtest.h>

#include <string>

#include "basket/item_entry_window.h"
#include "customers/customer_window.h"
#include "resources/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/server_till_fixture.h"

namespace {

using RefundTest = ServerTillFixture;

TEST_F(RefundTest, CashRefundCreditRefundCancelledAtTheSearchAndServerGone) {
    AddItemToBasket(1701, 0);
    {
        DialogDriver driver({[](HWND d) {
            EXPECT_EQ(Text(d, IDC_REFUND_ITEMS), "1");
            Click(d, IDOK);
        }});
        Command(CMD_REFUND);
    }
    ASSERT_EQ(messages().messages().size(), 1u);
    EXPECT_EQ(messages().messages()[0].caption, "Transaction successful");
    EXPECT_EQ(ListEntries(), 0);
    EXPECT_NE(DayLog().find("Form: Cash\r\nCustomer: 0 \r\n"), std::string::npos);

    AddItemToBasket(1701, 0);
    {
        DialogDriver driver({[](HWND d) {
                                 CheckRadioButton(d, IDC_REFUND_CASH, IDC_REFUND_CREDIT, IDC_REFUND_CREDIT);
                                 Click(d, IDOK);
                             },
                             [](HWND d) { Click(d, IDCANCEL); }});
        Command(CMD_REFUND);
        EXPECT_EQ(driver.stepsRun(), 2u);
    }
    EXPECT_EQ(messages().messages().size(), 1u) << "a cancelled search says nothing";
    EXPECT_EQ(ListEntries(), 1);
    {
        DialogDriver driver({[this](HWND d) { server_.Stop(), Click(d, IDOK); }});
        Command(CMD_REFUND);
    }
    EXPECT_TRUE(messages().Saw("Network error", "Problem"));
    EXPECT_EQ(g_app.basket.LineCount() + ListEntries(), 2);
}

}  // namespace
