// Finishing sales against the development shop server: one it never gets and a refusal.
// The numbering is in commit_retry_servertest.cpp, the sale paid in cash and its log entry
// are the end-to-end SaleEndToEnd test, a day log that cannot be written the FaultEndToEnd one.
#include <gtest/gtest.h>

#include "link/remote.h"
#include "payment/till_fixture.h"
#include "support/shop_server.h"

namespace {

using CashSaleTest = TillFixture;

TEST_F(CashSaleTest, UnsentAndRefusedSales) {
    g_app.live.SetTransactionNumber(57);
    ASSERT_EQ(BindToServer(""), BindResult::Bound);  // this computer, where nothing listens yet
    AddLine(1001, "Kingsbridge Vodka 70cl", 10.00);
    Command(CMD_CASH);
    ASSERT_NE(g_app.entryDialog, nullptr);
    Click(g_app.entryDialog, IDC_EXACT_AMOUNT);
    EXPECT_TRUE(messages().Saw("Network error", "Problem"));
    EXPECT_EQ(ListEntries(), 1) << "the basket is kept to pay again";
    const TransactionRecord& b = g_app.basket;
    EXPECT_EQ(b.PaymentType() + " " + std::to_string(b.Number()) + " " + b.ComputerName() + " " + b.Time(),
              "Cash 57 TILL7 14:05") << "as stamped";

    ShopServerProcess server;
    server.SetShopValue("transaction_number", "57");
    ASSERT_TRUE(server.Start()) << server.Log();
    ASSERT_EQ(BindToServer(""), BindResult::Bound);
    const std::string logBefore = ReadWholeFile(DayFile());
    for (int i = 0; i < 4; ++i) AddLine(1003, "Highland Single Malt 70cl", 30.00);  // 3 in stock
    Command(CMD_CH_PAYMENT);
    EXPECT_TRUE(messages().Saw("Inventory item out of stock", "Server refused update request."));
    EXPECT_EQ(ListEntries() + g_app.basket.LineCount(), 0) << "the refused basket is emptied";
    EXPECT_EQ(ReadWholeFile(DayFile()), logBefore) << "and not logged";
    EXPECT_EQ(messages().messages().size(), 2u);
}

}  // namespace
