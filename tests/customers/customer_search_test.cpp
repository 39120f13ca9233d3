// Customer search through its plain functions: the kind of search a text makes, the
// search's walk through replies and dialogs, the selection list, the association
// with the sale and the texts the customer dialogs show.
#include <gtest/gtest.h>

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "customers/customer_search.h"
#include "resources/resource_ids.h"

namespace {

CustomerRecord Customer(std::int64_t number, const char* name) {
    CustomerRecord c;
    c.SetNumber(number);
    c.SetName(name);
    c.SetBillingRoad("1 MILL LANE");
    c.SetBillingArea("");
    c.SetBillingTown("KINGSBRIDGE");
    c.SetBillingPostCode("TQ7 1AA");
    c.SetTelephone1("01548 555");
    return c;
}

TEST(CustomerSearch, TextDecidesNumberOrNameSearch) {
    struct Row { const char* text; bool byNumber; const char* why; };
    const Row rows[] = {
        {"12", true, "a customer number"},
        {"  7", true, "leading blanks are skipped"},
        {"12abc", true, "reading stops at the first non-digit"},
        {"1", true, "lowest number"},
        {"100000000000000000", true, "highest number"},
        {"100000000000000001", false, "one above the highest"},
        {"99999999999999999999999", false, "beyond 64 bits"},
        {"0", false, "zero"},
        {"-5", false, "negative"},
        {"SMITH", false, "no digits"},
        {"", false, "empty"},
    };
    for (const Row& r : rows) EXPECT_EQ(IsNumberSearch(r.text), r.byNumber) << r.why;
}

// A search run against scripted answers, recording what it showed.
struct Script {
    bool typed = true;
    std::string text;
    bool listOption = false;
    bool listChooses = true;
    std::int64_t listChoice = 0;
    std::deque<CustomerRecord> replies;   // an empty queue is a failed call
    std::deque<FoundAnswer> answers;
    std::vector<std::string> shown;       // "found N", "view N", "list", messages
    std::vector<CustomerKey> keys;

