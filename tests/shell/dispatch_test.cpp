#include "shell/dispatch.h"

#include <gtest/gtest.h>

#include "resources/resource_ids.h"

namespace {

TEST(DispatchRules, EntryDialogRefusesAllButTheCommandsThatRun) {
    TerminalConfig config;
    for (int command : {CMD_CASH, CMD_INVENTORY_FIND, CMD_SERVER, CMD_EMPTY_BASKET, 2505, 2710, CMD_ADD_ITEM})
        EXPECT_EQ(Decide(RuleFor(command), true, 1, config), Verdict::Refused) << command;
    for (int command : {IDM_EXIT, CMD_EXIT_PRINT_LOG, CMD_CH_PAYMENT, CMD_INITIALIZE_CONFIGURATION, IDM_ABOUT,
                        CMD_CALENDAR, CMD_HELP_CONTENTS, CMD_OPEN_DRAWER, 2430, 2441})
        EXPECT_EQ(Decide(RuleFor(command), true, 1, config), Verdict::Run) << command;
    EXPECT_EQ(Decide(RuleFor(CMD_CASH), false, 3, config), Verdict::Run);
}

TEST(DispatchRules, RestrictionSwitchesKeepOutAllButAssociatesOneAndTwo) {
    TerminalConfig config;
    config.SetOption(46, 2);
    EXPECT_EQ(Decide(RuleFor(CMD_ADD_DISCOUNT), false, 3, config), Verdict::Restricted);
    EXPECT_EQ(Decide(RuleFor(CMD_ADD_DISCOUNT), false, 1, config), Verdict::Run);
    EXPECT_EQ(Decide(RuleFor(CMD_ADD_DISCOUNT), false, 2, config), Verdict::Run);
    config.SetOption(46, 1);  // only the value 2 restricts
    EXPECT_EQ(Decide(RuleFor(CMD_ADD_DISCOUNT), false, 3, config), Verdict::Run);

    config.SetSwitch(135, 2);
    EXPECT_EQ(Decide(RuleFor(CMD_REFUND), false, 4, config), Verdict::Restricted);
    config.SetOption(47, 2);
    EXPECT_EQ(Decide(RuleFor(CMD_ADJUST_PRICE), false, 99, config), Verdict::Restricted);
    config.SetOption(43, 2);
    EXPECT_EQ(Decide(RuleFor(CMD_TRADE_TOGGLE), false, 5, config), Verdict::Restricted);
    // The entry-dialog rule comes first.
    EXPECT_EQ(Decide(RuleFor(CMD_TRADE_TOGGLE), true, 5, config), Verdict::Refused);
}

TEST(DispatchRules, TheseCommandsEmptyTheBasketFirst) {
    for (int command : {CMD_INVENTORY_FIND_SKU, CMD_CUSTOMER_ADD, CMD_CUSTOMER_AMEND, CMD_RESET_KEY, CMD_F12_KEY,
                        CMD_DISPLAY_LOG_TODAY, CMD_DISPLAY_PREVIOUS_LOG, CMD_SERVER, CMD_LOG_OFF, CMD_EMPTY_BASKET})
        EXPECT_TRUE(RuleFor(command).emptiesBasket) << command;
    for (int command : {CMD_CASH, CMD_INVENTORY_FIND, CMD_CUSTOMER_FIND, CMD_ADD_DISCOUNT, CMD_REFUND})
        EXPECT_FALSE(RuleFor(command).emptiesBasket) << command;
}

TEST(Keypad, DigitsAppendClearEmptiesEraseRemovesTheLast) {
    EXPECT_EQ(ApplyKeypadKey("12", 2433, kItemBoxReadLimit), "123");
    EXPECT_EQ(ApplyKeypadKey("", 2430, kItemBoxReadLimit), "0");
    EXPECT_EQ(ApplyKeypadKey("12", kKeypadClear, kItemBoxReadLimit), "");
    EXPECT_EQ(ApplyKeypadKey("12", kKeypadErase, kItemBoxReadLimit), "1");
    EXPECT_EQ(ApplyKeypadKey("", kKeypadErase, kItemBoxReadLimit), "");
    // Only as much as is read is kept: the dialog's field is read with room for 20.
    EXPECT_EQ(ApplyKeypadKey(std::string(25, '1'), 2439, kEntryDialogReadLimit), std::string(20, '1') + "9");
}

TEST(ItemBox, EnterEndsAnEntryAndALeadingBreakSearches) {
    EXPECT_EQ(OnItemBoxChange("123", false, false).kind, ItemBoxAction::Nothing);
    ItemBoxAction plain = OnItemBoxChange("1001\r\n", false, false);
    EXPECT_EQ(plain.kind, ItemBoxAction::EnterItem);
    EXPECT_EQ(plain.text, "1001\r\n");
    ItemBoxAction lookup = OnItemBoxChange("abc-9z\r\n", false, true);
    EXPECT_EQ(lookup.kind, ItemBoxAction::EnterItem);
    EXPECT_EQ(lookup.text, "ABC-9Z");
    EXPECT_EQ(OnItemBoxChange("\r\n", false, false).kind, ItemBoxAction::SearchAndAdd);
    EXPECT_EQ(OnItemBoxChange("a", true, false).kind, ItemBoxAction::Empty);
    // Only the first 37 characters are read: a break beyond them is not seen.
    EXPECT_EQ(OnItemBoxChange(std::string(40, '7') + "\r\n", false, false).kind, ItemBoxAction::Nothing);
}

TEST(ItemBox, KeysBecomeCommands) {
    EXPECT_EQ(CommandForItemBoxKey(0x74, false), CMD_CASH);
    EXPECT_EQ(CommandForItemBoxKey(0x78, false), CMD_LOG_OFF);
    EXPECT_EQ(CommandForItemBoxKey('W', true), CMD_CHANGE_BASKET_TABLE);
    EXPECT_EQ(CommandForItemBoxKey('X', true), CMD_KITCHEN_PRINT);
    EXPECT_EQ(CommandForItemBoxKey(0x25, false), CMD_PREVIOUS_CATEGORY);
    EXPECT_EQ(CommandForItemBoxKey('W', false), 0);
    EXPECT_EQ(CommandForItemBoxKey('Q', true), 0);
}

TEST(Categories, WrapAroundThroughAll) {
    EXPECT_EQ(NextCategory(17), 18);
    EXPECT_EQ(NextCategory(18), 0);
    EXPECT_EQ(PreviousCategory(0), 18);
    EXPECT_EQ(PreviousCategory(18), 17);
    TerminalConfig config;
    ApplyDefaults(config, LocalTime{});
    EXPECT_EQ(CategoryLabel(config, 0), "ALC");
    EXPECT_EQ(CategoryLabel(config, 17), "WIN");
    EXPECT_EQ(CategoryLabel(config, 18), "ALL");
}

TEST(Titles, ClockAndAssociate) {
    EXPECT_EQ(ClockTitle(9, 5, "Sunday December 6 2026"), "VARENKO Client    09:05  Sunday December 6 2026");
    EXPECT_EQ(AssociateTitle(3, "Associate 3"), "VARENKO    Assoc: 3, Associate 3");
}

}  // namespace
