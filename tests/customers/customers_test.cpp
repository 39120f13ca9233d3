#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "basket/money.h"
#include "customers/credit_sale.h"
#include "customers/customer_form.h"
#include "customers/customer_search.h"
#include "customers/refund.h"
#include "resources/resource_ids.h"
#include "support/local_time.h"

namespace {

using V = std::vector<std::string>;

CustomerRecord Customer(std::int64_t number, const char* name) {
    CustomerRecord c;
    c.SetNumber(number), c.SetName(name), c.SetBillingRoad("1 MILL LANE"), c.SetBillingTown("KINGSBRIDGE");
    c.SetBillingPostCode("TQ7 1AA");
    return c;
}

std::map<int, std::string> Boxes(const BoxTexts& boxes) { return {boxes.begin(), boxes.end()}; }

// Takes the front of a scripted queue; false when it is empty (a failed call).
template <typename T>
bool Pop(std::deque<T>& queue, T& into) {
    if (queue.empty()) return false;
    into = queue.front(), queue.pop_front();
    return true;
}

// ---- Search --------------------------------------------------------------------------

// The range of customer numbers; how the leading number is read (blanks, sign, overflow): ItemEntryRules.
TEST(CustomerSearch, TextDecidesNumberOrNameSearch) {
    const std::pair<const char*, bool> rows[] = {
        {"100000000000000000", true}, {"100000000000000001", false}, {"0", false}, {"-5", false}};
    for (const auto& [text, byNumber] : rows) EXPECT_EQ(IsNumberSearch(text), byNumber) << text;
}

// A search run against scripted answers, recording what it showed and the keys sent.
struct SearchScript {
    const char* text = nullptr;  // nullptr: Cancel at the prompt
    std::deque<CustomerRecord> replies;  // an empty queue is a failed call
    std::deque<FoundAnswer> answers = {};
    bool listOption = false;
    std::int64_t listChoice = 0;  // 0 cancels the list
    V shown = {}, keys = {};  // keys: "number text"

