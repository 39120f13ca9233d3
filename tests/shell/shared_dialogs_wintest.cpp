#include "shell/shared_dialogs.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "shell/shared_dialogs_logic.h"
#include "support/app_fixture.h"
#include "support/dialog_driver.h"

namespace {

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// The real click of an automatic radio button or check box, which sets its state.
void Press(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    ASSERT_NE(button, nullptr) << "no control " << id;
    SendMessageA(button, BM_CLICK, 0, 0);
}

class SharedDialogsTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        g_app.instance = GetModuleHandleA(nullptr);
    }
};

TEST_F(SharedDialogsTest, AboutAndCalendarCloseWithOkOrCancel) {
    for (int closer : {IDOK, IDCANCEL}) {
        DialogDriver about({[&](HWND dialog) {
            EXPECT_EQ(Title(dialog), "About VARENKO");
            Command(dialog, closer);
        }});
        ShowAboutDialog(nullptr);
        EXPECT_EQ(about.stepsRun(), 1u);
        EXPECT_FALSE(about.abandoned()) << closer;

        DialogDriver calendar({[&](HWND dialog) {
            EXPECT_EQ(Title(dialog), "Calendar");
            char name[32] = {};
            GetClassNameA(GetDlgItem(dialog, IDC_MONTH_CALENDAR), name, sizeof name);
            EXPECT_STREQ(name, "SysMonthCal32");
            Command(dialog, closer);
        }});
        ShowCalendarDialog(nullptr);
        EXPECT_EQ(calendar.stepsRun(), 1u);
        EXPECT_FALSE(calendar.abandoned()) << closer;
    }
}

TEST_F(SharedDialogsTest, BasketChoiceMarksTheCurrentTableAndReturnsTheChosenOne) {
    struct Case {
        int current, button, chosen;
    };
    for (const Case c : {Case{7, IDC_BASKET_TABLE_8, 8}, Case{8, 2407, 7}, Case{16, 2400, 1}, Case{1, 2415, 16}}) {
        DialogDriver driver({[&](HWND dialog) {
            EXPECT_EQ(Title(dialog), "Change basket table");
            for (int table = 1; table <= 16; ++table) {
                std::string expected = std::to_string(table);
                if (table == c.current) expected = '>' + expected + '<';
                EXPECT_EQ(Text(dialog, BasketButtonOfTable(table)), expected) << table;
            }
            Click(dialog, c.button);
        }});
        EXPECT_EQ(ChooseBasketTable(nullptr, c.current), c.chosen) << c.current;
        EXPECT_FALSE(driver.abandoned());
    }
}

TEST_F(SharedDialogsTest, BasketChoiceCancelAndEscapeChooseNothing) {
    DialogDriver driver({
        [](HWND dialog) { Click(dialog, IDCANCEL); },
        [](HWND dialog) { PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0); },
    });
    EXPECT_EQ(ChooseBasketTable(nullptr, 3), 0);
    EXPECT_EQ(ChooseBasketTable(nullptr, 3), 0);
    EXPECT_EQ(driver.stepsRun(), 2u);
    EXPECT_FALSE(driver.abandoned());
}

TEST_F(SharedDialogsTest, NoteReturnsUpTo79CharactersOnOkAndNothingOnCancel) {
    std::string note = "earlier";
    DialogDriver driver({
        [](HWND dialog) {
            EXPECT_EQ(Title(dialog), "Add transaction note");
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_EDIT1));
            EXPECT_EQ(Text(dialog, IDC_EDIT1), "");
            SetDlgItemTextA(dialog, IDC_EDIT1, "Leave at the back door");
            Click(dialog, IDCANCEL);
        },
        [](HWND dialog) {
            EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_EDIT1, EM_GETLIMITTEXT, 0, 0), 79);
            SetDlgItemTextA(dialog, IDC_EDIT1, (std::string(79, 'n') + "XYZ").c_str());
            Click(dialog, IDOK);
        },
        [](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_EDIT1, "Gift wrap %s%n");
            Click(dialog, IDOK);
        },
    });
    EXPECT_FALSE(AskTransactionNote(nullptr, note));
    EXPECT_EQ(note, "earlier");
    ASSERT_TRUE(AskTransactionNote(nullptr, note));
    EXPECT_EQ(note, std::string(79, 'n'));
    ASSERT_TRUE(AskTransactionNote(nullptr, note));
    EXPECT_EQ(note, "Gift wrap %s%n");
    EXPECT_FALSE(driver.abandoned());
}

