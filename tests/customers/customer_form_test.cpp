// Adding and amending customers through their plain functions: what the form reads
// back, the checks, the steps of add and amend against scripted dialogs, server and
// log, and the log entries byte for byte.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "basket/money.h"
#include "customers/customer_form.h"
#include "resources/resource_ids.h"

namespace {

CustomerForm Typed(const char* number, const char* name, const char* group = "1") {
    CustomerForm form = NewCustomerForm(number, false);
    form.texts[IDC_FORM_NAME] = name;
    form.texts[IDC_FORM_GROUP] = group;
    return form;
}

TEST(CustomerForm, Checks) {
    struct Row {
        const char *number, *name, *group;
        bool amending;
        const char *message, *why;
    };
    const Row rows[] = {
        {"1", "JO", "1", false, nullptr, "lowest number, two letters, lowest group"},
        {"100000000000000000", "JO", "2000", false, nullptr, "highest number and group"},
        {"0", "JO", "1", false, "Number outside range.", "number 0"},
        {"100000000000000001", "JO", "1", false, "Number outside range.", "number above the highest"},
        {"12345678901234567890", "JO", "1", false, "Number outside range.", "too long to read"},
        {"7", "J", "1", false, "The name must have at least two characters.", "one character"},
        {"7", "jo", "1", false, "Invalid characters in name.", "lower case first letter"},
        {"7", "Jo", "1", false, "Invalid characters in name.", "lower case second letter, adding"},
        {"7", "Jo", "1", true, nullptr, "lower case second letter, amending"},
        {"7", "jO", "1", true, "Invalid characters in name.", "lower case first letter, amending"},
        {"7", " J", "1", false, nullptr, "a leading blank passes"},
        {"7", "\xC9T", "1", false, "Invalid characters in name.", "code above 127"},
        {"7", "JO", "0", false, "Invalid category (1-2000)", "group 0"},
        {"7", "JO", "2001", false, "Invalid category (1-2000)", "group 2001"},
        {"7", "JO", "99999999999", false, "Invalid category (1-2000)", "group beyond 32 bits"},
        {"7", "JO", "A", false, "Invalid category (1-2000)", "letters in the group"},
    };
    for (const Row& r : rows) {
        CustomerRecord c;
        ASSERT_EQ(ReadCustomerForm(Typed(r.number, r.name, r.group), c), nullptr) << r.why;
        const char* message = CheckCustomer(c, r.amending);
        EXPECT_STREQ(message ? message : "", r.message ? r.message : "") << r.why;
    }
}

TEST(CustomerForm, ReadsBoxesCutToTheirLengths) {
    struct Row { int box; std::string typed; std::string stored; const char* problem; const char* why; };
    const std::string email39(39, 'e'), notes79(79, 'n');
    const Row rows[] = {
        {IDC_FORM_EMAIL, email39, email39, nullptr, "e-mail at its limit"},
        {IDC_FORM_EMAIL, email39 + "x", email39, nullptr, "e-mail over its limit is cut"},
        {IDC_FORM_NOTES, notes79 + "x", notes79, nullptr, "notes over their limit are cut"},
        {IDC_FORM_CREDIT_LIMIT, "1500.5", "1500.50", nullptr, "credit limit with its point"},
        {IDC_FORM_CREDIT_LIMIT, "1e400", "2000.00", "Invalid amount", "exponent"},
        {IDC_FORM_CREDIT_LIMIT, "-5", "2000.00", "Invalid amount", "negative"},
        {IDC_FORM_TRANSACTIONS, "4x", "", "Invalid number", "letters in transactions"},
    };
    for (const Row& r : rows) {
        CustomerForm form = Typed("7", "JO");
        form.texts[r.box] = r.typed;
        CustomerRecord c;
        c.SetCreditLimit(2000);
        const char* problem = ReadCustomerForm(form, c);
        EXPECT_STREQ(problem ? problem : "", r.problem ? r.problem : "") << r.why;
        const std::string stored = r.box == IDC_FORM_EMAIL   ? c.Email()
                                   : r.box == IDC_FORM_NOTES ? c.Notes()
                                   : r.box == IDC_FORM_CREDIT_LIMIT ? FormatMoney(c.CreditLimit())
                                                                    : "";
        EXPECT_EQ(stored, r.stored) << r.why;
    }
}

TEST(CustomerForm, ListsAndBalanceByMode) {
    CustomerRecord c;
    c.SetNumber(1001);
    c.SetTaxCode(2);
    c.SetTerms(4);
    c.SetBalance(-12.5);
    CustomerForm form = EditCustomerForm(c, false);
    EXPECT_EQ(form.texts[IDC_FORM_BALANCE], "-12.50");
    form.texts[IDC_FORM_BALANCE] = "999";  // hidden when amending: never read
    CustomerRecord read = c;
    ASSERT_EQ(ReadCustomerForm(form, read), nullptr);
    EXPECT_EQ(read.Balance(), -12.5);
    EXPECT_EQ(read.TaxCode(), 2);
    EXPECT_EQ(read.Terms(), 4);

    const CustomerForm blank = NewCustomerForm("23", true);
    EXPECT_EQ(blank.texts.at(IDC_FORM_NUMBER), "") << "the manual-number option empties the number";
    EXPECT_TRUE(blank.focusNumber);
    EXPECT_EQ(EditCustomerForm(c, true).texts.at(IDC_FORM_NUMBER), "1001") << "but never an amended one";
}

// Add and amend against scripted steps.
struct Script {
    using Forms = std::deque<std::pair<FormAnswer, std::string>>;
    Script(std::vector<std::string> numbers, Forms forms = {}, std::deque<int> results = {}, bool logOpens = true)
        : numbers(numbers.begin(), numbers.end()), forms(std::move(forms)), results(std::move(results)),
          logOpens(logOpens) {}
    std::deque<std::string> numbers;  // replies of FetchNextCustomerNumber; none left = failure
    Forms forms;                      // answer and the name typed ("" keeps it)
    std::deque<int> results;          // server answers; none left = failure
    bool logOpens = true;
    std::vector<std::string> seen;
    std::vector<LogEntry> logged;