    SearchSteps Steps() {
        SearchSteps s;
        s.askText = [this](std::string& t, std::string&) { t = text ? text : ""; return text != nullptr; };
        s.chooseFromList = [this](const CustomerKey&, std::int64_t& chosen) {
            shown.push_back("list"), chosen = listChoice;
            return listChoice != 0;
        };
        s.fetch = [this](const CustomerKey& key, CustomerRecord& c) {
            keys.push_back(std::to_string(key.Number()) + " " + key.SearchText());
            return Pop(replies, c);
        };
        s.showFound = [this](const CustomerRecord& c) {
            FoundAnswer a = FoundAnswer::Ok;
            shown.push_back("found " + std::to_string(c.Number())), Pop(answers, a);
            return a;
        };
        s.showView = [this](const CustomerRecord& c) { shown.push_back("view " + std::to_string(c.Number())); };
        s.tell = [this](const char* t, const char*) { shown.push_back(t); };
        return s;
    }
};

TEST(CustomerSearch, WalksRepliesAndDialogs) {
    const CustomerRecord none;
    const CustomerRecord jane = Customer(10, "JANE"), jack = Customer(12, "JACK");
    const char* noMatch = custmsg::kNoMatch;
    using A = FoundAnswer;
    struct Row { const char* why; SearchScript script; V shown; std::int64_t current; V keys; };
    Row rows[] = {
        {"cancel at the prompt keeps the previous customer", {nullptr, {}}, {}, 99, {}},
        {"number search without a match is silent", {"77", {none}}, {}, 0, {"-1 77"}},
        {"a number search shows the view; the key text is as typed", {"12abc", {jack}}, {"view 12"}, 12, {"-1 12abc"}},
        {"name search, OK on the first match", {"JA", {jane}, {A::Ok}}, {"found 10"}, 10, {"-1 JA"}},
        {"Next after the last: none", {"JA", {jane, none}, {A::Next}}, {"found 10", noMatch}, 0, {"-1 JA", "10 JA"}},
        {"Cancel keeps the shown customer current", {"JA", {jane, jack}, {A::Next, A::Cancel}},
         {"found 10", "found 12"}, 12, {"-1 JA", "10 JA"}},
        {"a failed call keeps the previous customer", {"JA", {}}, {custmsg::kNetworkError}, 99, {"-1 JA"}},
        {"the list turns a name into a number", {"JA", {jack}, {}, true, 12}, {"list", "view 12"}, 12, {"-1 12"}},
        {"a typed number never shows the list", {"10", {jane}, {}, true, 12}, {"view 10"}, 10, {"-1 10"}},
        {"a cancelled list ends the search", {"JA", {}, {}, true, 0}, {"list"}, 99, {}},
    };
    for (Row& r : rows) {
        CustomerRecord current = Customer(99, "BEFORE");
        RunCustomerSearch(current, r.script.listOption, r.script.Steps());
        EXPECT_EQ(std::tuple(r.script.shown, current.Number(), r.script.keys), std::tuple(r.shown, r.current, r.keys))
            << r.why;
    }
}

TEST(CustomerSearch, SelectionListHoldsEveryMatchInTheServersOrder) {
    const CustomerRecord jane = Customer(10, "JANE"), jack = Customer(12, "JACK");
    const std::string janeLine = "10 JANE, 1 MILL LANE, , KINGSBRIDGE";
    const struct { std::deque<CustomerRecord> replies; V lines, keys; bool failed; const char* why; } rows[] = {
        {{jane, jack, {}}, {janeLine, "12 JACK, 1 MILL LANE, , KINGSBRIDGE"}, {"-1 JA", "10 JA", "12 JA"}, false,
         "each continues after the last match; number 0 ends"},
        {{jane}, {janeLine}, {"-1 JA", "10 JA"}, true, "a failed call keeps the lines found"},
        {{jane, jane}, {janeLine}, {"-1 JA", "10 JA"}, false, "a customer given twice ends the list"},
    };
    for (const auto& r : rows) {
        SearchScript script{"JA", r.replies};
        bool failed = !r.failed;
        EXPECT_EQ(ListMatches(SearchKey("JA", ""), script.Steps().fetch, failed), r.lines) << r.why;
        EXPECT_EQ(std::pair(failed, script.keys), std::pair(r.failed, r.keys)) << r.why;
    }
}

TEST(CustomerSearch, MapLinkEncodesTheAddress) {
    CustomerRecord townOnly;
    townOnly.SetBillingTown("ST IVES&CO");
    EXPECT_EQ(MapAddressText(townOnly), ",ST IVES&CO") << "the separator even after an empty road";
    const std::string url = MapUrl(Customer(10, "JANE"));
    EXPECT_EQ(url.substr(url.find('?')), "?where1=1%20MILL%20LANE%2CKINGSBRIDGE%2CTQ7%201AA")
        << "the empty area left out, the address encoded";
}

// ---- The customer form ---------------------------------------------------------------

// One box typed over a valid new customer: what reading and checking say, and what is stored.
TEST(CustomerForm, ReadAndChecked) {
    using namespace formmsg;
    const std::string email39(39, 'e');
    struct Row { int box; std::string typed; bool amending; const char *message, *stored, *why; };
    const Row rows[] = {
        {IDC_FORM_NUMBER, "100000000000000000", false, nullptr, nullptr, "the highest number"},
        {IDC_FORM_NUMBER, "100000000000000001", false, kNumberRange, nullptr, "one above"},
        {IDC_FORM_NUMBER, "0", false, kNumberRange, nullptr, "number 0"},
        {IDC_FORM_NAME, "J", false, kShortName, nullptr, "one character"},
        {IDC_FORM_NAME, "Jo", false, kBadName, nullptr, "lower case second letter, adding"},
        {IDC_FORM_NAME, "jO", true, kBadName, nullptr, "lower case first letter, amending"},
        {IDC_FORM_GROUP, "2000", false, nullptr, nullptr, "the highest group"},
        {IDC_FORM_GROUP, "2001", false, kBadGroup, nullptr, "group 2001"},
        {IDC_FORM_GROUP, "4294967297", false, kBadGroup, nullptr, "beyond 32 bits: not wrapped round to 1"},
        {IDC_FORM_EMAIL, email39 + "x", false, nullptr, email39.c_str(), "e-mail over its limit is cut"},
        {IDC_FORM_CREDIT_LIMIT, "1e400", false, kBadAmount, "5.00", "no exponent: the limit is left"},
    };
    for (const Row& r : rows) {
        CustomerForm form = NewCustomerForm("7", false);
        form.texts[IDC_FORM_NAME] = "JO", form.texts[r.box] = r.typed;
        CustomerRecord c;
        c.SetCreditLimit(5);
        const char* message = ReadCustomerForm(form, c);
        if (!message) message = CheckCustomer(c, r.amending);
        EXPECT_STREQ(message ? message : "", r.message ? r.message : "") << r.why;
        if (r.stored) {
            EXPECT_EQ(r.box == IDC_FORM_EMAIL ? c.Email() : FormatMoney(c.CreditLimit()), r.stored) << r.why;
        }
    }
}

// Add and amend against scripted steps: forms are an answer and a name typed ("" keeps
// it); no numbers or results left is a failed call.
struct FormScript {
    std::deque<std::string> numbers;
    std::deque<std::pair<FormAnswer, std::string>> forms;
    std::deque<std::int32_t> results = {};
    bool logOpens = true;
    V seen = {};
    std::map<int, std::string> typed = {};  // into every form

