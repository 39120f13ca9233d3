// Refunds: the server's answers and the day-log entry.
#include <gtest/gtest.h>

#include <string>

#include "customers/refund.h"

namespace {

TEST(Refund, ServerAnswers) {
    struct Row { std::int32_t result; const char* text; };
    const Row rows[] = {{2, "Invalid type"}, {7, "File log trail error 3"}, {10, "Invalid customer"},
                        {11, "Invalid number"}, {19, "Invalid number"}};
    for (const Row& r : rows) EXPECT_STREQ(RefundRefusalText(r.result), r.text) << r.result;
    EXPECT_EQ(RefundCommittedText(20), "-1 committed");
    EXPECT_EQ(RefundCommittedText(78), "57 committed");
}

TEST(Refund, LogEntry) {
    TransactionRecord b;
    b.SetLineCount(2);
    b.SetTotal(12.5);
    b.SetAssociate(1);
    b.SetRefundMethod(1);
    b.SetCustomerNumber(1001);
    b.SetCustomerName("ALICE PENROSE");
    EXPECT_EQ(RefundLogEntry("14:0503/02/2025", 78, b, "Marta"),
              (LogEntry{"\r\n14:05 03/02/2025 Refund: 57, Total: 12.50\r\n", "Clerk: 1, Marta   Items: 2\r\n",
                        "Form: CH", "\r\nCustomer: 1001 ALICE PENROSE\r\n"}));
}

}  // namespace
