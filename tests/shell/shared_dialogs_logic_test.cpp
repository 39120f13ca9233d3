#include "shell/shared_dialogs_logic.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(BasketTableButtons, EachTableHasItsButtonWithSevenAndEightSwapped) {
    const std::pair<int, int> tableButton[] = {
        {1, 2400},  {2, 2401},  {3, 2402},  {4, 2403},  {5, 2404},  {6, 2405},  {7, 2407},  {8, 2406},
        {9, 2408},  {10, 2409}, {11, 2410}, {12, 2411}, {13, 2412}, {14, 2413}, {15, 2414}, {16, 2415},
    };
    for (const auto& [table, button] : tableButton) {
        EXPECT_EQ(BasketButtonOfTable(table), button) << table;
        EXPECT_EQ(BasketTableOfButton(button), table) << button;
    }
}

TEST(BasketTableButtons, OtherControlsAndTablesHaveNoCounterpart) {
    for (int id : {0, 1, 2, 1101, 1700, 2399, 2416}) EXPECT_EQ(BasketTableOfButton(id), 0) << id;
    for (int table : {-1, 0, 17}) EXPECT_EQ(BasketButtonOfTable(table), 0) << table;
}

TEST(BasketTableButtons, CurrentTableLabel) {
    EXPECT_EQ(CurrentBasketTableLabel(1), ">1<");
    EXPECT_EQ(CurrentBasketTableLabel(16), ">16<");
}

// Switch [32] is element 32 of long[200] at 12538.
constexpr std::size_t kSwitch32 = 12538 + 4 * 32;

TEST(ItemSearchType, AnyNonZeroSwitchStartsOnWithinSkus) {
    TerminalConfig c;
    EXPECT_FALSE(SearchWithinSkusByDefault(c));
    for (std::int32_t v : {2, 1, -1}) {
        c.SetInt32(kSwitch32, v);
        EXPECT_TRUE(SearchWithinSkusByDefault(c)) << v;
    }
    EXPECT_EQ(SearchTypeButton(true), 2601);
    EXPECT_EQ(SearchTypeButton(false), 2600);
}

TEST(ItemSearchType, KeepingTheTypeWritesTwoOrZeroAndNotKeepingLeavesTheSwitch) {
    TerminalConfig c;
    c.SetInt32(kSwitch32, 5);
    KeepSearchType(c, false, false);
    EXPECT_EQ(c.Int32(kSwitch32), 5);
    KeepSearchType(c, false, true);
    EXPECT_EQ(c.Int32(kSwitch32), 5);

    KeepSearchType(c, true, false);
    EXPECT_EQ(c.Int32(kSwitch32), 0);
    KeepSearchType(c, true, true);
    EXPECT_EQ(c.Int32(kSwitch32), 2);
    EXPECT_EQ(c.Int32(kSwitch32 - 4), 0);
    EXPECT_EQ(c.Int32(kSwitch32 + 4), 0);
}

}  // namespace
