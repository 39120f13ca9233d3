// Customer search: the kind of search a text makes, the walk through replies and
// dialogs, and the map link.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "customers/customer_search.h"

namespace {

CustomerRecord Customer(std::int64_t number, const char* name) {
    CustomerRecord c;
    c.SetNumber(number);
    c.SetName(name);
    c.SetBillingRoad("1 MILL LANE");
    c.SetBillingTown("KINGSBRIDGE");
    c.SetBillingPostCode("TQ7 1AA");
    return c;
}

TEST(CustomerSearch, TextDecidesNumberOrNameSearch) {
    struct Row { const char* text; bool byNumber; const char* why; };
    const Row rows[] = {
        {"  7", true, "leading blanks are skipped"},
        {"12abc", true, "reading stops at the first non-digit"},
        {"100000000000000000", true, "highest number"},
        {"100000000000000001", false, "one above the highest"},
        {"99999999999999999999999", false, "beyond 64 bits"},
        {"0", false, "zero"},
        {"-5", false, "negative"},
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
            shown.push_back("list");
            chosen = listChoice;
            return listChoice != 0;
        };
        s.fetch = [this](const CustomerKey& key, CustomerRecord& c) {
            keys.push_back(std::to_string(key.Number()) + " " + key.SearchText());
            if (replies.empty()) return false;
            c = replies.front();
            replies.pop_front();
            return true;
        };
        s.showFound = [this](const CustomerRecord& c) {
            shown.push_back("found " + std::to_string(c.Number()));
            FoundAnswer a = answers.front();
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
    };
    for (Row& r : rows) {
        CustomerRecord current = Customer(99, "BEFORE");
        RunCustomerSearch(current, r.script.listOption, r.script.Steps());
        EXPECT_EQ(r.script.shown, r.shown) << r.why;
        EXPECT_EQ(current.Number(), r.current) << r.why;
        EXPECT_EQ(r.script.keys, r.keys) << r.why;
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
