// A sale the server writes but never answers: the connection is lost between the
// server's journal write and its reply (the server ends itself there). The till keeps
// the basket; paid again once the server is back, a minute later, the sale gets the
// answer the server gave it the first time and stands once in the journal.
#include <gtest/gtest.h>

#include "link/remote.h"
#include "payment/till_fixture.h"
#include "support/shop_server.h"
#include "support/temp_dir.h"

namespace {

using CommitRetryTest = TillFixture;

int Occurrences(const std::string& text, const std::string& word) {
    int n = 0;
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
    return n;
}

TEST_F(CommitRetryTest, ASaleWrittenButNeverAnsweredIsAnsweredAgainNotRecordedTwice) {
    ShopServerProcess server;
    server.SetShopValue("transaction_number", "57");
    SetEnvironmentVariableA("VARENKO_EXIT_AFTER_COMMITS", "1");
    const bool started = server.Start();
    SetEnvironmentVariableA("VARENKO_EXIT_AFTER_COMMITS", nullptr);
    ASSERT_TRUE(started) << server.Log();
    ASSERT_EQ(BindToServer(""), BindResult::Bound);
    g_app.live.SetTransactionNumber(57);
    const std::string journal = server.shopDirectory() + "\\state\\journal.txt";
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
    EXPECT_EQ(Occurrences(ReadWholeFile(journal), "[sale 57]"), 1) << "though the server wrote it";

    server.Stop();
    ASSERT_TRUE(server.Start()) << server.Log();
    SetClockSource([](LocalTime& out) { out = LocalTime{2025, 2, 1, 3, 14, 6, 30, 0}; });
    payCash();
    EXPECT_EQ(messages().messages().size(), 1u) << "nothing after the network error";
    EXPECT_EQ(g_app.live.TransactionNumber(), 58) << "answered as sale 57";
    EXPECT_EQ(ListEntries() + g_app.basket.LineCount(), 0) << "the basket is emptied";
    EXPECT_EQ(Occurrences(ReadWholeFile(journal), "[sale "), 1) << "recorded once";
    EXPECT_EQ(Occurrences(ReadWholeFile(DayFile()), "Transaction 57"), 1) << "and logged once";
    EXPECT_NE(server.Log().find("CommitSale expected 57, 2 lines -> 78"), std::string::npos) << server.Log();
}

}  // namespace
