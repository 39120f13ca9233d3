#include "payment/commit.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "support/local_time.h"

namespace {

// Stands in for the locale formatter: answers a text of a chosen length, or fails.
LocalTime g_asked;
std::string g_askedPattern;
std::string g_answer = "Sat 5 Dec 26";
int FakeFormatter(const LocalTime& t, const char* pattern, char* out, int outSize) {
    g_asked = t;
    g_askedPattern = pattern;
    std::snprintf(out, static_cast<std::size_t>(outSize), "%s", g_answer.c_str());
    return static_cast<int>(g_answer.size()) + 1;  // counts the terminator, as the platform does
}
int FailingFormatter(const LocalTime&, const char*, char* out, int) {
    std::strcpy(out, "garbage");
    return 0;
}

TransactionRecord TwoLineSale() {
    TransactionRecord record;
    record.SetLineCount(2);
    record.SetLineItemNumber(0, 1001);
    record.SetLineDescription(0, "Tea towel");
    record.SetLineItemNumber(1, 4000000000LL);
    record.SetLineDescription(1, "Mug, blue");
    record.SetTotal(12.34);
    record.SetAssociate(3);
    record.SetPaymentType("Cash");
    return record;
}

ClockText g_clock;
const ClockText& ClockAt(int year, int month, int day, int hour, int minute) {
    FormatClockText(g_clock, At(year, month, day, hour, minute));
    return g_clock;
}

std::string Joined(const LogEntry& entry) {
    std::string all;
    for (const std::string& piece : entry) all += piece;
    return all;
}

}  // namespace

TEST(CommitAnswer, TwentyAndUpAreAcceptedWithNumbersBelowTheAnswer) {
    const CommitAnswer twenty = InterpretCommitAnswer(20);
    EXPECT_TRUE(twenty.accepted);
    EXPECT_EQ(twenty.committedNumber, -1);
    EXPECT_EQ(twenty.nextNumber, 0);
    EXPECT_EQ(twenty.refusalText, nullptr);

    const CommitAnswer answer = InterpretCommitAnswer(121);
    EXPECT_TRUE(answer.accepted);
    EXPECT_EQ(answer.committedNumber, 100);
    EXPECT_EQ(answer.nextNumber, 101);

    const std::int32_t top = std::numeric_limits<std::int32_t>::max();
    const CommitAnswer highest = InterpretCommitAnswer(top);
    EXPECT_TRUE(highest.accepted);
    EXPECT_EQ(highest.committedNumber, top - 21);
    EXPECT_EQ(highest.nextNumber, top - 20);
}

TEST(CommitAnswer, BelowTwentyIsARefusal) {
    for (std::int32_t r : {19, 0, -1, std::numeric_limits<std::int32_t>::min()}) {
        const CommitAnswer answer = InterpretCommitAnswer(r);
        EXPECT_FALSE(answer.accepted) << r;
        ASSERT_NE(answer.refusalText, nullptr) << r;
        EXPECT_STREQ(answer.refusalText, "Invalid number") << r;
    }
    const CommitAnswer outOfStock = InterpretCommitAnswer(5);
    EXPECT_FALSE(outOfStock.accepted);
    EXPECT_STREQ(outOfStock.refusalText, "Inventory item out of stock");
    EXPECT_STREQ(kCommitRefusedCaption, "Server refused update request.");
}

TEST(CommitAnswer, EveryRefusalCodeHasItsText) {
    struct Case {
        std::int32_t code;
        const char* text;
    };
    const Case named[] = {
        {2, "Invalid customer"},       {3, "Inventory file error"},   {4, "Inventory item file error"},
        {5, "Inventory item out of stock"}, {6, "File log trail error 1"}, {7, "File log trail error 2"},
        {8, "File log trail error 3"}, {12, "File log trail error 4"},
    };
    for (const Case& c : named) EXPECT_STREQ(CommitRefusalText(c.code), c.text) << c.code;

    for (std::int32_t code = -5; code < 20; ++code) {
        bool hasOwnText = false;
        for (const Case& c : named) hasOwnText = hasOwnText || c.code == code;
        if (!hasOwnText) {
            EXPECT_STREQ(CommitRefusalText(code), "Invalid number") << code;
        }
    }
}

