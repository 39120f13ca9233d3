// Refunds: the server's answers and the day-log entry.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "customers/refund.h"
#include "resources/resource_ids.h"

namespace {

TEST(Refund, ServerAnswers) {
    for (auto [result, text] : {std::pair{2, "Invalid type"}, {7, "File log trail error 3"}, {10, "Invalid customer"},
                                {11, "Invalid number"}, {19, "Invalid number"}})
        EXPECT_STREQ(RefundRefusalText(result), text) << result;
    EXPECT_EQ(RefundCommittedText(20) + "|" + RefundCommittedText(78), "-1 committed|57 committed");
}

TEST(Refund, TheDialogsChoicesAndTheBasketGoIntoTheRecord) {
    TransactionRecord b;
    b.SetLineCount(2), b.SetTotal(12.5), b.SetTax1Total(2.08), b.SetCustomerNumber(1001), b.SetCustomerName("ALICE");
    const BoxTexts boxes = RefundBoxes(b, 57, "Mon 3 Feb 25");
    std::map<int, std::string> box(boxes.begin(), boxes.end());
    EXPECT_EQ(box[IDC_REFUND_TRANSACTION] + "|" + box[IDC_REFUND_CUSTOMER] + "|" + box[IDC_REFUND_ITEMS] + "|" +
                  box[IDC_REFUND_TAX1] + "|" + box[IDC_REFUND_TOTAL], "57|1001 ALICE|2|2.08|12.50");
    const struct { RefundChoices choices; std::int32_t method, stock; const char* why; } rows[] = {
        {{}, 0, 0, "the defaults: cash, back to stock"}, {{RefundMethod::Credit, true, false}, 3, 1, "credit, faulty"},
        {{RefundMethod::Eft, false, true}, 2, 0, "EFT"}};
    for (const auto& r : rows) {
        StampRefund(b, r.choices, RefundStamp{"14:05", "Mon 3 Feb 25", "TILL1", 4, 57});
        EXPECT_EQ(std::tuple(b.RefundMethod(), b.RefundStockFlag(), b.PaymentType(), b.Number(), b.ComputerName()),
                  std::tuple(r.method, r.stock, "Refund", 57, "TILL1")) << r.why;
    }
}

TEST(Refund, LogEntry) {
    TransactionRecord b;
    b.SetLineCount(2), b.SetTotal(12.5), b.SetAssociate(1), b.SetRefundMethod(1);
    b.SetCustomerNumber(1001), b.SetCustomerName("ALICE PENROSE");
    EXPECT_EQ(RefundLogEntry("14:0503/02/2025", 78, b, "Marta"),
              (LogEntry{"\r\n14:05 03/02/2025 Refund: 57, Total: 12.50\r\n", "Clerk: 1, Marta   Items: 2\r\n",
                        "Form: CH", "\r\nCustomer: 1001 ALICE PENROSE\r\n"}));
}

}  // namespace
