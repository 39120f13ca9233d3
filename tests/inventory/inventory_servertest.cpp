// Inventory search, the item view's picture and the picture buttons on the real main
// window against the development shop server. F2's description search, an item's own
// picture in the view and on its page of buttons, and the category and scroll buttons are
// in the end-to-end day at the till (DayAtTheTill); the pages' rules are native.
#include "inventory/inventory_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "basket/item_entry_window.h"
#include "resources/resource_ids.h"
#include "shell/dispatch.h"
#include "shell/main_window.h"
#include "support/dialog_driver.h"
#include "support/server_till_fixture.h"

namespace {

using InventoryTest = ServerTillFixture;

std::string ServedPicture(const ShopServerProcess& server, const std::string& name) {
    return ReadWholeFile(server.shopDirectory() + "\\pictures\\" + name);
}

TEST_F(InventoryTest, FindBySkuShowsTheItemAndBringsItsStockPicture) {
    DeleteFileA(data("STOCK1.bmp").c_str());
    DialogDriver driver({[](HWND d) {
                             EXPECT_EQ(Text(d, IDC_PROMPT), "SKU or fragment:");
                             Prompt("5012340010019")(d);
                         },
                         Press(IDOK, IDC_INV_COST, "9.80")});  // item 1001, its cost shown to the administrator
    Command(CMD_INVENTORY_FIND_SKU);
    EXPECT_EQ(driver.stepsRun(), 2u);
    EXPECT_FALSE(driver.abandoned());
    EXPECT_EQ(ListEntries(), 0) << "Find sells nothing";
    const std::string served = ServedPicture(server_, "STOCK1.bmp");
    ASSERT_GT(served.size(), 2000u) << "a picture of several pieces";
    EXPECT_EQ(ReadWholeFile(data("STOCK1.bmp")), served);
}

TEST_F(InventoryTest, TheSearchForSaleSellsOnlyTheAcceptedItem) {
    {
        DialogDriver driver({Press(IDCANCEL, IDC_INV_NUMBER, "2601")});
        SearchInventoryForSale("chocolate", SearchKind::Description);
    }
    EXPECT_EQ(ListEntries(), 0) << "Cancel sells nothing";
    DialogDriver driver({Press(IDC_INV_NEXT, IDC_INV_NUMBER, "2601"), Press(IDOK, IDC_INV_NUMBER, "2602")});
    SearchInventoryForSale("chocolate", SearchKind::Description);
    ASSERT_EQ(ListEntries(), 1);
    EXPECT_EQ(g_app.basket.LineItemNumber(0), 2602);
}

// A button's sale and one page forwards are the end-to-end journey's.
TEST_F(InventoryTest, AStoppedServerEmptiesTheButtonsWithOneMessage) {
    server_.Stop();
    Command(kFirstCategoryButton + 3);
    EXPECT_EQ(PictureButton(0).item, 0);
    DialogDriver driver({Prompt("1001")});
    Command(CMD_INVENTORY_FIND);
    std::vector<std::string> problems;
    for (const ShownMessage& m : messages().messages())
        if (m.caption == "Problem") problems.push_back(m.text.substr(0, 18));
    EXPECT_EQ(problems, (std::vector<std::string>{"Unable to contact ", "Network error: (0x"}));
}

}  // namespace
