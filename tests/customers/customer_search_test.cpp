// Customer search: the kind of search a text makes, the walk through replies and
// dialogs, and the map link.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "customers/customer_search.h"
#include "resources/resource_ids.h"
#include "support/local_time.h"

namespace {

CustomerRecord Customer(std::int64_t number, const char* name) {
    CustomerRecord c;
    c.SetNumber(number), c.SetName(name), c.SetBillingRoad("1 MILL LANE"), c.SetBillingTown("KINGSBRIDGE");
    c.SetBillingPostCode("TQ7 1AA");
    return c;
}

TEST(CustomerSearch, TextDecidesNumberOrNameSearch) {
    struct Row { const char* text; bool byNumber; const char* why; };
    const Row rows[] = {
        {"  7", true, "leading blanks are skipped"}, {"12abc", true, "reading stops at the first non-digit"},
        {"100000000000000000", true, "highest number"}, {"100000000000000001", false, "one above the highest"},
        {"99999999999999999999999", false, "beyond 64 bits"}, {"0", false, "zero"}, {"-5", false, "negative"},
    };
    for (const Row& r : rows) EXPECT_EQ(IsNumberSearch(r.text), r.byNumber) << r.why;
}

// A search run against scripted answers, recording what it showed and the keys sent.
struct Script {
    const char* text = nullptr;  // nullptr: Cancel at the prompt
    std::deque<CustomerRecord> replies;  // an empty queue is a failed call
    std::deque<FoundAnswer> answers = {};
    bool listOption = false;
    std::int64_t listChoice = 0;  // 0 cancels the list
    std::vector<std::string> shown = {};
    std::vector<std::string> keys = {};  // "number text"

