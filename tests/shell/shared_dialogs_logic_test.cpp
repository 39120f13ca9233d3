#include "shell/shared_dialogs_logic.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

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
