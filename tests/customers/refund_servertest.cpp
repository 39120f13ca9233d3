// Refunds on the real main window against the development shop server: the refund
// dialog wired to the choices, the refund committed and logged, the credit refund
// cancelled at its search, and the basket kept when the server is gone.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "basket/item_entry_window.h"
#include "customers/customer_window.h"
#include "logs/day_log.h"
#include "resources/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/server_till_fixture.h"

namespace {

class RefundTest : public ServerTillFixture {
protected:
    void SetUp() override {
        ServerTillFixture::SetUp();
        if (HasFatalFailure()) return;
        AddItemToBasket(1701, 0);
        ASSERT_EQ(ListEntries(), 1);
    }
};

TEST_F(RefundTest, CashRefundIsCommittedLoggedAndEmptiesTheBasket) {
    DialogDriver driver({[](HWND d) {
        EXPECT_EQ(Title(d), "Refund");
        EXPECT_EQ(Text(d, IDC_REFUND_ITEMS), "1");
        Click(d, IDOK);
    }});
    Command(CMD_REFUND);
    ASSERT_EQ(messages().messages().size(), 1u);
    EXPECT_EQ(messages().messages()[0].caption, "Transaction successful");
    EXPECT_EQ(ListEntries(), 0);
    RefreshClock();
    std::ifstream file(DayFilePath(g_app.dataDir, g_localTime), std::ios::binary);
    std::stringstream log;
    log << file.rdbuf();
    EXPECT_NE(log.str().find("Form: Cash\r\nCustomer: 0 \r\n"), std::string::npos);
}

TEST_F(RefundTest, CreditRefundCancelledAtTheSearchAndServerGoneKeepTheBasket) {
    {
        DialogDriver driver({[](HWND d) {
                                 CheckRadioButton(d, IDC_REFUND_CASH, IDC_REFUND_CREDIT, IDC_REFUND_CREDIT);
                                 Click(d, IDOK);
                             },
                             [](HWND d) { Click(d, IDCANCEL); }});
        Command(CMD_REFUND);
        EXPECT_EQ(driver.stepsRun(), 2u);
    }
    EXPECT_TRUE(messages().messages().empty());
    EXPECT_EQ(ListEntries(), 1);
    {
        DialogDriver driver({[this](HWND d) {
            server_.Stop();
            Click(d, IDOK);
        }});
        Command(CMD_REFUND);
    }
    EXPECT_TRUE(messages().Saw("Network error", "Problem"));
    EXPECT_EQ(ListEntries(), 1);
    EXPECT_EQ(g_app.basket.LineCount(), 1);
}

}  // namespace
