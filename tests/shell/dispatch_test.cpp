// The main window's decisions: commands, keys, categories, the layout, tables and the search type.
#include "shell/dispatch.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "resources/resource_ids.h"
#include "shell/layout.h"
#include "shell/shared_dialogs_logic.h"

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

}  // namespace
