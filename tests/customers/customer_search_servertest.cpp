// Customer search and association on the real main window against the development
// shop server: the prompt, the FIND CUSTOMER steps, the selection list and the view
// wired to the search, and the search with the server gone.
#include "customers/customer_window.h"

#include <gtest/gtest.h>

#include <string>

#include "customers/customer_search.h"
#include "resources/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/server_till_fixture.h"

namespace {

class CustomerSearchTest : public ServerTillFixture {
protected:
    static DialogDriver::Step Prompt(std::string text) {
        return [text](HWND d) {
            EXPECT_EQ(Title(d), "Find customer");
            SetDlgItemTextA(d, IDC_EDIT1, text.c_str());
            Click(d, IDOK);
        };
    }
    static DialogDriver::Step Press(int id, int box = 0, std::string shown = "") {
        return [=](HWND d) {
            if (box) {
                EXPECT_EQ(Text(d, box), shown);
            }
            Click(d, id);
        };
    }
};

TEST_F(CustomerSearchTest, NameSearchStepsWithNextAndAssociatesTheAcceptedCustomer) {
    DialogDriver driver({Prompt("club"), Press(IDC_FOUND_NEXT, IDC_FOUND_NAME, "BRIGHTWATER SAILING CLUB"),
                         Press(IDOK, IDC_FOUND_NAME, "THURLESTONE GOLF CLUB")});
    Command(CMD_ASSOCIATE_CUSTOMER);
    EXPECT_FALSE(driver.abandoned());
    EXPECT_EQ(g_app.basket.CustomerNumber(), 1020);
    EXPECT_EQ(g_app.basket.CustomerName(), "THURLESTONE GOLF CLUB");
    EXPECT_TRUE(messages().Saw("THURLESTONE GOLF CLUB", "Customer associated"));
}

TEST_F(CustomerSearchTest, ListChoiceOpensTheCustomerView) {
    g_app.live.SetOption(custcfg::kSelectionList, 2);
    DialogDriver driver({Prompt("club"),
                         [](HWND d) {
                             EXPECT_EQ(Title(d), "Please select:");
                             ASSERT_EQ(SendDlgItemMessageA(d, IDC_SELECT_LIST, LB_GETCOUNT, 0, 0), 2);
                             SendDlgItemMessageA(d, IDC_SELECT_LIST, LB_SETCURSEL, 1, 0);
                             Click(d, IDOK);
                         },
                         Press(IDOK, IDC_VIEW_NAME, "THURLESTONE GOLF CLUB")});
    Command(CMD_CUSTOMER_FIND);
    EXPECT_FALSE(driver.abandoned());
    EXPECT_EQ(driver.stepsRun(), 3u);
    EXPECT_EQ(CurrentCustomer().Number(), 1020);
}

TEST_F(CustomerSearchTest, OverlongTextAndAStoppedServerLoseNothing) {
    {
        // The prompt keeps 29 characters of a 200-character text: a name search, no match.
        DialogDriver driver({Prompt(std::string(200, 'X'))});
        Command(CMD_CUSTOMER_FIND);
    }
    EXPECT_TRUE(messages().Saw("No match found", "Customer search"));
    {
        DialogDriver driver({Prompt("1001"), Press(IDOK, IDC_VIEW_NUMBER, "1001")});
        Command(CMD_CUSTOMER_FIND);
    }
    ASSERT_EQ(CurrentCustomer().Number(), 1001);
    server_.Stop();
    {
        DialogDriver driver({Prompt("1002")});
        Command(CMD_CUSTOMER_FIND);
    }
    EXPECT_TRUE(messages().Saw("Network error", "Problem"));
    EXPECT_EQ(CurrentCustomer().Number(), 1001) << "a failed search keeps the current customer";
}

}  // namespace
