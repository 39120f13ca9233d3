// Refunds: the basket sent back with CommitRefund. The refund dialog's choices and
// boxes, the record's refund fields, the server's answers and the day-log entry.
// Portable: the dialog, the remote call and the log file are in refund_window.cpp.
#pragma once
#include <cstdint>
#include <string>

#include "customers/customer_search.h"
#include "link/records.h"
#include "logs/clock.h"

namespace refundmsg {
inline constexpr const char* kNoItems = "No items";
inline constexpr const char* kCreditThisCustomer = "Credit this customer?";
inline constexpr const char* kRefusedCaption = "Server refused update request.";
inline constexpr const char* kCommittedCaption = "Transaction successful";
}  // namespace refundmsg

// What the refund dialog sets on OK. The defaults are a cash refund with the items
// back in stock and no receipt.
enum class RefundMethod { Cash = 0, Cheque = 1, Eft = 2, Credit = 3 };
struct RefundChoices {
    RefundMethod method = RefundMethod::Cash;
    bool faulty = false;  // items not added back to stock
    bool print = false;   // a refund receipt
};

// The boxes of the refund dialog (807); `date` is also the record's date text.
BoxTexts RefundBoxes(const TransactionRecord& basket, std::int32_t number, const std::string& date);

// "%I64d Name: %s": the caption of "Credit this customer?".
std::string CreditCustomerCaption(const CustomerRecord& c);

// Everything the record carries to the server besides its lines.
struct RefundStamp {
    std::string time, date, computerName;
    std::int32_t associate = 0;
    std::int32_t number = 0;  // the next transaction number
};
void StampRefund(TransactionRecord& basket, const RefundChoices& choices, const RefundStamp& stamp);

// The server's refusal (an answer below 20) and acceptance ("%d committed", r - 21).
const char* RefundRefusalText(std::int32_t result);
std::string RefundCommittedText(std::int32_t result);

// The refund's day-log entry; the method line has no line end of its own.
LogEntry RefundLogEntry(const std::string& clock, std::int32_t result, const TransactionRecord& basket,
                        const std::string& associateName);
