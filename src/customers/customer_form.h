// Adding and amending customers: the NEW CUSTOMER form as plain state, what it
// reads back into the current customer, the checks before the server is asked, the
// two commands' steps and their day-log entries. Portable: the dialogs, remote calls
// and the log file come in as steps.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "customers/customer_search.h"
#include "link/records.h"
#include "logs/clock.h"
#include "payment/commit.h"
#include "shell/terminal_config.h"

namespace formmsg {
inline constexpr const char* kNoNextNumber = "Unable to get member parameters";
inline constexpr const char* kNoNextNumberCaption = "Problem with server";
inline constexpr const char* kNumberRange = "Number outside range.";
inline constexpr const char* kShortName = "The name must have at least two characters.";
inline constexpr const char* kBadName = "Invalid characters in name.";
inline constexpr const char* kBadGroup = "Invalid category (1-2000)";
inline constexpr const char* kBadAmount = "Invalid amount";
inline constexpr const char* kBadTransactions = "Invalid number";
inline constexpr const char* kNumberChanged = "Number cannot be changed";
inline constexpr const char* kRefusedCaption = "Server refused update request.";
inline constexpr const char* kNoLog = kSaleLogMissingText;
inline constexpr const char* kNoLogCaption = "Fatal error";
inline constexpr const char* kAdded = "Customer added";
inline constexpr const char* kAddedCaption = "Customer";
inline constexpr const char* kAmended = "Complete";
inline constexpr const char* kAmendedCaption = "Customer update";
inline constexpr const char* kAmendTitle = "Amend customer";
}  // namespace formmsg

namespace formcfg {
inline constexpr int kManualNumber = 11;  // option: a new customer's number is typed
}

// An edit box of the form: the most it takes, and whether it holds digits only or an
// amount with its point (the others take any text).
enum class BoxKind { Text, Digits, Amount };
struct FormBox {
    int id;
    std::size_t length;
    BoxKind kind;
};
const std::vector<FormBox>& CustomerFormBoxes();

inline constexpr int kTaxCodeChoices = 3;  // "0", "1", "2"
inline constexpr int kTermsChoices = 8;

// The form between opening and closing: the texts of its edit boxes by id and the
// two lists' selections.
struct CustomerForm {
    std::map<int, std::string> texts;
    int taxCode = 1;     // index of "0", "1", "2"
    int termsIndex = 0;  // terms - 1
    bool editing = false;      // "Amend customer": Next, Balance and its label hidden
    bool focusNumber = false;  // the number box has the focus
};

// Mode 0: the proposed number (none with the manual-number option, which also
// focuses the number box), every text empty, the defaults of a new customer.
CustomerForm NewCustomerForm(const std::string& proposedNumber, bool manualNumber);
// Mode 2: the customer's values.
CustomerForm EditCustomerForm(const CustomerRecord& c, bool manualNumber);
// The lists' texts: the tax codes and the terms texts of terms 1 to 8.
std::vector<std::string> TermsChoices(const TerminalConfig& config);

// Copies every box into the customer, each text cut to its length; the balance only
// for a new customer. A box that holds no readable number leaves its field as it was
// and gives its message (the customer number and group read as 0 instead, which
// their checks refuse); nullptr when everything was read.
const char* ReadCustomerForm(const CustomerForm& form, CustomerRecord& into);
// Number, name and group checks of add (`amending` false) and amend; the message of
// the first that fails, or nullptr.
const char* CheckCustomer(const CustomerRecord& c, bool amending);

const char* AddRefusalText(std::int32_t result);
const char* AmendRefusalText(std::int32_t result);

// Who and when, for the log entries.
struct LogStamp {
    std::string hourMinute;  // "hh:mm"
    std::string date;        // the display date
    std::int64_t associate = 0;
    std::string associateName;
};
LogEntry NewCustomerEntry(const LogStamp& stamp, const CustomerRecord& c);
LogEntry CustomerUpdateEntry(const LogStamp& stamp, const CustomerRecord& c);

enum class FormAnswer { Cancel, Ok, Next };

// What add and amend need from the windows, the server and the log.
struct CustomerSteps {
    std::function<bool(std::string& text)> nextNumber;  // false when the call failed
    std::function<FormAnswer(CustomerForm& form)> showForm;
    std::function<bool(const CustomerRecord&, std::int32_t& result)> add;    // false when the call failed
    std::function<bool(const CustomerRecord&, std::int32_t& result)> amend;  // false when the call failed
    std::function<LogStamp()> stamp;
    std::function<bool(const LogEntry&)> log;  // false when the day file cannot be opened
    std::function<void()> warn;                // sound 149
    std::function<void(const char* text, const char* caption)> tell;
};

// Add customer: forms until one is accepted and logged, or cancelled. A rejected
// form, a refusal and a failed call show their message and open the same new-customer
// form again with what was typed (balance included); Next after an accepted customer
// starts a blank form.
void RunAddCustomer(CustomerRecord& current, const TerminalConfig& config, const CustomerSteps& steps);
// Amend customer: the search (no list, no view), then the form of the customer found
// until it is sent and logged, or cancelled. A rejected form and a failed call show
// their message and open the form again; a refusal ends the command.
void RunAmendCustomer(CustomerRecord& current, const TerminalConfig& config, const SearchSteps& search,
                      const CustomerSteps& steps);
