// Customer search and association on the real main window against the development
// shop server: the prompt, the FIND CUSTOMER steps, the selection list and the view
// wired to the search, and the search with the server gone.
#include "customers/customer_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "customers/customer_search.h"
#include "resources/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/server_till_fixture.h"

namespace {

using CustomerSearchTest = ServerTillFixture;

DialogDriver::Step Prompt(std::string text) {
    return [text](HWND d) { SetDlgItemTextA(d, IDC_EDIT1, text.c_str()), Click(d, IDOK); };
}
// Checks what a box shows, then presses a button.
DialogDriver::Step Press(int id, int box, std::string shown) {
    return [=](HWND d) {
        EXPECT_EQ(Text(d, box), shown);
        Click(d, id);
    };
}

TEST_F(CustomerSearchTest, NameSearchStepsWithNextAndAssociatesTheAcceptedCustomer) {
    DialogDriver driver({Prompt("club"), Press(IDC_FOUND_NEXT, IDC_FOUND_NAME, "BRIGHTWATER SAILING CLUB"),
                         Press(IDOK, IDC_FOUND_NAME, "THURLESTONE GOLF CLUB")});
    Command(CMD_ASSOCIATE_CUSTOMER);
    EXPECT_FALSE(driver.abandoned());
    EXPECT_EQ(std::to_string(g_app.basket.CustomerNumber()) + " " + g_app.basket.CustomerName(),
              "1020 THURLESTONE GOLF CLUB");
    EXPECT_TRUE(messages().Saw("THURLESTONE GOLF CLUB", "Customer associated"));
}

TEST_F(CustomerSearchTest, ListChoiceOpensTheCustomerView) {
    g_app.live.SetOption(custcfg::kSelectionList, 2);
    DialogDriver driver({Prompt("club"),
                         [](HWND d) {
                             ASSERT_EQ(SendDlgItemMessageA(d, IDC_SELECT_LIST, LB_GETCOUNT, 0, 0), 2);
                             SendDlgItemMessageA(d, IDC_SELECT_LIST, LB_SETCURSEL, 1, 0);
                             Click(d, IDOK);
                         },
                         Press(IDOK, IDC_VIEW_NAME, "THURLESTONE GOLF CLUB")});
    Command(CMD_CUSTOMER_FIND);
    EXPECT_EQ(driver.stepsRun(), 3u);
    EXPECT_FALSE(driver.abandoned());
    EXPECT_EQ(CurrentCustomer().Number(), 1020);
}

TEST_F(CustomerSearchTest, OverlongTextAndAStoppedServerLoseNothing) {
    for (auto steps : {std::vector<DialogDriver::Step>{Prompt(std::string(200, 'X'))},  // kept: 29, a name, no match
                       std::vector<DialogDriver::Step>{Prompt("1001"), Press(IDOK, IDC_VIEW_NUMBER, "1001")}}) {
        DialogDriver driver(steps);
        Command(CMD_CUSTOMER_FIND);
    }
    EXPECT_TRUE(messages().Saw("No match found", "Customer search"));
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
