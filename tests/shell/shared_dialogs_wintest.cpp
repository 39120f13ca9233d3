#include "shell/shared_dialogs.h"

#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "support/app_fixture.h"
#include "support/dialog_driver.h"

namespace {

using SharedDialogsTest = AppFixture;  // no instance: the dialogs come from this program's resources

void Type(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text.c_str()); }

// The basket tables, the item search, the note, the prompt and the two-field prompt: what
// each shows, and what it returns: nothing on Cancel, at most the boxes' lengths on OK.
TEST_F(SharedDialogsTest, EachDialogShowsItsTextsAndReturnsWhatWasChosenOrTyped) {
    g_app.live.SetSwitch(32, 1);
    std::string text, note = "earlier", value = "ABC", first, second;
    bool withinSkus = true;
    DialogDriver driver({[](HWND d) {
                             EXPECT_EQ(Text(d, IDC_BASKET_TABLE_8) + Text(d, IDC_BASKET_TABLE_7), ">8<7");
                             Click(d, IDC_BASKET_TABLE_7);
                         },
                         [](HWND d) {
                             EXPECT_EQ(IsDlgButtonChecked(d, IDC_SEARCH_WITHIN_SKUS), BST_CHECKED);
                             Type(d, IDC_EDIT1, std::string(45, 's'));
                             SendDlgItemMessageA(d, IDC_SEARCH_BY_DESCRIPTION, BM_CLICK, 0, 0);
                             SendDlgItemMessageA(d, IDC_KEEP_SEARCH_TYPE, BM_CLICK, 0, 0);
                             Click(d, IDOK);
                         },
                         [](HWND d) { Click(d, IDCANCEL); },
                         [](HWND d) { Type(d, IDC_EDIT1, std::string(80, 'n')); Click(d, IDOK); },
                         [](HWND d) {
                             EXPECT_EQ(Text(d, IDC_PROMPT) + "/" + Text(d, IDC_EDIT1), "Enter the reference/ABC");
                             Type(d, IDC_EDIT1, std::string(35, 'r'));
                             Click(d, IDOK);
                         },
                         [](HWND d) {
                             EXPECT_EQ(Title(d) + "/" + Text(d, IDC_GROUP_CAPTION), "Customer search/Postcode");
                             Type(d, IDC_EDIT1, std::string(30, 'a'));
                             Type(d, IDC_EDIT2, "12345678");
                             Click(d, IDOK);
                         }});
    EXPECT_EQ(ChooseBasketTable(nullptr, 8), 7);
    ASSERT_TRUE(AskItemSearch(nullptr, g_app.live, text, withinSkus));
    EXPECT_EQ(text, std::string(38, 's'));
    EXPECT_FALSE(withinSkus);
    EXPECT_EQ(g_app.live.Switch(32), 0);
    EXPECT_FALSE(AskTransactionNote(nullptr, note));
    EXPECT_EQ(note, "earlier");
    ASSERT_TRUE(AskTransactionNote(nullptr, note));
    EXPECT_EQ(note, std::string(79, 'n'));
    ASSERT_TRUE(AskText(nullptr, "Enter the reference", value));
    EXPECT_EQ(value, std::string(34, 'r'));
    ASSERT_TRUE(AskTwoFields(nullptr, "Customer search", "Postcode", first, second));
    EXPECT_EQ(first + "/" + second, std::string(29, 'a') + "/1234567");
}

}  // namespace
