// A sale the server writes but never answers (it ends itself between its journal write and
// its reply): the till keeps the basket; paid again once the server is back, a minute later,
// the sale gets the answer it was given the first time and stands once in the journal. Then
// a sale the server refuses.
#include <gtest/gtest.h>

#include <string>

#include "logs/day_log.h"
#include "resources/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/server_till_fixture.h"

namespace {

bool Once(const std::string& text, const std::string& word) {
    return text.find(word) != std::string::npos && text.find(word) == text.rfind(word);
}

// 14:05 on Monday 3 February 2025.
void FixedClock(LocalTime& out) { out = LocalTime{2025, 2, 1, 3, 14, 5, 30, 0}; }

class CommitRetryTest : public ServerTillFixture {
protected:
    void SetUp() override {
        SetClockSource(FixedClock);
        server_.SetShopValue("transaction_number", "57");
        SetEnvironmentVariableA("VARENKO_EXIT_AFTER_COMMITS", "1");  // for the first server only
        ServerTillFixture::SetUp();
        SetEnvironmentVariableA("VARENKO_EXIT_AFTER_COMMITS", nullptr);
        lstrcpyA(g_app.computerName, "TILL7");
        g_app.live.SetOption(12, 1), g_app.live.SetSwitch(0, 0);  // after a sale neither the summary nor a print
        g_app.live.SetTransactionNumber(57);
    }
    void TearDown() override { ServerTillFixture::TearDown(), SetClockSource(nullptr); }
};

TEST_F(CommitRetryTest, ASaleWrittenButNeverAnsweredIsAnsweredAgainNotRecordedTwiceAndARefusedOneIsDropped) {
    const std::string journal = server_.shopDirectory() + "\\state\\journal.txt";
    const std::string dayFile = DayFilePath(g_app.dataDir, LocalTime{2025, 2, 1, 3, 14, 5, 30, 0});
    AddLine(1001, "Kingsbridge Vodka 70cl", 10.00);
    AddLine(1002, "London Dry Gin 70cl", 2.34);

    auto payCash = [&] {
        Command(CMD_CASH);
        ASSERT_NE(g_app.entryDialog, nullptr);
        Click(g_app.entryDialog, IDC_EXACT_AMOUNT);
    };
    payCash();
    EXPECT_TRUE(messages().Saw("Network error", "Problem")) << server_.Log();
    EXPECT_EQ(ListEntries(), 2) << "the basket is kept to pay again";
    const TransactionRecord& b = g_app.basket;
    EXPECT_EQ(b.PaymentType() + " " + std::to_string(b.Number()) + " " + b.ComputerName() + " " + b.Time(),
              "Cash 57 TILL7 14:05") << "as stamped";
    EXPECT_TRUE(Once(ReadWholeFile(journal), "[sale 57]")) << "though the server wrote it";

    server_.Stop();
    ASSERT_TRUE(server_.Start()) << server_.Log();
    SetClockSource([](LocalTime& out) { out = LocalTime{2025, 2, 1, 3, 14, 6, 30, 0}; });
    payCash();
    EXPECT_EQ(g_app.live.TransactionNumber(), 58) << "answered as sale 57";
    EXPECT_EQ(ListEntries() + g_app.basket.LineCount(), 0) << "the basket is emptied";
    EXPECT_TRUE(Once(ReadWholeFile(journal), "[sale ")) << "recorded once";
    EXPECT_TRUE(Once(ReadWholeFile(dayFile), "Transaction 57")) << "and logged once";

    const std::string logBefore = ReadWholeFile(dayFile);
    for (int i = 0; i < 4; ++i) AddLine(1003, "Highland Single Malt 70cl", 30.00);  // 3 in stock
    Command(CMD_CH_PAYMENT);
    EXPECT_TRUE(messages().Saw("Inventory item out of stock", "Server refused update request."));
    EXPECT_EQ(ListEntries() + g_app.basket.LineCount(), 0) << "the refused basket is emptied";
    EXPECT_EQ(ReadWholeFile(dayFile), logBefore) << "and not logged";
    EXPECT_EQ(messages().messages().size(), 2u) << "nothing after the network error";
}

}  // namespace
