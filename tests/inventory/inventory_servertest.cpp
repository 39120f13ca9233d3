// Inventory search against the development shop server: Find by SKU, and the search for
// sale. F2, the pictures and their buttons by mouse and keyboard: DayAtTheTill.
#include "inventory/inventory_window.h"

#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/server_till_fixture.h"

namespace {

using InventoryTest = ServerTillFixture;

TEST_F(InventoryTest, FindBySkuShowsTheItemAndTheSearchForSaleSellsTheAcceptedOne) {
    {
        DialogDriver driver({Prompt("5012340010019"), Press(IDOK, IDC_INV_COST, "9.80")});  // 1001, cost shown
        Command(CMD_INVENTORY_FIND_SKU);
    }
    DialogDriver driver({Press(IDC_INV_NEXT, IDC_INV_NUMBER, "2601"), Press(IDOK, IDC_INV_NUMBER, "2602")});
    SearchInventoryForSale("chocolate", SearchKind::Description);
    ASSERT_EQ(ListEntries(), 1);
    EXPECT_EQ(g_app.basket.LineItemNumber(0), 2602);
}

}  // namespace
