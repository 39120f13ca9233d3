// Adding and amending customers: what the form reads back, the checks, add against
// scripted dialogs, server and log, and the log entries byte for byte.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "basket/money.h"
#include "customers/customer_form.h"
#include "resources/resource_ids.h"

namespace {

CustomerForm Typed(const char* number, const char* name, const char* group = "1") {
    CustomerForm form = NewCustomerForm(number, false);
    form.texts[IDC_FORM_NAME] = name, form.texts[IDC_FORM_GROUP] = group;
    return form;
}

TEST(CustomerForm, Checks) {
    using namespace formmsg;
    struct Row { const char *number, *name, *group; bool amending; const char *message, *why; };
    const Row rows[] = {
        {"100000000000000000", "JO", "2000", false, nullptr, "highest number and group"},
        {"0", "JO", "1", false, kNumberRange, "number 0"}, {"7", "J", "1", false, kShortName, "one character"},
        {"100000000000000001", "JO", "1", false, kNumberRange, "number above the highest"},
        {"7", "Jo", "1", false, kBadName, "lower case second letter, adding"},
        {"7", "jO", "1", true, kBadName, "lower case first letter, amending"},
        {"7", "JO", "2001", false, kBadGroup, "group 2001"}, {"7", "JO", "99999999999", false, kBadGroup, "32 bits"},
    };
    for (const Row& r : rows) {
        CustomerRecord c;
        ASSERT_EQ(ReadCustomerForm(Typed(r.number, r.name, r.group), c), nullptr) << r.why;
        const char* message = CheckCustomer(c, r.amending);
        EXPECT_STREQ(message ? message : "", r.message ? r.message : "") << r.why;
    }
}

TEST(CustomerForm, ReadsBoxesCutToTheirLengths) {
    struct Row { int box; std::string typed, stored; bool refused; const char* why; };
    const std::string email39(39, 'e'), notes79(79, 'n');
    const Row rows[] = {
        {IDC_FORM_EMAIL, email39 + "x", email39, false, "e-mail over its limit is cut"},
        {IDC_FORM_NOTES, notes79 + "x", notes79, false, "notes over their limit are cut"},
        {IDC_FORM_CREDIT_LIMIT, "1e400", "2000.00", true, "exponent"},
        {IDC_FORM_CREDIT_LIMIT, "-5", "2000.00", true, "negative"},
    };
    for (const Row& r : rows) {
        CustomerForm form = Typed("7", "JO");
        form.texts[r.box] = r.typed;
        CustomerRecord c;
        c.SetCreditLimit(2000);
        EXPECT_EQ(ReadCustomerForm(form, c) != nullptr, r.refused) << r.why;
        const std::string stored = r.box == IDC_FORM_EMAIL ? c.Email()
                                   : r.box == IDC_FORM_NOTES ? c.Notes() : FormatMoney(c.CreditLimit());
        EXPECT_EQ(stored, r.stored) << r.why;
    }
}

template <typename Q, typename T>
bool Pop(Q& queue, T& into) {
    if (queue.empty()) return false;
    into = queue.front(), queue.pop_front();
    return true;
}

// Add against scripted steps: forms are an answer and a name typed ("" keeps
// it); no numbers or results left is a failed call.
struct Script {
    std::deque<std::string> numbers;
    std::deque<std::pair<FormAnswer, std::string>> forms;
    std::deque<int> results = {};
    bool logOpens = true;
    std::vector<std::string> seen = {};
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

TEST(CustomerForm, AddSteps) {
    using namespace formmsg;
    using A = FormAnswer;
    struct Row { const char* why; Script script; std::vector<std::string> seen; };
    Row rows[] = {
        {"accepted and logged", {{"23"}, {{A::Ok, "JO"}}, {0}}, {"form 23 ", "send JO", kAdded}},
        {"a rejection keeps what was typed", {{"23"}, {{A::Ok, "J"}, {A::Cancel, ""}}},
         {"form 23 ", "sound", kShortName, "form 23 J"}},
        {"a failed call keeps the form", {{"23"}, {{A::Ok, "JO"}, {A::Cancel, ""}}},
         {"form 23 ", "send JO", "Network error", "form 23 JO"}},
        {"Next starts a blank form with a new number", {{"23", "24"}, {{A::Next, "JO"}, {A::Cancel, ""}}, {0}},
         {"form 23 ", "send JO", "form 24 "}},
        {"a refusal keeps the form", {{"23"}, {{A::Ok, "JO"}, {A::Cancel, ""}}, {8}},
         {"form 23 ", "send JO", "Insuffient memory", "form 23 JO"}},
        {"no next number", {{"0"}, {}}, {kNoNextNumber}},
        {"no answer for the next number", {{}, {}}, {"Network error"}},
        {"the day file missing", {{"23"}, {{A::Ok, "JO"}}, {0}, false}, {"form 23 ", "send JO", kNoLog}},
    };
    for (Row& r : rows) {
        CustomerRecord current;
        RunAddCustomer(current, TerminalConfig{}, r.script.Steps());
        EXPECT_EQ(r.script.seen, r.seen) << r.why;
    }
}

TEST(CustomerForm, AmendSteps) {
    using namespace formmsg;
    using A = FormAnswer;
    CustomerRecord found;
    found.SetNumber(1001), found.SetName("ALICE"), found.SetGroup(1), found.SetBalance(12.5);
    SearchSteps search;
    search.askText = [](std::string& t, std::string&) { t = "1001"; return true; };
    search.fetch = [&](const CustomerKey&, CustomerRecord& c) { c = found; return true; };
    search.showView = [](const CustomerRecord&) {};
    struct Row { const char* why; Script script; std::vector<std::string> seen; };
    Row rows[] = {
        {"a lower-case second letter passes; sent and logged", {{}, {{A::Ok, "Alice"}}, {0}, true, {},
                                                                {{IDC_FORM_BALANCE, "999"}}},
         {"form 1001 ALICE", "send Alice", kAmended}},
        {"a rejection, without a sound", {{}, {{A::Ok, "A"}, {A::Cancel, ""}}},
         {"form 1001 ALICE", kShortName, "form 1001 A"}},
        {"a changed number is never sent", {{}, {{A::Ok, ""}, {A::Cancel, ""}}, {}, true, {}, {{IDC_FORM_NUMBER, "2"}}},
         {"form 1001 ALICE", kNumberChanged, "form 2 ALICE"}},
        {"a refusal ends", {{}, {{A::Ok, ""}}, {3}}, {"form 1001 ALICE", "send ALICE", "Item no longer exists"}},
        {"the day file missing", {{}, {{A::Ok, ""}}, {0}, false}, {"form 1001 ALICE", "send ALICE", kNoLog}},
    };
    for (Row& r : rows) {
        CustomerRecord current;
        RunAmendCustomer(current, TerminalConfig{}, search, r.script.Steps());
        EXPECT_EQ(r.script.seen, r.seen) << r.why;
        EXPECT_EQ(current.Balance(), 12.5) << r.why << ": the balance box is hidden and never read";
    }
}

TEST(CustomerForm, LogEntries) {
    CustomerRecord c;
    c.SetNumber(23), c.SetName("JO"), c.SetBalance(12.5);
    const LogStamp stamp{"09:07", "Tue 4 Feb 25", 2, "Ben"};
    EXPECT_EQ(NewCustomerEntry(stamp, c),
              (LogEntry{"\r\nNew customer: 09:07 Tue 4 Feb 25\r\n", "Assoc: 2, Ben\r\n", "Customer 23, JO\r\n"}));
    EXPECT_EQ(CustomerUpdateEntry(stamp, c), (LogEntry{"\r\nCustomer update: 09:07 Tue 4 Feb 25\r\n",
                                                       "Assoc: 2, Ben\r\n", "Customer 23, JO\r\n", "Balance: 12.50\r\n"}));
}

}  // namespace
