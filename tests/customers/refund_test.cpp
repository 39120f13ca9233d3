// Refunds through their plain functions: the record's refund fields, the server's
// answers and the day-log entry byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "customers/refund.h"

namespace {

TEST(Refund, ChoicesIntoTheRecord) {
    struct Row { RefundChoices choices; std::int32_t method, stock; const char* why; };
    const Row rows[] = {
        {{}, 0, 0, "the defaults: cash, back to stock"},
        {{RefundMethod::Credit, true, false}, 3, 1, "credit, faulty items"},
        {{RefundMethod::Eft, false, true}, 2, 0, "EFT"},
    };
    for (const Row& r : rows) {
        TransactionRecord b;
        StampRefund(b, r.choices, RefundStamp{"14:05", "Mon 3 Feb 25", "TILL1", 1, 57});
        EXPECT_EQ(b.RefundMethod(), r.method) << r.why;
        EXPECT_EQ(b.RefundStockFlag(), r.stock) << r.why;
        EXPECT_EQ(b.PaymentType(), "Refund") << r.why;
        EXPECT_EQ(b.Number(), 57) << r.why;
    }
}

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
    CustomerRecord c;
    c.SetNumber(1001);
    c.SetName("ALICE PENROSE");
    EXPECT_EQ(CreditCustomerCaption(c), "1001 Name: ALICE PENROSE");
}

}  // namespace
