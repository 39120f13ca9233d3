#include "shell/dispatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>
#include <utility>
#include <vector>

#include "resources/resource_ids.h"
#include "shell/layout.h"
#include "shell/logon.h"
#include "shell/shared_dialogs_logic.h"
#include "shell/terminal_config.h"
#include "support/local_time.h"

namespace {

TEST(DispatchRules, EntryDialogFirstThenRestrictionsThatSpareAssociatesOneAndTwo) {
    enum Setting { None, Option, Switch };
    struct Row { int command; bool dialog; std::int64_t associate; Setting kind; int index, value; Verdict verdict;
                 const char* why; };
    const Row rows[] = {
        {CMD_CASH, true, 1, None, 0, 0, Verdict::Refused, "no payment starts over an entry dialog"},
        {CMD_ADD_ITEM, true, 1, None, 0, 0, Verdict::Refused, "an unlisted command just past the keypad"},
        {2430, true, 1, None, 0, 0, Verdict::Run, "the first keypad key types into the dialog"},
        {CMD_CH_PAYMENT, true, 1, None, 0, 0, Verdict::Run, "listed to run over a dialog"},
        {CMD_ADD_DISCOUNT, false, 3, Option, 46, 2, Verdict::Restricted, "option [46] at 2 keeps associate 3 out"},
        {CMD_ADD_DISCOUNT, false, 2, Option, 46, 2, Verdict::Run, "associates 1 and 2 are privileged"},
        {CMD_ADJUST_PRICE, false, 1, Option, 47, 2, Verdict::Run, "associates 1 and 2 are privileged"},
        {CMD_ADD_DISCOUNT, false, 3, Option, 46, 1, Verdict::Run, "only the value 2 restricts"},
        {CMD_ADJUST_PRICE, false, 99, Option, 47, 2, Verdict::Restricted, "option [47]"},
        {CMD_TRADE_TOGGLE, false, 5, Option, 43, 2, Verdict::Restricted, "option [43]"},
        {CMD_TRADE_TOGGLE, true, 5, Option, 43, 2, Verdict::Refused, "the entry-dialog rule comes first"},
        {CMD_REFUND, false, 4, Switch, 135, 2, Verdict::Restricted, "switch [135]"},
    };
    for (const Row& r : rows) {
        TerminalConfig config;
        if (r.kind == Option) config.SetOption(r.index, r.value);
        if (r.kind == Switch) config.SetSwitch(r.index, r.value);
        EXPECT_EQ(Decide(RuleFor(r.command), r.dialog, r.associate, config), r.verdict) << r.why;
    }
}

TEST(Keypad, DigitsAppendClearEmptiesEraseRemovesTheLast) {
    struct Row { std::string before; int key; std::size_t limit; std::string after; const char* why; };
    const Row rows[] = {
        {"12", kKeypadClear, 38, "", "clear"}, {"", kKeypadErase, 38, "", "erase on nothing"},
        {std::string(25, '1'), 2439, kEntryDialogReadLimit, std::string(20, '1') + "9", "only what is read is kept"},
    };
    for (const Row& r : rows) EXPECT_EQ(ApplyKeypadKey(r.before, r.key, r.limit), r.after) << r.why;
}

TEST(ItemBox, KeysSendCommandsLettersOnlyWithCtrl) {
    struct Row { unsigned key; bool ctrl; int command; const char* why; };
    const Row rows[] = {
        {'A', true, CMD_CUSTOMER_ADD, "Ctrl+A"}, {'A', false, 0, "a letter alone is typing"},
        {'X', true, CMD_KITCHEN_PRINT, "Ctrl+X"}, {'Q', true, 0, "Ctrl+Q has no command"},
        {0x28, false, CMD_SCROLL_FORWARDS, "Down"}, {0x7B, false, CMD_F12_KEY, "F12"}, {0x7A, false, 0, "F11"},
    };
    for (const Row& r : rows) EXPECT_EQ(CommandForItemBoxKey(r.key, r.ctrl), r.command) << r.why;
}

TEST(Categories, RightAndLeftWrapRoundTheEighteenAndAll) {
    for (auto [from, next, previous] : {std::tuple{0, 1, 18}, {17, 18, 16}, {18, 0, 17}})
        EXPECT_EQ(std::pair(NextCategory(from), PreviousCategory(from)), std::pair(next, previous)) << from;
    EXPECT_EQ(CategoryLabel(TerminalConfig{}, kAllCategories) + "|" + TerminalConfig{}.CategoryCode(18), "ALL|");
    EXPECT_EQ(ClockTitle(9, 5, "Monday March 3 2025"), "VARENKO Client    09:05  Monday March 3 2025");
}

TEST(ItemBox, EnterEndsAnEntryAndALeadingBreakSearches) {
    using A = ItemBoxAction;
    struct Row { std::string text; bool ctrl, lookup; A::Kind kind; std::string entry; const char* why; };
    const Row rows[] = {
        {"1001\r\n", false, false, A::EnterItem, "1001\r\n", "a scanned number is passed whole"},
        {"abc-9z\r\n", false, true, A::EnterItem, "ABC-9Z", "text lookup: upper case, no break"},
        {"\r\n", false, false, A::SearchAndAdd, "", "Enter on an empty box searches"},
        {"a", true, false, A::Empty, "", "a change made with Ctrl held is undone"},
        {std::string(36, '7') + "\r\n", false, false, A::Nothing, "", "a break beyond 37 characters is not read"},
        {std::string(35, '7') + "\r\n", false, false, A::EnterItem, std::string(35, '7') + "\r\n", "37 are"},
    };
    for (const Row& r : rows) {
        const A action = OnItemBoxChange(r.text, r.ctrl, r.lookup);
        EXPECT_EQ(std::pair(action.kind, action.text), std::pair(r.kind, r.entry)) << r.why;
    }
}

TEST(MainLayout, PictureGridAndScrollButtonsFollowTheClientSize) {
    struct Row { int w, h, rows, columns, buttons; Box scrollBack, scrollForwards; bool upperPanel; const char* why; };
    const Row rows[] = {
        {1024, 662, 7, 2, 14, {432, 274, 50, 54}, {432, 326, 50, 54}, false, "the usual 1024 x 708 window"},
        {100, 100, 0, 0, 8, {28, 274, 50, 54}, {28, 326, 50, 54}, false, "nothing fits: still 8"},
        {4000, 3000, 52, 9, 60, {1915, 84, 54, 54}, {1915, 144, 54, 54}, true, "52 x 9 is cut to 60"},
        {1306, 331, 0, 2, 8, {432, 274, 50, 54}, {432, 326, 50, 54}, false, "a pixel short of 3 columns and 1 row"},
        {1308, 332, 1, 3, 8, {569, 84, 54, 54}, {569, 144, 54, 54}, true, "exactly 3 columns and 1 row"},
    };
    for (const Row& r : rows) {
        const MainLayout l = ComputeLayout(r.w, r.h);
        EXPECT_EQ(std::tuple(l.pictureRows, l.pictureColumns, l.pictureButtons, l.scrollInUpperPanel),
                  std::tuple(r.rows, r.columns, r.buttons, r.upperPanel)) << r.why;
        EXPECT_EQ(std::pair(l.scrollBack, l.scrollForwards), std::pair(r.scrollBack, r.scrollForwards)) << r.why;
        EXPECT_EQ(ComputePanels(l, r.w, r.h).scrollPanel, r.upperPanel) << r.why;
    }
}

TEST(BasketTableButtons, EachTableHasItsButtonWithSevenAndEightSwapped) {
    for (auto [table, button] : {std::pair{1, 2400}, {7, 2407}, {8, 2406}, {16, 2415}, {0, 0}, {17, 0}})
        EXPECT_EQ(BasketButtonOfTable(table), button) << table;
    for (auto [button, table] : {std::pair{2400, 1}, {2407, 7}, {2406, 8}, {2415, 16}, {1, 0}, {2399, 0}, {2416, 0}})
        EXPECT_EQ(BasketTableOfButton(button), table) << button;  // OK (1) and the neighbours: none
}

TEST(ItemSearchType, AnyNonZeroSwitchStartsOnSkusAndOnlyATickedBoxKeepsTheChoice) {
    struct Row { std::int32_t before; bool startsOnSkus, keep, withinSkus; std::int32_t after; const char* why; };
    const Row rows[] = {{0, false, false, true, 0, "switch [32] at 0: by description; not kept"},
                        {-1, true, false, false, -1, "any non-zero value means within SKUs; not kept"},
                        {5, true, true, true, 2, "kept as 2"}, {5, true, true, false, 0, "kept as 0"}};
    for (const Row& r : rows) {
        TerminalConfig c;
        c.SetSwitch(32, r.before);
        EXPECT_EQ(SearchWithinSkusByDefault(c), r.startsOnSkus) << r.why;
        EXPECT_EQ(SearchTypeButton(r.startsOnSkus), r.startsOnSkus ? 2601 : 2600) << r.why;
        KeepSearchType(c, r.keep, r.withinSkus);
        EXPECT_EQ(c.Switch(32), r.after) << r.why;
    }
}

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


// A record whose every byte differs from another's, so any copied byte shows.
TerminalConfig Filled(std::uint8_t value) {
    TerminalConfig c;
    std::memset(c.data(), value, cfg::kSize);
    return c;
}

bool In(std::size_t offset, ByteRange r) { return offset >= r.offset && offset < r.offset + r.length; }
bool In(std::size_t offset, std::span<const ByteRange> ranges) {
    return std::any_of(ranges.begin(), ranges.end(), [&](ByteRange r) { return In(offset, r); });
}

TEST(TerminalConfigLoad, LocalFieldsComeFromTheFileAndAllOthersFromTheServer) {
    TerminalConfig live = Filled(0x11);   // as fetched from the server
    TerminalConfig image = Filled(0x22);  // as read from the file
    MergeLocalFieldsAtLoad(live, image);
    for (std::size_t i = 0; i < cfg::kSize; ++i)
        ASSERT_EQ(live.data()[i], In(i, cfg::kTerminalLocalFields) ? 0x22 : 0x11) << "offset " << i;
}

TEST(TerminalConfigSave, StartupSaveTakesTheFlagAndExitSaveTheLocalAndSavedOnlyFields) {
    TerminalConfig live = Filled(0x11), image = Filled(0x22);
    const ByteRange saveTime{cfg::kTimes, 5 * 4}, flag{cfg::kServerConnection, 4};
    PrepareStartupSave(image, live, At(2026, 12, 6, 8, 0));
    for (std::size_t i = 0; i < cfg::kSize; ++i)
        ASSERT_TRUE(In(i, saveTime) || image.data()[i] == (In(i, flag) ? 0x11 : 0x22)) << "offset " << i;
    EXPECT_EQ(image.Int32(cfg::kTimes + 4), 8) << "the hour of the start-up save";

    PrepareExitSave(image, live, At(2026, 12, 6, 18, 30));
    for (std::size_t i = 0; i < cfg::kSize; ++i) {
        const bool carried = In(i, cfg::kTerminalLocalFields) || In(i, cfg::kSavedOnlyFields);
        ASSERT_TRUE(In(i, saveTime) || image.data()[i] == (carried ? 0x11 : 0x22)) << "offset " << i;
    }
    EXPECT_EQ(image.Int32(cfg::kTimes), 30) << "the exit save's minute, not the live record's old one";
}

TEST(TerminalConfigServerFetch, KeptAndRestoredFieldsAreTheLocalFieldsButTheConnectionFlag) {
    for (std::size_t i = 0; i < cfg::kSize; ++i) {
        const bool kept = In(i, cfg::kKeptAcrossServerFetch) || In(i, cfg::kRestoredAcrossServerFetch);
        const bool local = In(i, cfg::kTerminalLocalFields) && !In(i, ByteRange{cfg::kServerConnection, 4});
        const bool savedOnlyRestored = (i >= 14210 && i < 14218) || (i >= 14282 && i < 14290);
        ASSERT_EQ(kept, local || savedOnlyRestored) << "offset " << i;
    }
}

}  // namespace