    SearchSteps Steps() {
        SearchSteps s;
        s.askText = [this](std::string& t, std::string&) { t = text; return typed; };
        s.chooseFromList = [this](const CustomerKey&, std::int64_t& chosen) {
            shown.push_back("list");
            chosen = listChoice;
            return listChooses;
        };
        s.fetch = [this](const CustomerKey& key, CustomerRecord& c) {
            keys.push_back(key);
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
        s.tell = [this](const char* t, const char* caption) { shown.push_back(std::string(t) + " (" + caption + ")"); };
        return s;
    }
};

Script Typed(const char* text, std::deque<CustomerRecord> replies = {}, std::deque<FoundAnswer> answers = {}) {
    Script s;
    s.text = text;
    s.replies = std::move(replies);
    s.answers = std::move(answers);
    return s;
}
Script Cancelled() {
    Script s;
    s.typed = false;
    return s;
}
// With the list option set; a choice of 0 cancels the list.
Script Listed(const char* text, std::int64_t choice, std::deque<CustomerRecord> replies = {}) {
    Script s = Typed(text, std::move(replies));
    s.listOption = true;
    s.listChooses = choice != 0;
    s.listChoice = choice;
    return s;
}

TEST(CustomerSearch, WalksRepliesAndDialogs) {
    const CustomerRecord none;
    struct Row {
        const char* why;
        Script script;
        std::vector<std::string> shown;
        std::int64_t current;  // the current customer's number afterwards; before it is 99
    };
    Row rows[] = {
        {"cancel at the prompt keeps the previous customer", Cancelled(), {}, 99},
        {"number search shows the view", Typed("10", {Customer(10, "JANE")}), {"view 10"}, 10},
        {"number search without a match is silent", Typed("77", {none}), {}, 0},
        {"name search, OK on the first match",
         Typed("JA", {Customer(10, "JANE")}, {FoundAnswer::Ok}), {"found 10"}, 10},
        {"Next on the last match reports no match",
         Typed("JA", {Customer(10, "JANE"), none}, {FoundAnswer::Next}),
         {"found 10", "No match found (Customer search)"}, 0},
        {"Cancel keeps the shown customer current",
         Typed("JA", {Customer(10, "JANE"), Customer(12, "JACK")}, {FoundAnswer::Next, FoundAnswer::Cancel}),
         {"found 10", "found 12"}, 12},
        {"a failed call keeps the previous customer", Typed("JA"), {"Network error (Problem)"}, 99},
        {"the list turns a name search into a number search",
         Listed("JA", 12, {Customer(12, "JACK")}), {"list", "view 12"}, 12},
        {"the list cancelled ends the search",
         Listed("JA", 0), {"list"}, 99},
        {"a typed number never shows the list",
         Listed("10", 12, {Customer(10, "JANE")}), {"view 10"}, 10},
    };
    for (Row& r : rows) {
        CustomerRecord current = Customer(99, "BEFORE");
        RunCustomerSearch(current, r.script.listOption, r.script.Steps());
        EXPECT_EQ(r.script.shown, r.shown) << r.why;
        EXPECT_EQ(current.Number(), r.current) << r.why;
    }
}

TEST(CustomerSearch, KeysOfNextAndOfTheListChoice) {
    Script next = Typed("JA", {Customer(10, "JANE"), Customer(12, "JACK")}, {FoundAnswer::Next, FoundAnswer::Ok});
    CustomerRecord current;
    RunCustomerSearch(current, false, next.Steps());
    ASSERT_EQ(next.keys.size(), 2u);
    EXPECT_EQ(next.keys[0].Number(), -1);
    EXPECT_EQ(next.keys[1].Number(), 10) << "Next continues after the shown customer";
    EXPECT_EQ(next.keys[1].SearchText(), "JA") << "with the text unchanged";

    Script typed = Typed("12abc", {Customer(12, "JACK")});
    RunCustomerSearch(current, false, typed.Steps());
    EXPECT_EQ(typed.keys[0].SearchText(), "12abc") << "the key text is as typed";

    Script listed = Listed("JA", 12, {Customer(12, "JACK")});
    RunCustomerSearch(current, true, listed.Steps());
    EXPECT_EQ(listed.keys[0].SearchText(), "12");
    EXPECT_EQ(listed.keys[0].Number(), -1);
}

// A server answering from a queue; nothing left is a failed call.
struct QueuedServer {
    explicit QueuedServer(std::deque<CustomerRecord> r) : replies(std::move(r)) {}
    std::deque<CustomerRecord> replies;
    std::vector<std::int64_t> keyNumbers;
    bool operator()(const CustomerKey& k, CustomerRecord& c) {
        keyNumbers.push_back(k.Number());
        if (replies.empty()) return false;
        c = replies.front();
        replies.pop_front();
        return true;
    }
};

TEST(CustomerSearch, SelectionListLinesAndTheirNumbers) {
    QueuedServer server{{Customer(10, "JANE"), Customer(12, "JACK"), CustomerRecord{}}};
    bool failed = true;
    const auto lines = ListMatches(SearchKey("JA", ""), std::ref(server), failed);
    EXPECT_FALSE(failed);
    EXPECT_EQ(lines, (std::vector<std::string>{"10 JANE, 1 MILL LANE, , KINGSBRIDGE",
                                               "12 JACK, 1 MILL LANE, , KINGSBRIDGE"}));
    EXPECT_EQ(server.keyNumbers, (std::vector<std::int64_t>{-1, 10, 12}));
    EXPECT_EQ(LeadingNumber(lines[1]), 12);

    QueuedServer dying{{Customer(10, "JANE")}};
    EXPECT_EQ(ListMatches(SearchKey("JA", ""), std::ref(dying), failed).size(), 1u) << "lines kept on failure";
    EXPECT_TRUE(failed);
    QueuedServer looping{{Customer(10, "JANE"), Customer(10, "JANE")}};
    EXPECT_EQ(ListMatches(SearchKey("JA", ""), std::ref(looping), failed).size(), 1u) << "a repeat ends the list";
}

TEST(CustomerSearch, AssociationCopiesNumberNameAndAddress) {
    TransactionRecord t;
    AssociateWithTransaction(Customer(10, "JANE"), t);
    EXPECT_EQ(t.CustomerNumber(), 10);
    EXPECT_EQ(t.CustomerName(), "JANE");
    EXPECT_EQ(t.CustomerRoad(), "1 MILL LANE");
    EXPECT_EQ(t.CustomerTown(), "KINGSBRIDGE");
    EXPECT_EQ(t.CustomerPostCode(), "TQ7 1AA");
    EXPECT_EQ(t.CustomerTelephone(), "01548 555");
}

int Formatter(const LocalTime& t, const char*, char* out, int size) {
    return std::snprintf(out, static_cast<std::size_t>(size), "D%d/%d/%d", t.day, t.month, t.year) + 1;
}

TEST(CustomerSearch, LastUsedTexts) {
    struct Row { const char* stored; bool newMeansNever; const char* separator; const char* shown; const char* why; };
    const Row rows[] = {
        {"", true, " ", "", "never used"},
        {"NEW", true, " ", "", "NEW is never on Last used"},
        {"NEW", false, " ", "NEW", "too short for a time: shown as stored"},
        {"09:4505/12/2026", true, "  ", "09:45 D5/12/2026", "converted date"},
        {"09:4599/12/2026", true, "  ", "09:45  99/12/2026", "unconvertible date kept after two blanks"},
        {"09:4599/12/2026", true, " ", "09:45 99/12/2026", "the view's one blank"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(LastUsedText(r.stored, r.newMeansNever, r.separator, LocalTime{}, Formatter), r.shown) << r.why;
}

TEST(CustomerSearch, TermsTextFromTheShopsCodes) {
    TerminalConfig c;
    struct Row { int days; int discount; const char* text; const char* why; };
    const Row rows[] = {
        {1, 1, "No credit, Nett", "code 1 has no days"},
        {2, 2, "10 days, 2% disc", "lowest codes"},
        {8, 8, "180 days, 50% disc", "highest codes"},
        {9, 0, "No credit, ", "codes out of range"},
    };
    for (const Row& r : rows) {
        c.SetOption(20 + 3, r.days);
        c.SetInt32(cfg::kTermCodes + 4 * 3, r.discount);
        EXPECT_EQ(TermsText(c, 3), r.text) << r.why;
    }
}

TEST(CustomerSearch, MapLinkEncodesTheAddress) {
    CustomerRecord c = Customer(10, "JANE");
    EXPECT_EQ(MapAddressText(c), "1 MILL LANE,KINGSBRIDGE,TQ7 1AA");
    EXPECT_EQ(MapUrl(c).substr(MapUrl(c).find("?")), "?where1=1%20MILL%20LANE%2CKINGSBRIDGE%2CTQ7%201AA");
    CustomerRecord townOnly;
    townOnly.SetBillingTown("ST IVES&CO");
    EXPECT_EQ(MapAddressText(townOnly), ",ST IVES&CO") << "the separator comes even after an empty road";
    EXPECT_NE(MapUrl(townOnly).find("where1=%2CST%20IVES%26CO"), std::string::npos);
}

}  // namespace