TEST(CommitPrecheck, NoLinesIsQuietAnEmptyListIsNoItems) {
    EXPECT_EQ(CheckBeforeCommit(0, 3), CommitPrecheck::NothingToSend);
    EXPECT_EQ(CheckBeforeCommit(-1, 3), CommitPrecheck::NothingToSend);
    EXPECT_EQ(CheckBeforeCommit(2, 0), CommitPrecheck::ListEmpty);
    EXPECT_EQ(CheckBeforeCommit(1, 1), CommitPrecheck::Send);
}

TEST(CommitNumbers, AcceptedAnswerSetsRecordThenConfigurationMovesOn) {
    TransactionRecord record;
    TerminalConfig config;
    record.SetNumber(555);
    config.SetTransactionNumber(555);

    StoreCommittedNumber(record, config, 121);
    EXPECT_EQ(record.Number(), 100);
    EXPECT_EQ(config.TransactionNumber(), 100);
    AdvanceTransactionNumber(config, 121);
    EXPECT_EQ(config.TransactionNumber(), 101);

    StoreCommittedNumber(record, config, 20);
    EXPECT_EQ(record.Number(), -1);  // sign-extended into the 64-bit field
    EXPECT_EQ(config.TransactionNumber(), -1);
    AdvanceTransactionNumber(config, 20);
    EXPECT_EQ(config.TransactionNumber(), 0);
}

TEST(CommitStamp, TimeIsHourAndMinuteWithLeadingZeros) {
    EXPECT_EQ(SaleTimeText(At(2026, 12, 5, 9, 5)), "09:05");
    EXPECT_EQ(SaleTimeText(At(2026, 12, 5, 23, 59)), "23:59");
    EXPECT_EQ(SaleTimeText(At(2026, 12, 5, 0, 0)), "00:00");
}

TEST(CommitStamp, DateIsTheLocaleDateOfToday) {
    g_answer = "Sat 5 Dec 26";
    EXPECT_EQ(SaleDateText(At(2026, 12, 5, 14, 30), FakeFormatter), "Sat 5 Dec 26");
    EXPECT_EQ(g_askedPattern, kDisplayDatePattern);
    EXPECT_EQ(g_asked.day, 5);
    EXPECT_EQ(g_asked.month, 12);
    EXPECT_EQ(g_asked.year, 2026);
    EXPECT_EQ(g_asked.hour, 14);
}

TEST(CommitStamp, DateFallsBackWhenTheFormatterFailsOrTheTextIsTooLong) {
    EXPECT_EQ(SaleDateText(At(2026, 12, 5), FailingFormatter), "D: 5 M:12 Y:2026");
    EXPECT_EQ(SaleDateText(At(2027, 1, 31), nullptr), "D:31 M: 1 Y:2027");

    g_answer = std::string(19, 'x');  // fills the field exactly
    EXPECT_EQ(SaleDateText(At(2026, 12, 5), FakeFormatter), g_answer);
    g_answer = std::string(20, 'x');
    EXPECT_EQ(SaleDateText(At(2026, 12, 5), FakeFormatter), "D: 5 M:12 Y:2026");
    g_answer = std::string(200, 'y');  // longer than any buffer: still the fallback
    EXPECT_EQ(SaleDateText(At(2026, 12, 5), FakeFormatter), "D: 5 M:12 Y:2026");
    g_answer = "Sat 5 Dec 26";
}

TEST(CommitStamp, WritesNumberTimeDateClerkAndComputerName) {
    TransactionRecord record = TwoLineSale();
    g_answer = "Sat 5 Dec 26";
    CommitStamp stamp;
    stamp.now = At(2026, 12, 5, 9, 5);
    stamp.formatDate = FakeFormatter;
    stamp.currentAssociate = 0x100000007LL;  // only the low 32 bits fit the record
    stamp.expectedNumber = -3;
    stamp.computerName = "TILL-2";
    StampForCommit(record, stamp);

    EXPECT_EQ(record.Number(), -3);
    EXPECT_EQ(record.Time(), "09:05");
    EXPECT_EQ(record.Date(), "Sat 5 Dec 26");
    EXPECT_EQ(record.Associate(), 7);
    EXPECT_EQ(record.ComputerName(), "TILL-2");
    // The sale itself is untouched.
    EXPECT_EQ(record.LineCount(), 2);
    EXPECT_EQ(record.PaymentType(), "Cash");
    EXPECT_DOUBLE_EQ(record.Total(), 12.34);

    stamp.formatDate = FailingFormatter;
    stamp.computerName = std::string(60, 'N');
    StampForCommit(record, stamp);
    EXPECT_EQ(record.Date(), "D: 5 M:12 Y:2026");
    EXPECT_EQ(record.ComputerName(), std::string(txn::kComputerName.width - 1, 'N'));
}