    SearchSteps Steps() {
        SearchSteps s;
        s.askText = [this](std::string& t, std::string&) { t = text ? text : ""; return text != nullptr; };
        s.chooseFromList = [this](const CustomerKey&, std::int64_t& chosen) {
            shown.push_back("list"), chosen = listChoice;
            return listChoice != 0;
        };
        s.fetch = [this](const CustomerKey& key, CustomerRecord& c) {
            keys.push_back(std::to_string(key.Number()) + " " + key.SearchText());
            if (replies.empty()) return false;
            c = replies.front(), replies.pop_front();
            return true;
        };
        s.showFound = [this](const CustomerRecord& c) {
            shown.push_back("found " + std::to_string(c.Number()));
            const FoundAnswer a = answers.front();
            answers.pop_front();
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
    using A = FoundAnswer;
    using V = std::vector<std::string>;
    struct Row { const char* why; Script script; V shown; std::int64_t current; V keys; };
    Row rows[] = {
        {"cancel at the prompt keeps the previous customer", {nullptr, {}}, {}, 99, {}},
        {"number search shows the view", {"10", {jane}}, {"view 10"}, 10, {"-1 10"}},
        {"number search without a match is silent", {"77", {none}}, {}, 0, {"-1 77"}},
        {"the key text is as typed", {"12abc", {jack}}, {"view 12"}, 12, {"-1 12abc"}},
        {"name search, OK on the first match", {"JA", {jane}, {A::Ok}}, {"found 10"}, 10, {"-1 JA"}},
        {"Next on the last match reports no match", {"JA", {jane, none}, {A::Next}},
         {"found 10", custmsg::kNoMatch}, 0, {"-1 JA", "10 JA"}},
        {"Cancel keeps the shown customer current", {"JA", {jane, jack}, {A::Next, A::Cancel}},
         {"found 10", "found 12"}, 12, {"-1 JA", "10 JA"}},
        {"a failed call keeps the previous customer", {"JA", {}}, {custmsg::kNetworkError}, 99, {"-1 JA"}},
        {"the list turns a name search into a number search", {"JA", {jack}, {}, true, 12},
         {"list", "view 12"}, 12, {"-1 12"}},
        {"a typed number never shows the list", {"10", {jane}, {}, true, 12}, {"view 10"}, 10, {"-1 10"}},
        {"a cancelled list ends the search", {"JA", {}, {}, true, 0}, {"list"}, 99, {}},
    };
    for (Row& r : rows) {
        CustomerRecord current = Customer(99, "BEFORE");
        RunCustomerSearch(current, r.script.listOption, r.script.Steps());
        EXPECT_EQ(r.script.shown, r.shown) << r.why;
        EXPECT_EQ(current.Number(), r.current) << r.why;
        EXPECT_EQ(r.script.keys, r.keys) << r.why;
    }
}

TEST(CustomerSearch, SelectionListHoldsEveryMatchInTheServersOrder) {
    const CustomerRecord jane = Customer(10, "JANE"), jack = Customer(12, "JACK");
    const std::string janeLine = "10 JANE, 1 MILL LANE, , KINGSBRIDGE";
    using V = std::vector<std::string>;
    const struct { std::deque<CustomerRecord> replies; V lines, keys; bool failed; const char* why; } rows[] = {
        {{jane, jack, {}}, {janeLine, "12 JACK, 1 MILL LANE, , KINGSBRIDGE"}, {"-1 JA", "10 JA", "12 JA"}, false,
         "each continues after the last match; number 0 ends"},
        {{jane}, {janeLine}, {"-1 JA", "10 JA"}, true, "a failed call keeps the lines found"},
        {{jane, jane}, {janeLine}, {"-1 JA", "10 JA"}, false, "a customer given twice ends the list"},
    };
    for (const auto& r : rows) {
        Script script{"JA", r.replies};
        bool failed = !r.failed;
        EXPECT_EQ(ListMatches(SearchKey("JA", ""), script.Steps().fetch, failed), r.lines) << r.why;
        EXPECT_EQ(std::pair(failed, script.keys), std::pair(r.failed, r.keys)) << r.why;
    }
    TransactionRecord sale;
    AssociateWithTransaction(Customer(10, "JANE"), sale);
    EXPECT_EQ(std::to_string(sale.CustomerNumber()) + sale.CustomerName() + sale.CustomerRoad() + sale.CustomerTown() +
              sale.CustomerPostCode(), "10JANE1 MILL LANEKINGSBRIDGETQ7 1AA");
}

TEST(CustomerSearch, DialogBoxesShowLastUsedAndTermsAsTexts) {
    TerminalConfig config;
    const struct { const char *used, *paid; int terms, days, discount; const char *shown, *why; } rows[] = {
        // shown: Last used of FIND CUSTOMER, then Last used, Last payment and Terms of CUSTOMER
        {"09:4505/12/2026", "10:0001/01/2025", 3, 4, 3, "09:45 D5/12/2026|09:45 D5/12/2026|10:00 D1/1/2025|30 days, "
         "5% disc", "converted dates"},
        {"09:4599/12/2026", "", 8, 8, 8, "09:45  99/12/2026|09:45 99/12/2026||180 days, 50% disc",
         "a date that cannot be converted: after two blanks, one in the view"},
        {"NEW", "NEW", 2, 1, 1, "||NEW|No credit, Nett", "NEW is never used; a payment text too short is as stored"},
        {"", "", 4, 9, 0, "|||No credit, ", "codes out of range"},
    };
    for (const auto& r : rows) {
        CustomerRecord c = Customer(10, "JANE");
        c.SetLastUsed(r.used), c.SetLastPayment(r.paid), c.SetTerms(r.terms);
        config.SetOption(20 + r.terms, r.days), config.SetInt32(cfg::kTermCodes + 4 * r.terms, r.discount);
        const BoxTexts f = FoundCustomerBoxes(c, {}, FakeDateFormatter);
        const BoxTexts v = CustomerViewBoxes(c, config, {}, FakeDateFormatter);
        std::map<int, std::string> found(f.begin(), f.end()), view(v.begin(), v.end());
        EXPECT_EQ(found[IDC_FOUND_LAST_USED] + "|" + view[IDC_VIEW_LAST_USED] + "|" + view[IDC_VIEW_LAST_PAYMENT] +
                  "|" + view[IDC_VIEW_TERMS], r.shown) << r.why;
    }
}

TEST(CustomerSearch, MapLinkEncodesTheAddress) {
    CustomerRecord townOnly;
    townOnly.SetBillingTown("ST IVES&CO");
    struct Row { CustomerRecord c; const char* address; const char* query; const char* why; };
    const Row rows[] = {
        {Customer(10, "JANE"), "1 MILL LANE,KINGSBRIDGE,TQ7 1AA", "?where1=1%20MILL%20LANE%2CKINGSBRIDGE%2CTQ7%201AA",
         "empty area left out, blanks and commas encoded"},
        {townOnly, ",ST IVES&CO", "?where1=%2CST%20IVES%26CO", "separator even after an empty road, & encoded"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(MapAddressText(r.c), r.address) << r.why;
        const std::string url = MapUrl(r.c);
        EXPECT_EQ(url.substr(url.find('?')), r.query) << r.why;
    }
}

}  // namespace
