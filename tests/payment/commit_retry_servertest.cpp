// Finishing sales against the development shop server. A sale the server writes but never
// answers: the connection is lost between the server's journal write and its reply (the
// server ends itself there). The till keeps the basket; paid again once the server is back,
// a minute later, the sale gets the answer the server gave it the first time and stands once
// in the journal. Then a sale the server refuses. The sale paid in cash and its log entry are
// in the end-to-end day at the till (DayAtTheTill), a day log that cannot be written in the
// FaultEndToEnd test.
#include <gtest/gtest.h>

#include "link/remote.h"
#include "logs/day_log.h"
#include "resources/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/main_window_fixture.h"
#include "support/shop_server.h"

namespace {

int Occurrences(const std::string& text, const std::string& word) {
    int n = 0;
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
    return n;
}

// 14:05 on Monday 3 February 2025.
void FixedClock(LocalTime& out) { out = LocalTime{2025, 2, 1, 3, 14, 5, 30, 0}; }

class CommitRetryTest : public MainWindowFixture {
protected:
    void SetUp() override {
        SetClockSource(FixedClock);
        MainWindowFixture::SetUp();
        lstrcpyA(g_app.computerName, "TILL7");
        g_app.live.SetOption(12, 1), g_app.live.SetSwitch(0, 0);  // after a sale neither the summary nor a print
    }
    void TearDown() override { MainWindowFixture::TearDown(), SetClockSource(nullptr); }
};

TEST_F(CommitRetryTest, ASaleWrittenButNeverAnsweredIsAnsweredAgainNotRecordedTwiceAndARefusedOneIsDropped) {
    ShopServerProcess server;
    server.SetShopValue("transaction_number", "57");
    SetEnvironmentVariableA("VARENKO_EXIT_AFTER_COMMITS", "1");
    const bool started = server.Start();
    SetEnvironmentVariableA("VARENKO_EXIT_AFTER_COMMITS", nullptr);
    ASSERT_TRUE(started) << server.Log();
    ASSERT_EQ(BindToServer(""), BindResult::Bound);
    g_app.live.SetTransactionNumber(57);
    const std::string journal = server.shopDirectory() + "\\state\\journal.txt";
    const std::string dayFile = DayFilePath(g_app.dataDir, LocalTime{2025, 2, 1, 3, 14, 5, 30, 0});
    AddLine(1001, "Kingsbridge Vodka 70cl", 10.00);
    AddLine(1002, "London Dry Gin 70cl", 2.34);

    auto payCash = [&] {
        Command(CMD_CASH);
        ASSERT_NE(g_app.entryDialog, nullptr);
        Click(g_app.entryDialog, IDC_EXACT_AMOUNT);
    };
    payCash();
    EXPECT_TRUE(messages().Saw("Network error", "Problem")) << server.Log();
    EXPECT_EQ(ListEntries(), 2) << "the basket is kept to pay again";
    const TransactionRecord& b = g_app.basket;
    EXPECT_EQ(b.PaymentType() + " " + std::to_string(b.Number()) + " " + b.ComputerName() + " " + b.Time(),
              "Cash 57 TILL7 14:05") << "as stamped";
    EXPECT_EQ(Occurrences(ReadWholeFile(journal), "[sale 57]"), 1) << "though the server wrote it";

    server.Stop();
    ASSERT_TRUE(server.Start()) << server.Log();
    SetClockSource([](LocalTime& out) { out = LocalTime{2025, 2, 1, 3, 14, 6, 30, 0}; });
    payCash();
    EXPECT_EQ(messages().messages().size(), 1u) << "nothing after the network error";
    EXPECT_EQ(g_app.live.TransactionNumber(), 58) << "answered as sale 57";
    EXPECT_EQ(ListEntries() + g_app.basket.LineCount(), 0) << "the basket is emptied";
    EXPECT_EQ(Occurrences(ReadWholeFile(journal), "[sale "), 1) << "recorded once";
    EXPECT_EQ(Occurrences(ReadWholeFile(dayFile), "Transaction 57"), 1) << "and logged once";
    EXPECT_NE(server.Log().find("CommitSale expected 57, 2 lines -> 78"), std::string::npos) << server.Log();

    const std::string logBefore = ReadWholeFile(dayFile);
    for (int i = 0; i < 4; ++i) AddLine(1003, "Highland Single Malt 70cl", 30.00);  // 3 in stock
    Command(CMD_CH_PAYMENT);
    EXPECT_TRUE(messages().Saw("Inventory item out of stock", "Server refused update request."));
    EXPECT_EQ(ListEntries() + g_app.basket.LineCount(), 0) << "the refused basket is emptied";
    EXPECT_EQ(ReadWholeFile(dayFile), logBefore) << "and not logged";
    EXPECT_EQ(messages().messages().size(), 2u);
}

}  // namespace
