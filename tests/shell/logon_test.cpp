#include "shell/logon.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "resources/resource_ids.h"
#include "support/local_time.h"

namespace {

TEST(LogonButtons, UpAndDownWrapRoundPassingOverSkippedAssociatesAndTheKeypadTypesNineDigits) {
    const int up = IDC_LOGON_UP, down = IDC_LOGON_DOWN, k1 = IDC_LOGON_KEY_1, k9 = IDC_LOGON_KEY_9;
    auto everyoneBut = [](int kept) {
        std::vector<int> v;
        for (int n = 1; n <= 99; ++n) if (n != kept) v.push_back(n);
        return v;
    };
    struct Row { std::vector<int> skipped; int from; std::vector<int> buttons; int to; std::string typed;
                 const char* why; };
    const Row rows[] = {
        {{}, 99, {down}, 1, "", "Down wraps from 99 to 1"}, {{}, 1, {up}, 99, "", "Up wraps from 1 to 99"},
        {{98, 99}, 1, {up}, 97, "", "passed over across the wrap"}, {{1, 2, 98, 99}, 97, {down}, 3, "", "both ways"},
        {{100}, 99, {down}, 1, "", "a flag beyond associate 99 does not matter"},
        {everyoneBut(0), 50, {down}, 50, "", "everyone skipped: the selection stays"},
        {everyoneBut(40), 1, {up}, 40, "", "the only one left comes round"},
        {{}, 1, {k1, IDC_LOGON_KEY_2, IDC_LOGON_KEY_3, IDC_LOGON_KEY_4, 2407, 2406, IDC_LOGON_KEY_7, IDC_LOGON_KEY_8,
         k9}, 1, "123456789", "the buttons of 5 and 6 have swapped ids"},
        {{}, 1, {k9, k9, k9, k9, k9, k9, k9, k9, k9, IDC_LOGON_KEY_0}, 1, "999999999", "a tenth digit is not kept"},
        {{}, 1, {k1, k9, IDC_LOGON_ERASE}, 1, "1", "erase"},
        {{}, 1, {IDC_LOGON_ERASE, k1, IDC_LOGON_CLEAR, k9}, 1, "9", "clear"},
    };
    for (const Row& r : rows) {
        TerminalConfig c;  // the skip flags: entry n-1 for associate n, any non-zero value
        for (int n : r.skipped) c.SetInt32(cfg::kAssociateFlags + 4 * (n - 1), n == 98 ? -1 : 1);
        LogonState s{r.from, ""};
        for (int id : r.buttons) ASSERT_TRUE(ApplyLogonButton(s, c, id)) << r.why;
        EXPECT_EQ(std::pair(s.selected, s.password), std::pair(r.to, r.typed)) << r.why;
    }
    LogonState s;
    EXPECT_FALSE(ApplyLogonButton(s, TerminalConfig{}, 1)) << "OK (1) is for the dialog";
}

TEST(LogonCheck, TheNumberAtTheStartOfTheUserFieldAndTheExactPassword) {
    TerminalConfig c;
    FillDefaultAssociateNames(c);
    c.SetAssociatePassword(3, "1234"), c.SetAssociatePassword(5, "Ab9");
    c.SetText(cfg::kAssociatePasswords + cfg::kAssociatePasswordWidth * 4, 10, "777");  // entry n for associate n
    struct Row { std::string userField, typed; bool accepted; const char* why; };
    const Row rows[] = {
        {ShownAssociate(c, 3), "1234", true, "the right password"}, {"3", "123", false, "too short"},
        {"3", "1234 ", false, "a trailing blank"}, {"3", "", false, "nothing typed"},
        {"5", "ab9", false, "case matters"}, {"4", "777", true, "stored one entry on from the names"},
        {"  +99", "", true, "blanks and a sign; an empty password matches nothing typed"},
        {"99", "0", false, "but nothing else"}, {"100 Associate 100", "", false, "100 may not log on"},
        {"0", "", false, "nor 0"}, {"-1", "", false, "nor a negative number"}, {"Admin", "", false, "no number"},
        {"4294967297", "", false, "an overflowing number is capped, not wrapped round to 1"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(LogonAccepted(c, ParseShownAssociate(r.userField), r.typed), r.accepted) << r.why;
}

TEST(LogonRecord, TheDayLogLine) {
    EXPECT_EQ(LogonEntry(At(2027, 1, 5, 9, 7), 3, "%s%n"),
              LogEntry{"\r\n09:07 05/01/2027  User 3, %s%n, logged on.\r\n"}) << "names are text, never a format";
    TerminalConfig c;
    StoreLogonTime(c, At(2027, 1, 5, 9, 7));
    EXPECT_EQ(std::tuple(c.Int32(cfg::kTimes + 40), c.Int32(cfg::kTimes + 44), c.Int32(cfg::kTimes + 56)),
              std::tuple(7, 9, 2027)) << "entries 10 to 14: minute, hour, day, month, year";
}

}  // namespace
