// Inventory search, the item view's picture and the picture buttons on the real main
// window against the development shop server.
#include "inventory/inventory_window.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "basket/item_entry_window.h"
#include "resources/resource_ids.h"
#include "shell/dispatch.h"
#include "shell/main_window.h"
#include "support/dialog_driver.h"
#include "support/server_till_fixture.h"

namespace {

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class InventoryTest : public ServerTillFixture {
protected:
    static DialogDriver::Step Prompt(std::string label, std::string text) {
        return [=](HWND d) {
            EXPECT_EQ(Text(d, IDC_PROMPT), label);
            SetDlgItemTextA(d, IDC_EDIT1, text.c_str());
            Click(d, IDOK);
        };
    }
    static DialogDriver::Step Press(int id, int box, std::string shown) {
        return [=](HWND d) {
            EXPECT_EQ(Text(d, box), shown);
            Click(d, id);
        };
    }
    std::vector<std::int64_t> Buttons(int count) const {
        std::vector<std::int64_t> items;
        for (int b = 0; b < count; ++b) items.push_back(PictureButton(b).item);
        return items;
    }
};

TEST_F(InventoryTest, FindBySkuWithANumberShowsTheItemAndBringsItsPicture) {
    const std::string picture = std::string(g_app.dataDir) + "\\STOCK1.bmp";
    DeleteFileA(picture.c_str());
    DialogDriver driver({Prompt("SKU or fragment:", "5012340010019"), [](HWND d) {
                             EXPECT_EQ(Title(d), "Inventory");
                             EXPECT_EQ(Text(d, IDC_INV_NUMBER), "1001");
                             EXPECT_EQ(Text(d, IDC_INV_COST), "9.80") << "the administrator sees the cost";
                             EXPECT_EQ(Text(d, IDC_INV_CATEGORY), "ALC");
                             UpdateWindow(d);  // the picture comes with the first paint
                             Click(d, IDOK);
                         }});
    Command(CMD_INVENTORY_FIND_SKU);
    EXPECT_EQ(driver.stepsRun(), 2u);
    EXPECT_FALSE(driver.abandoned());
    EXPECT_EQ(ListEntries(), 0) << "Find sells nothing";
    const std::string served = FileBytes(server_.shopDirectory() + "\\pictures\\STOCK1.bmp");
    ASSERT_GT(served.size(), 2000u) << "a picture of several pieces";
    EXPECT_EQ(FileBytes(picture), served);
}

TEST_F(InventoryTest, SteppedDescriptionSearchToItsEndAndTheSearchForSale) {
    {
        DialogDriver driver({Prompt("Find item number / description / fragment", "chocolate"),
                             Press(IDC_INV_NEXT, IDC_INV_NUMBER, "2601"), Press(IDC_INV_NEXT, IDC_INV_NUMBER, "2602"),
                             Press(IDC_INV_NEXT, IDC_INV_NUMBER, "3002")});
        Command(CMD_INVENTORY_FIND);
        EXPECT_EQ(driver.stepsRun(), 4u);
    }
    EXPECT_TRUE(messages().Saw("No match found", "Inventory search"));
    {
        DialogDriver driver({Press(IDCANCEL, IDC_INV_NUMBER, "2601")});
        SearchInventoryForSale("chocolate", SearchKind::Description);
    }
    EXPECT_EQ(ListEntries(), 0) << "Cancel sells nothing";
    {
        DialogDriver driver({Press(IDC_INV_NEXT, IDC_INV_NUMBER, "2601"), Press(IDOK, IDC_INV_NUMBER, "2602")});
        SearchInventoryForSale("chocolate", SearchKind::Description);
    }
    ASSERT_EQ(ListEntries(), 1);
    EXPECT_EQ(g_app.basket.LineItemNumber(0), 2602);
}

TEST_F(InventoryTest, CategoryAndScrollRefillTheButtonsAndAButtonSells) {
    ASSERT_EQ(PictureButtonsShown(), 14);
    Command(kFirstCategoryButton + 16);  // SWE: items 2601..2609
    EXPECT_EQ(Buttons(10), (std::vector<std::int64_t>{2601, 2602, 2603, 2604, 2605, 2606, 2607, 2608, 2609, 0}));
    EXPECT_EQ(PictureButton(0).caption, "Milk Chocolate Bar 100g");
    EXPECT_EQ(FileBytes(std::string(g_app.dataDir) + "\\m2601.bmp"),
              FileBytes(server_.shopDirectory() + "\\pictures\\m2601.bmp"))
        << "an item's own picture comes with its page";
    Command(CMD_SCROLL_FORWARDS);
    EXPECT_EQ(PictureButton(0).item, 2601) << "nothing after the last item: the buttons stay";
    Command(kFirstCategoryButton + 18);  // ALL
    ASSERT_EQ(PictureButton(0).item, 1001);
    const std::int64_t fourteenth = PictureButton(13).item;
    Command(CMD_SCROLL_FORWARDS);
    EXPECT_GT(PictureButton(0).item, fourteenth);
    Command(CMD_SCROLL_BACK);
    EXPECT_EQ(PictureButton(0).item, 1001);
    EXPECT_EQ(PictureButton(13).item, fourteenth);
    Command(kFirstPictureButton + 1);
    ASSERT_EQ(ListEntries(), 1);
    EXPECT_EQ(g_app.basket.LineItemNumber(0), PictureButton(1).item);
}

TEST_F(InventoryTest, AStoppedServerEmptiesTheButtonsWithOneMessage) {
    server_.Stop();
    Command(kFirstCategoryButton + 3);
    EXPECT_EQ(PictureButton(0).item, 0);
    DialogDriver driver({Prompt("Find item number / description / fragment", "1001")});
    Command(CMD_INVENTORY_FIND);
    std::vector<std::string> problems;
    for (const ShownMessage& m : messages().messages())
        if (m.caption == "Problem") problems.push_back(m.text);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0], "Unable to contact server for buttons.");
    EXPECT_EQ(problems[1].substr(0, 18), "Network error: (0x");
}

}  // namespace
