#include "payment/commit.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>

#include "support/local_time.h"

TEST(CommitAnswer, AcceptedFromTwentyOrRefusedWithItsText) {
    constexpr std::int32_t kTop = std::numeric_limits<std::int32_t>::max();
    const std::pair<std::int32_t, std::string> rows[] = {  // the answer: the committed and next numbers, or the text
        {20, "-1 0"}, {121, "100 101"}, {kTop, std::to_string(kTop - 21) + " " + std::to_string(kTop - 20)},
        {2, "Invalid customer"}, {5, "Inventory item out of stock"}, {8, "File log trail error 3"},
        {12, "File log trail error 4"}, {19, "Invalid number"}, {9, "Invalid number"},
        {std::numeric_limits<std::int32_t>::min(), "Invalid number"}};  // every other code
    for (const auto& [r, expected] : rows) {
        const CommitAnswer a = InterpretCommitAnswer(r);
        EXPECT_EQ(a.accepted ? std::to_string(a.committedNumber) + " " + std::to_string(a.nextNumber)
                             : std::string(a.refusalText ? a.refusalText : ""), expected) << r;
    }
    using P = CommitPrecheck;
    EXPECT_TRUE(CheckBeforeCommit(0, 5) == P::NothingToSend && CheckBeforeCommit(2, 0) == P::ListEmpty &&
                CheckBeforeCommit(1, 1) == P::Send) << "no lines; lines but an empty basket list; both";
}

TEST(CommitStamp, TheDateFallsBackToDigitsAndTheClerkKeepsItsLowHalf) {
    for (const auto& [answer, year, date] : {std::tuple{std::string(19, 'x'), 2026, std::string(19, 'x')},
                                             {std::string(20, 'x'), 2026, "D: 5 M:12 Y:2026"},
                                             {"", 2099, "D: 5 M:12 Y:2099"}}) {
        g_fakeDate = answer;  // 19 characters fit the record; more, or a failure, fall back
        EXPECT_EQ(SaleDateText(At(year, 12, 5), FakeDateFormatter), date) << answer;
    }
    g_fakeDate.clear();
    TransactionRecord record;
    StampForCommit(record, {At(2026, 12, 5, 9, 5), FakeDateFormatter, 0x100000007LL, -3, "TILL7"});
    EXPECT_EQ(record.Associate(), 7) << "only the low 32 bits fit the record";
}

TEST(SaleLog, EntryByteForByte) {
    const ClockText clock = "09:0505/12/2026";
    TransactionRecord sale;
    sale.SetLineCount(2), sale.SetLineItemNumber(0, 1001), sale.SetLineDescription(0, "Tea towel");
    sale.SetLineTotal(0, 3.21), sale.SetLineItemNumber(1, 4000000000LL), sale.SetLineDescription(1, "Mug, blue");
    sale.SetTotal(7.5), sale.SetAssociate(3), sale.SetPaymentType("EFT");
    const LogEntry plain = {"\r\n09:05 05/12/2026  Transaction 57", "\r\n1001  Tea towel", "\r\n4000000000  Mug, blue",
                            "\r\nTotal: 7.50\r\n", "Clerk: 3, Associate 3   Items: 2\r\n", "Payment type: EFT\r\n"};
    EXPECT_EQ(SaleLogEntry(clock, 57, sale, {}, "Associate 3"), plain) << "lines in basket order, no prices";
    sale.SetCustomerNumber(42), sale.SetCustomerName("Name in the record");
    LogEntry withCustomer = plain;
    withCustomer.insert(withCustomer.begin() + 1, "\r\nCustomer 9000000000 Jane Doe");
    EXPECT_EQ(SaleLogEntry(clock, 57, sale, {9000000000LL, "Jane Doe"}, "Associate 3"), withCustomer)
        << "the customer last found, not the record's copy";
    EXPECT_TRUE(CommitWritesSaleLog(sale)) << "EFT with a customer";
    sale.SetPaymentType("Credit");
    EXPECT_FALSE(CommitWritesSaleLog(sale)) << "a credit sale with a customer is logged by the credit transaction";
    sale.SetLineCount(txn::kMaxLines + 5);
    EXPECT_EQ(SaleLogEntry(clock, 3, sale, {}, "A").size(), txn::kMaxLines + 5u) << "only the 400 stored lines exist";
}
