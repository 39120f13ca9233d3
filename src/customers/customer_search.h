// Finding a customer on the server and making it the terminal's current customer:
// the kind of search a typed text makes, the number search, the name search that
// steps through the matches or lists them all, and what the FIND CUSTOMER and
// CUSTOMER dialogs show. Portable: the dialogs and remote calls come in as steps.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "basket/money.h"
#include "link/records.h"
#include "logs/clock.h"
#include "shell/shared_dialogs_logic.h"
#include "shell/terminal_config.h"

namespace custmsg {
inline constexpr const char* kNoMatch = listmsg::kNoMatch;
inline constexpr const char* kSearchCaption = "Customer search";
inline constexpr const char* kNetworkError = listmsg::kNetworkError;
inline constexpr const char* kProblem = listmsg::kProblem;
inline constexpr const char* kAssociatedCaption = "Customer associated";
inline constexpr const char* kFindTitle = "Find customer";
inline constexpr const char* kNumberOrName = "Number / name";
}  // namespace custmsg

namespace custcfg {
inline constexpr int kSelectionList = 18;  // option: name searches list every match at once
}

// Customer numbers run from 1 to this; a search text reads as a number or a name by
// IsNumberSearch (basket/money.h).
inline constexpr std::int64_t kHighestCustomerNumber = kHighestRecordNumber;
// The key of a new search: number -1 and the texts as given.
CustomerKey SearchKey(std::string_view text, std::string_view secondText);

// A line of the "Please select:" list: "%I64d %s, %s, %s, %s" (number, name, road,
// area, town).
std::string SelectionLine(const CustomerRecord& customer);

// Every match of a name search, in the server's order: lines of the selection list.
// `fetch` answers false when the call failed; the lines found so far are kept and
// `failed` is set. A server that repeats a customer ends the list there.
std::vector<std::string> ListMatches(CustomerKey key,
                                     const std::function<bool(const CustomerKey&, CustomerRecord&)>& fetch,
                                     bool& failed);

// The FIND CUSTOMER dialog's answer.
enum class FoundAnswer { Ok, Next, Cancel };

// What a search needs from the windows and the server.
struct SearchSteps {
    // The one-line prompt; false on Cancel.
    std::function<bool(std::string& text, std::string& secondText)> askText;
    // The "Please select:" list of the matches of `key`; false when nothing was chosen.
    std::function<bool(const CustomerKey& key, std::int64_t& chosen)> chooseFromList;
    // FetchCustomer into `customer`; false when the call failed (the record is kept).
    std::function<bool(const CustomerKey& key, CustomerRecord& customer)> fetch;
    std::function<FoundAnswer(const CustomerRecord&)> showFound;  // FIND CUSTOMER
    std::function<void(const CustomerRecord&)> showView;          // CUSTOMER
    std::function<void(const char* text, const char* caption)> tell;
};

// Find customer. `current` receives every reply; a cancelled or failed search leaves
// it as it was. With `listOption` a name search offers the list first. True when a
// customer was accepted: found by number, or OK on a name search's match.
bool RunCustomerSearch(CustomerRecord& current, bool listOption, const SearchSteps& steps);

// Associate customer: the customer's number, name, billing address and telephone 1
// go into the transaction's customer fields.
void AssociateWithTransaction(const CustomerRecord& customer, TransactionRecord& transaction);

// The "Last used" and "Last payment" texts: "hh:mm" then the date from character 5.
// Empty for an empty stored text (and for "NEW" when `newMeansNever`); otherwise
// characters 0, 1, 3 and 4 as "hh:mm " and the display date, or, when the date cannot
// be converted, `failedSeparator` and the stored date part as it is. A text too short
// to hold the time is shown as stored.
std::string LastUsedText(const std::string& stored, bool newMeansNever, const char* failedSeparator,
                         const LocalTime& now, DateFormatter format);

// The terms text of terms 1..8: the days text of its credit-days code ("No credit, "
// unless 2..8) followed by the discount text of its discount code (none unless 1..8).
std::string TermsText(const TerminalConfig& config, std::int32_t terms);

// Control id and text of each box the FIND CUSTOMER dialog (804) and the CUSTOMER
// dialog (803) fill when they open.
BoxTexts FoundCustomerBoxes(const CustomerRecord& c, const LocalTime& now, DateFormatter format);
BoxTexts CustomerViewBoxes(const CustomerRecord& c, const TerminalConfig& config, const LocalTime& now,
                           DateFormatter format);

// The web map of the billing address: the road, then "," and each of area, town and
// post code that is not empty, percent-encoded as the value of "where1".
std::string MapAddressText(const CustomerRecord& c);
std::string MapUrl(const CustomerRecord& c);