TEST(SaleLog, CreditSalesWithACustomerAreLeftToTheCreditTransaction) {
    TransactionRecord record = TwoLineSale();
    EXPECT_TRUE(CommitWritesSaleLog(record));
    record.SetCustomerNumber(42);
    EXPECT_TRUE(CommitWritesSaleLog(record));  // cash with a customer
    record.SetPaymentType("Credit");
    EXPECT_FALSE(CommitWritesSaleLog(record));
    record.SetCustomerNumber(0);
    EXPECT_TRUE(CommitWritesSaleLog(record));
}

TEST(SaleLog, TwoLineCashSaleByteForByte) {
    const LogEntry entry =
        SaleLogEntry(ClockAt(2026, 12, 5, 9, 5), 57, TwoLineSale(), LoggedCustomer{}, "Associate 3");
    const LogEntry expected = {
        "\r\n09:05 05/12/2026  Transaction 57",
        "\r\n1001  Tea towel",
        "\r\n4000000000  Mug, blue",
        "\r\nTotal: 12.34\r\n",
        "Clerk: 3, Associate 3   Items: 2\r\n",
        "Payment type: Cash\r\n",
    };
    EXPECT_EQ(entry, expected);
}

TEST(SaleLog, CustomerLineFollowsTheTransactionLine) {
    TransactionRecord record = TwoLineSale();
    record.SetCustomerNumber(42);
    record.SetCustomerName("Name in the record");
    record.SetPaymentType("EFT");
    record.SetTotal(7.5);
    const LogEntry entry = SaleLogEntry(ClockAt(2027, 1, 9, 17, 40), -1, record,
                                        LoggedCustomer{9000000000LL, "Jane Doe"}, "Manager");
    ASSERT_EQ(entry.size(), 7u);
    EXPECT_EQ(entry[0], "\r\n17:40 09/01/2027  Transaction -1");
    // The number and name of the customer last found, not the record's copy.
    EXPECT_EQ(entry[1], "\r\nCustomer 9000000000 Jane Doe");
    EXPECT_EQ(entry[2], "\r\n1001  Tea towel");
    EXPECT_EQ(entry[4], "\r\nTotal: 7.50\r\n");
    EXPECT_EQ(entry[5], "Clerk: 3, Manager   Items: 2\r\n");
    EXPECT_EQ(entry[6], "Payment type: EFT\r\n");
}

TEST(SaleLog, LinesCarryNoPricesAndFollowBasketOrder) {
    TransactionRecord record = TwoLineSale();
    record.SetLineTotal(0, 3.21);
    record.SetLineTotal(1, 9.13);
    const std::string all = Joined(SaleLogEntry(ClockAt(2026, 3, 1, 8, 0), 3, record, {}, "A"));
    EXPECT_EQ(all.find("3.21"), std::string::npos);
    EXPECT_EQ(all.find("9.13"), std::string::npos);
    EXPECT_LT(all.find("Tea towel"), all.find("Mug, blue"));
}

TEST(SaleLog, LineCountOutsideTheRecordIsBounded) {
    TransactionRecord record = TwoLineSale();
    record.SetLineCount(txn::kMaxLines + 5);
    const LogEntry many = SaleLogEntry(ClockAt(2026, 3, 1, 8, 0), 3, record, {}, "A");
    EXPECT_EQ(many.size(), static_cast<std::size_t>(txn::kMaxLines) + 4);
    EXPECT_EQ(many[many.size() - 2], "Clerk: 3, A   Items: 405\r\n");

    record.SetLineCount(-2);
    const LogEntry none = SaleLogEntry(ClockAt(2026, 3, 1, 8, 0), 3, record, {}, "A");
    ASSERT_EQ(none.size(), 4u);
    EXPECT_EQ(none[2], "Clerk: 3, A   Items: -2\r\n");
}