    CustomerSteps Steps() {
        CustomerSteps s;
        s.nextNumber = [this](std::string& t) {
            if (numbers.empty()) return false;
            t = numbers.front();
            numbers.pop_front();
            return true;
        };
        s.showForm = [this](CustomerForm& form) {
            seen.push_back("form " + form.texts[IDC_FORM_NUMBER] + " " + form.texts[IDC_FORM_NAME]);
            auto [answer, name] = forms.front();
            forms.pop_front();
            if (!name.empty()) form.texts[IDC_FORM_NAME] = name;
            return answer;
        };
        s.add = s.amend = [this](const CustomerRecord& c, std::int32_t& result) {
            seen.push_back("send " + c.Name());
            if (results.empty()) return false;
            result = results.front();
            results.pop_front();
            return true;
        };
        s.stamp = [] { return LogStamp{"14:05", "Mon 3 Feb 25", 1, "Marta"}; };
        s.log = [this](const LogEntry& e) {
            logged.push_back(e);
            return logOpens;
        };
        s.warn = [this] { seen.push_back("sound"); };
        s.tell = [this](const char* t, const char* c) { seen.push_back(std::string(t) + " (" + c + ")"); };
        return s;
    }
};

TEST(CustomerForm, AddSteps) {
    using A = FormAnswer;
    struct Row { const char* why; Script script; std::vector<std::string> seen; };
    Row rows[] = {
        {"accepted and logged", Script({"23"}, {{A::Ok, "JO"}}, {0}),
         {"form 23 ", "send JO", "Customer added (Customer)"}},
        {"a rejection keeps what was typed", Script({"23"}, {{A::Ok, "J"}, {A::Cancel, ""}}),
         {"form 23 ", "sound", "The name must have at least two characters. (Problem)", "form 23 J"}},
        {"a failed call keeps the form", Script({"23"}, {{A::Ok, "JO"}, {A::Cancel, ""}}),
         {"form 23 ", "send JO", "Network error (Problem)", "form 23 JO"}},
        {"a refusal keeps the form", Script({"23"}, {{A::Ok, "JO"}, {A::Cancel, ""}}, {3}),
         {"form 23 ", "send JO", "In use (Server refused update request.)", "form 23 JO"}},
        {"Next starts a blank form with a new number", Script({"23", "24"}, {{A::Next, "JO"}, {A::Cancel, ""}}, {0}),
         {"form 23 ", "send JO", "form 24 "}},
        {"no next number", Script({"0"}), {"Unable to get member parameters (Problem with server)"}},
        {"server gone before the form", Script({}), {"Network error (Problem)"}},
        {"the day file missing", Script({"23"}, {{A::Ok, "JO"}}, {0}, false),
         {"form 23 ", "send JO", "Data log file not present. (Fatal error)"}},
    };
    for (Row& r : rows) {
        CustomerRecord current;
        RunAddCustomer(current, TerminalConfig{}, r.script.Steps());
        EXPECT_EQ(r.script.seen, r.seen) << r.why;
    }
}

TEST(CustomerForm, AmendSteps) {
    using A = FormAnswer;
    CustomerRecord found;
    found.SetNumber(1001);
    found.SetName("ALICE");
    found.SetGroup(1);
    found.SetBalance(12.5);
    SearchSteps search;
    search.askText = [](std::string& t, std::string&) { t = "1001"; return true; };
    search.fetch = [&](const CustomerKey&, CustomerRecord& c) { c = found; return true; };
    search.showView = [](const CustomerRecord&) {};

    struct Row { const char* why; Script script; std::vector<std::string> seen; };
    Row rows[] = {
        {"sent and logged", Script({}, {{A::Ok, "Alice"}}, {0}),
         {"form 1001 ALICE", "send Alice", "Complete (Customer update)"}},
        {"a rejection opens the form again", Script({}, {{A::Ok, "a"}, {A::Cancel, ""}}),
         {"form 1001 ALICE", "The name must have at least two characters. (Problem)", "form 1001 a"}},
        {"a failed call keeps the form", Script({}, {{A::Ok, "ALICE B"}, {A::Cancel, ""}}),
         {"form 1001 ALICE", "send ALICE B", "Network error (Problem)", "form 1001 ALICE B"}},
        {"a refusal ends", Script({}, {{A::Ok, ""}}, {3}),
         {"form 1001 ALICE", "send ALICE", "Item no longer exists (Server refused update request.)"}},
    };
    for (Row& r : rows) {
        CustomerRecord current;
        RunAmendCustomer(current, TerminalConfig{}, search, r.script.Steps());
        EXPECT_EQ(r.script.seen, r.seen) << r.why;
    }

    Script changed({}, {{A::Ok, ""}, {A::Cancel, ""}});
    CustomerSteps steps = changed.Steps();
    const auto show = steps.showForm;
    steps.showForm = [&, show](CustomerForm& f) {
        f.texts[IDC_FORM_NUMBER] = "1002";
        return show(f);
    };
    CustomerRecord current;
    RunAmendCustomer(current, TerminalConfig{}, search, steps);
    EXPECT_EQ(changed.seen[1], "Number cannot be changed (Problem)");
    EXPECT_EQ(changed.seen.size(), 3u) << "the form again, nothing sent";

    Script logged({}, {{A::Ok, ""}}, {0});
    RunAmendCustomer(current, TerminalConfig{}, search, logged.Steps());
    ASSERT_EQ(logged.logged.size(), 1u);
    EXPECT_EQ(logged.logged[0], (LogEntry{"\r\nCustomer update: 14:05 Mon 3 Feb 25\r\n", "Assoc: 1, Marta\r\n",
                                          "Customer 1001, ALICE\r\n", "Balance: 12.50\r\n"}));
}

TEST(CustomerForm, NewCustomerLogEntry) {
    CustomerRecord c;
    c.SetNumber(23);
    c.SetName("JO");
    EXPECT_EQ(NewCustomerEntry(LogStamp{"09:07", "Tue 4 Feb 25", 2, "Ben"}, c),
              (LogEntry{"\r\nNew customer: 09:07 Tue 4 Feb 25\r\n", "Assoc: 2, Ben\r\n", "Customer 23, JO\r\n"}));
}

}  // namespace
