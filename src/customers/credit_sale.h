// The customer credit transaction: the basket sold to the customer found, on the
// customer's account or paid at once, tax-free for a customer with tax code 0. The
// credit check, the record and customer changes, the day-log entry of a sale on
// account and what the "Customer transaction" dialog shows. Portable.
#pragma once
#include <cstdint>
#include <string>

#include "customers/customer_search.h"
#include "link/records.h"
#include "logs/clock.h"

namespace creditmsg {
inline constexpr const char* kSelectItems = "Please select items";
inline constexpr const char* kExceeded = "Exceeded";
inline constexpr const char* kCreditLimitCaption = "Credit limit";
inline constexpr const char* kKeyboardHelp =
    "Keyboard:  Spacebar clicks button, TAB or SHIFT+TAB moves the focus, Arrow keys move between buttons, "
    "ESC aborts";
}  // namespace creditmsg

// How the customer settles: the dialog's answer.
enum class CustomerPayment { None = 0, Eft = 2, Credit = 4, Cash = 8, Cheque = 12 };
const char* CustomerPaymentText(CustomerPayment payment);

bool IsTaxExempt(const CustomerRecord& c);
// The amount this sale adds to the account: the total, without its taxes for a
// tax-exempt customer.
double CustomerSaleAmount(const TransactionRecord& basket, const CustomerRecord& c);
// The balance plus the sale's total goes above the credit limit (equal is allowed).
bool ExceedsCreditLimit(const CustomerRecord& c, double total);

// Before the dialog: number, customer, time, date and clerk into the record.
void PrepareCustomerSale(TransactionRecord& basket, const CustomerRecord& c, std::int32_t number,
                         const std::string& time, const std::string& date, std::int32_t associate);
// After the dialog: the payment into the record, the taxes taken off for a tax-exempt
// customer, and the terminal's copy of the customer brought up to date (`clock` is
// the clock text, `number` the transaction number).
void SettleCustomerSale(TransactionRecord& basket, CustomerRecord& c, CustomerPayment payment,
                        const std::string& clock, std::int32_t number);

// The day-log entry of a sale on account.
LogEntry CreditSaleLogEntry(const std::string& clock, std::int32_t committedNumber, const TransactionRecord& basket,
                            const std::string& associateName, const CustomerRecord& c);

// The "Last" box: "NEW", the converted date, or the stored date part.
std::string CustomerSaleLastText(const std::string& stored, const LocalTime& now, DateFormatter format);
// The boxes of the "Customer transaction" dialog (806).
BoxTexts CustomerSaleBoxes(const TransactionRecord& basket, const CustomerRecord& c, std::int32_t number,
                           const std::string& clerk, const LocalTime& now, DateFormatter format);
