// The real program under Wine: the picture buttons and the inventory search as an
// associate uses them, with real clicks and keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "e2e/terminal_process.h"
#include "resources/resource_ids.h"
#include "shell/dispatch.h"
#include "support/real_input.h"
#include "support/shop_server.h"
#include "support/temp_dir.h"

namespace {

// The demo shop's item numbers in order: the "ALL" category's buttons.
std::vector<std::int64_t> DemoItems() {
    std::ifstream in(VARENKO_DEMO_ITEMS);
    std::vector<std::int64_t> items;
    for (std::string line; std::getline(in, line);)
        if (line.rfind("[item ", 0) == 0) items.push_back(std::stoll(line.substr(6)));
    std::sort(items.begin(), items.end());
    return items;
}

int ShownPictureButtons(HWND window) {
    int shown = 0;
    for (int id = kFirstPictureButton; id <= kLastPictureButton; ++id)
        shown += IsWindowVisible(GetDlgItem(window, id)) ? 1 : 0;
    return shown;
}

testing::AssertionResult Sell(HWND window, int button) {
    if (auto clicked = Click(GetDlgItem(window, button)); !clicked) return clicked;
    if (HWND alert = WaitForDialog("Age alert", 1500)) return AnswerWithKey(alert);
    return testing::AssertionSuccess();
}

TEST(InventoryEndToEnd, CategoryScrollAndPictureButtonsSellAndF2FindsTheItem) {
    ShopServerProcess server;
    TerminalProcess terminal;
    HWND window = nullptr;
    ASSERT_TRUE(OpenOnlineTill(server, terminal, window));
    const std::string dataDir = TerminalDataDirectory();

    // Sweets, then the first picture button: Milk Chocolate Bar.
    ASSERT_TRUE(Click(GetDlgItem(window, kFirstCategoryButton + 16)));
    ASSERT_TRUE(Sell(window, kFirstPictureButton));
    EXPECT_TRUE(SaveWindowPicture(window, VARENKO_ARTIFACTS_DIR "/picture-buttons.bmp"));
    // Every item, one page on: the first button holds the item after the last one shown.
    ASSERT_TRUE(Click(GetDlgItem(window, kFirstCategoryButton + 18)));
    ASSERT_TRUE(Click(GetDlgItem(window, CMD_SCROLL_FORWARDS)));
    ASSERT_TRUE(Sell(window, kFirstPictureButton));
    const std::vector<std::int64_t> items = DemoItems();
    const int shown = ShownPictureButtons(window);
    ASSERT_LT(static_cast<std::size_t>(shown), items.size());
    const std::string scrolled = std::to_string(items[static_cast<std::size_t>(shown)]);

    // F2 and a description: the matches one by one; F2 and a number: the item view.
    ASSERT_TRUE(PressKeyIn(ItemBox(window), VK_F2));
    HWND prompt = WaitForDialog("VARENKO");
    ASSERT_NE(prompt, nullptr);
    ASSERT_TRUE(TypeInto(GetDlgItem(prompt, IDC_EDIT1), "chocolate"));
    PressKey(VK_RETURN);
    HWND found = WaitForDialog("FIND INVENTORY");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(found, IDC_INV_NUMBER)), "2601");
    ASSERT_TRUE(AnswerWithClick(found, IDC_INV_NEXT));
    found = WaitForDialog("FIND INVENTORY");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(found, IDC_INV_NUMBER)), "2602");
    ASSERT_TRUE(AnswerWithKey(found, VK_ESCAPE));
    ASSERT_TRUE(PressKeyIn(ItemBox(window), VK_F2));
    prompt = WaitForDialog("VARENKO");
    ASSERT_NE(prompt, nullptr);
    ASSERT_TRUE(TypeInto(GetDlgItem(prompt, IDC_EDIT1), "2701"));
    PressKey(VK_RETURN);
    HWND view = WaitForDialog("Inventory");
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(ControlText(GetDlgItem(view, IDC_INV_DESCRIPTION)), "Rioja Reserva 75cl");
    ASSERT_TRUE(Click(GetDlgItem(view, IDC_INV_LARGE_PICTURE)));
    HWND large = WaitForDialog("Inventory: 2701");
    ASSERT_NE(large, nullptr);
    EXPECT_TRUE(SaveWindowPicture(large, VARENKO_ARTIFACTS_DIR "/item-picture.bmp"));
    ASSERT_TRUE(AnswerWithKey(large));
    ASSERT_TRUE(AnswerWithClick(view, IDOK));

    ASSERT_TRUE(PayCash(window, "5000"));
    HWND summary = WaitForDialog("Transaction committed, summary");
    ASSERT_NE(summary, nullptr) << server.Log();
    ASSERT_TRUE(AnswerWithClick(summary, IDOK));
    EXPECT_EQ(terminal.Close(), 0);
    EXPECT_NE(server.Log().find("CommitSale expected 1, 2 lines -> 22"), std::string::npos) << server.Log();
    const std::string log = ReadWholeFile(TodayLogFile(dataDir));
    EXPECT_NE(log.find("2601  Milk Chocolate Bar 100g\r\n" + scrolled + "  "), std::string::npos) << log;
    EXPECT_EQ(ReadWholeFile(dataDir + "\\m2701.bmp"), ReadWholeFile(server.shopDirectory() + "\\pictures\\m2701.bmp"))
        << "the item's own picture came from the server whole";
}

}  // namespace