    CustomerSteps Steps() {
        CustomerSteps s;
        s.nextNumber = [this](std::string& t) { return Pop(numbers, t); };
        s.showForm = [this](CustomerForm& form) {
            seen.push_back("form " + form.texts[IDC_FORM_NUMBER] + " " + form.texts[IDC_FORM_NAME]);
            std::pair<FormAnswer, std::string> next;
            Pop(forms, next);
            if (!next.second.empty()) form.texts[IDC_FORM_NAME] = next.second;
            for (const auto& [box, text] : typed) form.texts[box] = text;
            return next.first;
        };
        s.add = s.amend = [this](const CustomerRecord& c, std::int32_t& result) {
            seen.push_back("send " + c.Name());
            return Pop(results, result);
        };
        s.stamp = [] { return LogStamp{"14:05", "Mon 3 Feb 25", 1, "Marta"}; };
        s.log = [this](const LogEntry&) { return logOpens; };
        s.warn = [this] { seen.push_back("sound"); };
        s.tell = [this](const char* t, const char*) { seen.push_back(t); };
        return s;
    }
};

TEST(CustomerForm, AddAndAmendSteps) {
    using namespace formmsg;
    using A = FormAnswer;
    const std::pair<A, std::string> cancel{A::Cancel, ""};
    CustomerRecord found = Customer(1001, "ALICE");
    found.SetGroup(1), found.SetBalance(12.5);
    struct Row { const char* why; bool amend; FormScript script; V seen; };
    Row rows[] = {
        {"accepted and logged", false, {{"23"}, {{A::Ok, "JO"}}, {0}}, {"form 23 ", "send JO", kAdded}},
        {"a rejection keeps what was typed", false, {{"23"}, {{A::Ok, "J"}, cancel}},
         {"form 23 ", "sound", kShortName, "form 23 J"}},
        {"a failed call keeps the form", false, {{"23"}, {{A::Ok, "JO"}, cancel}},
         {"form 23 ", "send JO", "Network error", "form 23 JO"}},
        {"Next starts a blank form with a new number", false, {{"23", "24"}, {{A::Next, "JO"}, cancel}, {0}},
         {"form 23 ", "send JO", "form 24 "}},
        {"a refusal keeps the form", false, {{"23"}, {{A::Ok, "JO"}, cancel}, {8}},
         {"form 23 ", "send JO", "Insuffient memory", "form 23 JO"}},
        {"no next number", false, {{"0"}, {}}, {kNoNextNumber}},
        {"no answer for the next number", false, {{}, {}}, {"Network error"}},
        {"the day file missing", false, {{"23"}, {{A::Ok, "JO"}}, {0}, false}, {"form 23 ", "send JO", kNoLog}},
        {"amending, a lower-case second letter passes; sent and logged", true,
         {{}, {{A::Ok, "Alice"}}, {0}, true, {}, {{IDC_FORM_BALANCE, "999"}}},
         {"form 1001 ALICE", "send Alice", kAmended}},
        {"an amendment rejected, without a sound", true, {{}, {{A::Ok, "A"}, cancel}},
         {"form 1001 ALICE", kShortName, "form 1001 A"}},
        {"a changed number is never sent", true, {{}, {{A::Ok, ""}, cancel}, {}, true, {}, {{IDC_FORM_NUMBER, "2"}}},
         {"form 1001 ALICE", kNumberChanged, "form 2 ALICE"}},
        {"an amendment refused ends", true, {{}, {{A::Ok, ""}}, {3}},
         {"form 1001 ALICE", "send ALICE", "Item no longer exists"}},
        {"the day file missing for an amendment", true, {{}, {{A::Ok, ""}}, {0}, false},
         {"form 1001 ALICE", "send ALICE", kNoLog}},
    };
    for (Row& r : rows) {
        CustomerRecord current;
        SearchScript search{"1001", {found}};
        if (r.amend) RunAmendCustomer(current, TerminalConfig{}, search.Steps(), r.script.Steps());
        else RunAddCustomer(current, TerminalConfig{}, r.script.Steps());
        EXPECT_EQ(r.script.seen, r.seen) << r.why;
        EXPECT_EQ(current.Balance(), r.amend ? 12.5 : 0) << r.why << ": the balance box is hidden when amending";
    }
}

// ---- The sale on account and the refund ----------------------------------------------

CustomerRecord Account(std::int64_t taxCode, double balance, double limit) {
    CustomerRecord c = Customer(1001, "ALICE PENROSE");
    c.SetTaxCode(taxCode), c.SetBalance(balance), c.SetCreditLimit(limit);
    return c;
}

// One taxable line of 11.50: 10.00 and 1.50 tax 1.
TransactionRecord Basket() {
    TransactionRecord b;
    b.SetLineCount(1), b.SetLineTaxable(0, 10.0), b.SetLineTax1(0, 1.5), b.SetLineTotal(0, 11.5);
    b.SetTaxableTotal(10.0), b.SetTax1Total(1.5), b.SetTotal(11.5);
    return b;
}

TEST(CreditSale, CreditLimitCheck) {
    struct Row { double balance, limit; bool exceeds; const char* why; };
    const Row rows[] = {{488.5, 500, false, "exactly at the limit"}, {488.51, 500, true, "a cent above"},
                        {-5, 0, true, "no limit, in credit by less than the sale"}};
    for (const Row& r : rows) EXPECT_EQ(ExceedsCreditLimit(Account(1, r.balance, r.limit), 11.5), r.exceeds) << r.why;
}

TEST(CreditSale, SettlingByPayment) {
    using P = CustomerPayment;
    struct Row { P payment; std::int64_t taxCode; std::int32_t before, after; double total, balance, cash, eft, cheque;
                 const char *type, *why; };  // before and after: the customer's count of transactions
    const Row rows[] = {
        {P::Credit, 1, 0, 1, 11.5, 31.5, 0, 0, 0, "Credit", "on account: the balance rises"},
        {P::Credit, 0, 0, 1, 10.0, 30.0, 0, 0, 0, "Credit", "tax-exempt: charged without the tax"},
        {P::Cash, 1, 0, 1, 11.5, 20.0, 11.5, 0, 0, "Cash", "cash: balance unchanged"},
        {P::Eft, 1, 0, 1, 11.5, 20.0, 0, 11.5, 0, "EFT", "EFT"},
        {P::Cheque, 0, INT32_MAX, INT32_MAX, 10.0, 20.0, 0, 0, 10.0, "CH", "tax-exempt; a count at its limit stays"},
    };
    for (const auto& r : rows) {
        TransactionRecord b = Basket();
        b.SetChequePaid(5), b.SetEftPaid(5);  // left by an earlier attempt whose commit failed
        CustomerRecord c = Account(r.taxCode, 20, 500);
        c.SetTransactions(r.before);
        SettleCustomerSale(b, c, r.payment, "14:0503/02/2025", 57);
        EXPECT_DOUBLE_EQ(b.Tax1Total() + b.LineTax1(0), r.taxCode ? 3.0 : 0.0) << r.why;
        EXPECT_DOUBLE_EQ(b.NonTaxableTotal(), r.taxCode ? 0.0 : 10.0) << r.why;
        EXPECT_EQ(std::tuple(c.Transactions(), b.Total(), c.Balance(), b.CashPaid(), b.EftPaid(), b.ChequePaid(),
                             b.PaymentType()),
                  std::tuple(r.after, r.total, r.balance, r.cash, r.eft, r.cheque, r.type)) << r.why;
    }
}

TEST(CustomerDialogs, LastUsedTermsAndTheAccountAfterThisSale) {
    TerminalConfig config;
    struct Row { const char *used, *paid; int terms, days, discount; std::int64_t taxCode;
                 const char *shown, *sale, *why; };
    const Row rows[] = {
        // shown: Last used of FIND CUSTOMER, then Last used, Last payment and Terms of CUSTOMER; sale: tax 1,
        // total, this sale, the balance after it and Last of the sale on account
        {"09:4505/12/2026", "10:0001/01/2025", 3, 4, 3, 0,
         "09:45 D5/12/2026|09:45 D5/12/2026|10:00 D1/1/2025|30 days, 5% disc", "|10.00|10.00|30.00|D5/12/2026",
         "converted dates; tax-exempt: no tax shown or charged"},
        {"09:4599/12/2026", "", 8, 8, 8, 1, "09:45  99/12/2026|09:45 99/12/2026||180 days, 50% disc",
         "1.50|11.50|11.50|31.50|99/12/2026", "a date that cannot be converted: after two blanks, one in the view, "
         "its stored part in the sale; taxed: the whole total goes on the account"},
        {"NEW", "NEW", 2, 1, 1, 1, "||NEW|No credit, Nett", "1.50|11.50|11.50|31.50|NEW",
         "NEW is never used but the sale shows it; a payment text too short is as stored"},
        {"", "", 4, 9, 0, 1, "|||No credit, ", "1.50|11.50|11.50|31.50|", "codes out of range"},
    };
    for (const auto& r : rows) {
        CustomerRecord c = Account(r.taxCode, 20, 500);
        c.SetLastUsed(r.used), c.SetLastPayment(r.paid), c.SetTerms(r.terms);
        config.SetOption(20 + r.terms, r.days), config.SetInt32(cfg::kTermCodes + 4 * r.terms, r.discount);
        auto found = Boxes(FoundCustomerBoxes(c, {}, FakeDateFormatter));
        auto view = Boxes(CustomerViewBoxes(c, config, {}, FakeDateFormatter));
        EXPECT_EQ(found[IDC_FOUND_LAST_USED] + "|" + view[IDC_VIEW_LAST_USED] + "|" + view[IDC_VIEW_LAST_PAYMENT] +
                  "|" + view[IDC_VIEW_TERMS], r.shown) << r.why;
        TransactionRecord b = Basket();
        PrepareCustomerSale(b, c, 57, "14:05", "Mon 3 Feb 25", 3);
        auto box = Boxes(CustomerSaleBoxes(b, c, 57, "3, Marta", LocalTime{}, FakeDateFormatter));
        EXPECT_EQ(box[IDC_SALE_TAX1] + "|" + box[IDC_SALE_TOTAL] + "|" + box[IDC_SALE_AMOUNT] + "|" +
                      box[IDC_SALE_BALANCE] + "|" + box[IDC_SALE_LAST], r.sale) << r.why;
        EXPECT_EQ(std::to_string(b.Number()) + " " + b.CustomerName() + " " + b.Time() + " " + b.Date() + " " +
                      std::to_string(b.Associate()), "57 ALICE PENROSE 14:05 Mon 3 Feb 25 3") << r.why;
    }
}

TEST(Refund, TheDialogsChoicesAndTheBasketGoIntoTheRecordAndTheLog) {
    TransactionRecord b;
    b.SetLineCount(2), b.SetTotal(12.5), b.SetTax1Total(2.08), b.SetCustomerNumber(1001), b.SetCustomerName("ALICE");
    auto box = Boxes(RefundBoxes(b, 57, "Mon 3 Feb 25"));
    EXPECT_EQ(box[IDC_REFUND_TRANSACTION] + "|" + box[IDC_REFUND_CUSTOMER] + "|" + box[IDC_REFUND_ITEMS] + "|" +
                  box[IDC_REFUND_TAX1] + "|" + box[IDC_REFUND_TOTAL], "57|1001 ALICE|2|2.08|12.50");
    const struct { RefundChoices choices; std::int32_t method, stock; const char *form, *why; } rows[] = {
        {{}, 0, 0, "Form: Cash", "the defaults: cash, back to stock"},
        {{RefundMethod::Credit, true, false}, 3, 1, "Form: Credit", "credit, faulty"},
        {{RefundMethod::Cheque, false, true}, 1, 0, "Form: CH", "cheque"},
        {{RefundMethod::Eft}, 2, 0, "Form: EFT", "EFT"}};
    for (const auto& r : rows) {
        StampRefund(b, r.choices, RefundStamp{"14:05", "Mon 3 Feb 25", "TILL1", 4, 57});
        EXPECT_EQ(std::tuple(b.RefundMethod(), b.RefundStockFlag(), b.PaymentType(), b.Number(), b.ComputerName()),
                  std::tuple(r.method, r.stock, "Refund", 57, "TILL1")) << r.why;
        EXPECT_EQ(RefundLogEntry("14:0503/02/2025", 78, b, "Marta")[2], r.form) << r.why;
    }
    EXPECT_EQ(RefundLogEntry("14:0503/02/2025", 78, b, "Marta"),  // answer 78: committed as 57
              (LogEntry{"\r\n14:05 03/02/2025 Refund: 57, Total: 12.50\r\n", "Clerk: 4, Marta   Items: 2\r\n",
                        "Form: EFT", "\r\nCustomer: 1001 ALICE\r\n"}));
    b.SetRefundMethod(7);
    EXPECT_EQ(RefundLogEntry("14:0503/02/2025", 78, b, "Marta")[2], "Form: Cash") << "an unknown method logs as cash";
}

TEST(CustomerLog, EntriesByteForByte) {
    CustomerRecord c = Customer(23, "JO");
    c.SetBalance(12.5);
    const LogStamp stamp{"09:07", "Tue 4 Feb 25", 2, "Ben"};
    EXPECT_EQ(NewCustomerEntry(stamp, c),
              (LogEntry{"\r\nNew customer: 09:07 Tue 4 Feb 25\r\n", "Assoc: 2, Ben\r\n", "Customer 23, JO\r\n"}));
    EXPECT_EQ(CustomerUpdateEntry(stamp, c), (LogEntry{"\r\nCustomer update: 09:07 Tue 4 Feb 25\r\n",
                                                       "Assoc: 2, Ben\r\n", "Customer 23, JO\r\n", "Balance: 12.50\r\n"}));
    TransactionRecord b = Basket();
    b.SetAssociate(1), b.SetPaymentType("Credit");
    EXPECT_EQ(CreditSaleLogEntry("14:0503/02/2025", 57, b, "Marta", Account(1, 0, 0)),
              (LogEntry{"\r\n14:05 03/02/2025 Sale: 57, Total: 11.50\r\n", "Clerk: 1, Marta   Items: 1\r\n",
                        "Payment type: Credit\r\n", "Customer: 1001 ALICE PENROSE\r\n"}));
}

}  // namespace