TEST_F(SharedDialogsTest, ItemSearchStartsFromTheSwitchAndKeepsTheTypeOnlyWhenTicked) {
    TerminalConfig& config = g_app.live;
    std::string text;
    bool withinSkus = true;
    DialogDriver driver({
        [](HWND dialog) {  // switch [32] is 0: description; choose SKUs without keeping it
            EXPECT_EQ(Title(dialog), "Item search");
            EXPECT_TRUE(Checked(dialog, IDC_SEARCH_BY_DESCRIPTION));
            EXPECT_FALSE(Checked(dialog, IDC_SEARCH_WITHIN_SKUS));
            EXPECT_FALSE(Checked(dialog, IDC_KEEP_SEARCH_TYPE));
            SetDlgItemTextA(dialog, IDC_EDIT1, "blue mug");
            Press(dialog, IDC_SEARCH_WITHIN_SKUS);
            Click(dialog, IDOK);
        },
        [](HWND dialog) {  // still description; choose SKUs and keep it
            EXPECT_TRUE(Checked(dialog, IDC_SEARCH_BY_DESCRIPTION));
            SetDlgItemTextA(dialog, IDC_EDIT1, std::string(45, 's').c_str());
            Press(dialog, IDC_SEARCH_WITHIN_SKUS);
            Press(dialog, IDC_KEEP_SEARCH_TYPE);
            Click(dialog, IDOK);
        },
        [](HWND dialog) {  // now SKUs; choose description and keep it
            EXPECT_TRUE(Checked(dialog, IDC_SEARCH_WITHIN_SKUS));
            EXPECT_FALSE(Checked(dialog, IDC_SEARCH_BY_DESCRIPTION));
            Press(dialog, IDC_SEARCH_BY_DESCRIPTION);
            Press(dialog, IDC_KEEP_SEARCH_TYPE);
            Click(dialog, IDOK);
        },
    });
    ASSERT_TRUE(AskItemSearch(nullptr, config, text, withinSkus));
    EXPECT_EQ(text, "blue mug");
    EXPECT_TRUE(withinSkus);
    EXPECT_EQ(config.Switch(32), 0);

    ASSERT_TRUE(AskItemSearch(nullptr, config, text, withinSkus));
    EXPECT_EQ(text, std::string(38, 's'));
    EXPECT_TRUE(withinSkus);
    EXPECT_EQ(config.Switch(32), 2);

    ASSERT_TRUE(AskItemSearch(nullptr, config, text, withinSkus));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(withinSkus);
    EXPECT_EQ(config.Switch(32), 0);
    EXPECT_FALSE(driver.abandoned());
}

TEST_F(SharedDialogsTest, ItemSearchCancelKeepsNothing) {
    g_app.live.SetSwitch(32, 1);
    std::string text = "before";
    bool withinSkus = true;
    DialogDriver driver({[](HWND dialog) {
        EXPECT_TRUE(Checked(dialog, IDC_SEARCH_WITHIN_SKUS));  // any non-zero value
        SetDlgItemTextA(dialog, IDC_EDIT1, "lamp");
        Press(dialog, IDC_SEARCH_BY_DESCRIPTION);
        Press(dialog, IDC_KEEP_SEARCH_TYPE);
        Click(dialog, IDCANCEL);
    }});
    EXPECT_FALSE(AskItemSearch(nullptr, g_app.live, text, withinSkus));
    EXPECT_EQ(g_app.live.Switch(32), 1);
    EXPECT_EQ(text, "before");
    EXPECT_TRUE(withinSkus);
    EXPECT_FALSE(driver.abandoned());
}

TEST_F(SharedDialogsTest, PromptShowsItsTextsAndReturnsUpTo34Characters) {
    std::string value = "ABC";
    DialogDriver driver({
        [](HWND dialog) {
            EXPECT_EQ(Text(dialog, IDC_PROMPT), "Enter the reference");
            EXPECT_EQ(Text(dialog, IDC_EDIT1), "ABC");
            SetDlgItemTextA(dialog, IDC_EDIT1, "ignored");
            Click(dialog, IDCANCEL);
        },
        [](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_EDIT1, (std::string(34, 'r') + "tail").c_str());
            Click(dialog, IDOK);
        },
    });
    EXPECT_FALSE(AskText(nullptr, "Enter the reference", value));
    EXPECT_EQ(value, "ABC");
    ASSERT_TRUE(AskText(nullptr, "Enter the reference", value));
    EXPECT_EQ(value, std::string(34, 'r'));
    EXPECT_FALSE(driver.abandoned());
}

TEST_F(SharedDialogsTest, TwoFieldPromptTakesItsTitleAndCaptionAndReturns29And7Characters) {
    std::string first = "one", second = "two";
    DialogDriver driver({
        [](HWND dialog) {
            EXPECT_EQ(Title(dialog), "Customer search");
            EXPECT_EQ(Text(dialog, IDC_GROUP_CAPTION), "Postcode");
            Click(dialog, IDCANCEL);
        },
        [](HWND dialog) {
            EXPECT_EQ(Text(dialog, IDC_EDIT1), "");
            SetDlgItemTextA(dialog, IDC_EDIT1, std::string(40, 'a').c_str());
            SetDlgItemTextA(dialog, IDC_EDIT2, "1234567890");
            Click(dialog, IDOK);
        },
    });
    EXPECT_FALSE(AskTwoFields(nullptr, "Customer search", "Postcode", first, second));
    EXPECT_EQ(first, "one");
    EXPECT_EQ(second, "two");
    ASSERT_TRUE(AskTwoFields(nullptr, "Customer search", "Postcode", first, second));
    EXPECT_EQ(first, std::string(29, 'a'));
    EXPECT_EQ(second, "1234567");
    EXPECT_FALSE(driver.abandoned());
}

}  // namespace
