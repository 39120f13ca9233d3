// Paying for a basket and committing it against the real development shop server: the
// CashBox, the commit with its answer, the sale's entry in the day log and the
// transaction numbering; a refusal and a dead server.
#include <gtest/gtest.h>

#include <string>

#include "link/remote.h"
#include "payment/commit_window.h"
#include "payment/tender_window.h"
#include "payment/till_fixture.h"
#include "support/shop_server.h"
#include "support/temp_dir.h"

namespace {

class CashSaleTest : public TillFixture {
protected:
    void SetUp() override {
        TillFixture::SetUp();
        if (HasFatalFailure()) return;
        server_.SetShopValue("transaction_number", "57");
        ASSERT_TRUE(server_.Start()) << server_.Log();
        ASSERT_EQ(BindToServer(""), BindResult::Bound);  // this computer
        g_app.live.SetTransactionNumber(57);
    }

    ShopServerProcess server_;
};

TEST_F(CashSaleTest, TwoLineCashSaleIsCommittedLoggedAndNumbered) {
    AddLine(1001, "Kingsbridge Vodka 70cl", 10.00);
    AddLine(1002, "London Dry Gin 70cl", 2.34);
    ASSERT_DOUBLE_EQ(g_app.basket.Total(), 12.34);
    const std::string logBefore = ReadWholeFile(DayFile());

    Command(CMD_CASH);
    HWND box = g_app.entryDialog;
    ASSERT_NE(box, nullptr);
    Type(box, IDC_EDIT1, "2000");
    EXPECT_EQ(Text(box, IDC_EDIT2), "7.66");
    Press(box, IDOK);

    EXPECT_TRUE(messages().messages().empty()) << messages().messages().front().text;
    EXPECT_FALSE(IsWindow(box));
    EXPECT_EQ(g_app.entryDialog, nullptr);
    EXPECT_DOUBLE_EQ(g_saleTender.tendered, 20.00);
    EXPECT_DOUBLE_EQ(g_saleTender.change, 7.66);
    EXPECT_EQ(g_app.live.TransactionNumber(), 58);
    EXPECT_EQ(g_app.basket.bytes, TransactionRecord{}.bytes);
    EXPECT_EQ(ListEntries(), 0);

    const std::string expected =
        "\r\n14:05 03/02/2025  Transaction 57"
        "\r\n1001  Kingsbridge Vodka 70cl"
        "\r\n1002  London Dry Gin 70cl"
        "\r\nTotal: 12.34\r\n"
        "Clerk: 1, Marta   Items: 2\r\n"
        "Payment type: Cash\r\n";
    EXPECT_EQ(ReadWholeFile(DayFile()), logBefore + expected);

    // The next sale, by card, takes the next number from the server and the terminal.
    AddLine(1101, "Harbour Pale Ale 500ml", 1.80);
    Command(CMD_EFT_PAYMENT);
    EXPECT_TRUE(messages().messages().empty());
    EXPECT_EQ(g_app.live.TransactionNumber(), 59);
    EXPECT_DOUBLE_EQ(g_saleTender.tendered, 1.80);
    EXPECT_DOUBLE_EQ(g_saleTender.change, 0.0);
    const std::string second =
        "\r\n14:05 03/02/2025  Transaction 58"
        "\r\n1101  Harbour Pale Ale 500ml"
        "\r\nTotal: 1.80\r\n"
        "Clerk: 1, Marta   Items: 1\r\n"
        "Payment type: EFT\r\n";
    EXPECT_EQ(ReadWholeFile(DayFile()), logBefore + expected + second);
}

TEST_F(CashSaleTest, DevicesThatCannotBeReachedAreReportedButTheSaleIsCommitted) {
    // A pole display and a drawer on COM3, which this computer does not have.
    g_app.live.SetSwitch(100, 2);
    g_app.live.SetSwitch(102, 2);
    g_app.live.SetOption(17, 1);
    g_app.live.SetOption(8, 2);
    AddLine(1001, "Kingsbridge Vodka 70cl", 10.00);

    Command(CMD_CASH);
    HWND box = g_app.entryDialog;
    ASSERT_NE(box, nullptr);
    Type(box, IDC_EDIT1, "1000");
    Press(box, IDOK);

    EXPECT_EQ(g_app.live.TransactionNumber(), 58);
    EXPECT_EQ(g_app.basket.bytes, TransactionRecord{}.bytes);
    EXPECT_NE(server_.Log().find("CommitSale expected 57, 1 lines -> 78"), std::string::npos) << server_.Log();
    EXPECT_NE(ReadWholeFile(DayFile()).find("Transaction 57"), std::string::npos);
    EXPECT_TRUE(messages().Saw("Unable to open port", "Problem"));      // the total, tender and change
    EXPECT_TRUE(messages().Saw("Unable to open port", "Till drawer"));  // after the sale
    EXPECT_TRUE(messages().Saw("Unable to open port", "Pole display")); // the idle text once emptied
}

TEST_F(CashSaleTest, RefusedSaleShowsTheReasonAndEmptiesTheBasket) {
    for (int i = 0; i < 4; ++i) AddLine(1003, "Highland Single Malt 70cl", 30.00);  // 3 in stock
    const std::string logBefore = ReadWholeFile(DayFile());

    Command(CMD_CH_PAYMENT);
    ASSERT_EQ(messages().messages().size(), 1u);
    EXPECT_TRUE(messages().Saw("Inventory item out of stock", "Server refused update request."));
    EXPECT_EQ(g_app.basket.bytes, TransactionRecord{}.bytes);
    EXPECT_EQ(ListEntries(), 0);
    EXPECT_EQ(g_app.live.TransactionNumber(), 57);
    EXPECT_EQ(ReadWholeFile(DayFile()), logBefore);
}

TEST_F(CashSaleTest, MissingLogDirectoryIsReportedButTheSaleStands) {
    // Today's month directory is gone: the day file cannot be created.
    const std::string month = MonthDirectory(g_app.dataDir, LocalTime{2025, 2, 1, 3, 14, 5, 30, 0});
    DeleteFileA((month + "\\" + kMarkerFileName).c_str());
    DeleteFileA(DayFile().c_str());
    ASSERT_TRUE(RemoveDirectoryA(month.c_str()));

    AddLine(1001, "Kingsbridge Vodka 70cl", 15.83);
    Command(CMD_CASH);
    ASSERT_NE(g_app.entryDialog, nullptr);
    Press(g_app.entryDialog, IDC_EXACT_AMOUNT);
    EXPECT_TRUE(messages().Saw("Data log file not present.", "Problem"));
    EXPECT_EQ(g_app.live.TransactionNumber(), 58);
    EXPECT_EQ(g_app.basket.bytes, TransactionRecord{}.bytes);
}

class DeadServerSaleTest : public TillFixture {};

TEST_F(DeadServerSaleTest, NetworkFailureKeepsTheBasketToPayAgain) {
    ASSERT_EQ(BindToServer(""), BindResult::Bound);  // nothing listens on the pipe
    g_app.live.SetTransactionNumber(57);
    AddLine(1001, "Kingsbridge Vodka 70cl", 10.00);
    AddLine(1002, "London Dry Gin 70cl", 2.34);

    Command(CMD_CASH);
    ASSERT_NE(g_app.entryDialog, nullptr);
    Press(g_app.entryDialog, IDC_EXACT_AMOUNT);
    ASSERT_EQ(messages().messages().size(), 1u);
    EXPECT_TRUE(messages().Saw("Network error", "Problem"));
    EXPECT_EQ(g_app.entryDialog, nullptr);
    EXPECT_EQ(g_app.basket.LineCount(), 2);
    EXPECT_EQ(ListEntries(), 2);
    EXPECT_EQ(g_app.basket.PaymentType(), "Cash");
    EXPECT_EQ(g_app.basket.Number(), 57);
    EXPECT_EQ(g_app.basket.ComputerName(), "TILL7");
    EXPECT_EQ(g_app.basket.Time(), "14:05");
    EXPECT_EQ(g_app.live.TransactionNumber(), 57);
}

}  // namespace
