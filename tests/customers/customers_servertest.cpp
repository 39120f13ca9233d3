// The customer windows against the development shop server, each wired to its plain state:
// the NEW CUSTOMER form, the search's steps and its list, a cancelled credit refund, the sale
// on account when the server goes. The journeys by keyboard: DayAtTheTill.
#include "customers/customer_window.h"

#include <gtest/gtest.h>

#include <string>

#include "basket/item_entry_window.h"
#include "customers/customer_search.h"
#include "resources/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/server_till_fixture.h"

namespace {

using CustomerTest = ServerTillFixture;

TEST_F(CustomerTest, AddSendsTheTermsChosen) {
    DialogDriver driver({[](HWND d) {
        SetDlgItemTextA(d, IDC_FORM_NAME, "JO BLOGGS");
        SendDlgItemMessageA(d, IDC_FORM_TERMS, CB_SETCURSEL, 3, 0);
        Click(d, IDOK);
    }});
    Command(CMD_CUSTOMER_ADD);
    CustomerKey key;
    key.SetNumber(-1), key.SetSearchText("1023");
    CustomerRecord added;
    ASSERT_EQ(RemoteFetchCustomer(key, added), 0u);
    EXPECT_EQ(added.Name() + " " + std::to_string(added.Terms()), "JO BLOGGS 4");
}

TEST_F(CustomerTest, NameSearchStepsWithNextAndTheListOpensTheChosenCustomer) {
    {
        DialogDriver driver({Prompt("club"), Press(IDC_FOUND_NEXT, IDC_FOUND_NAME, "BRIGHTWATER SAILING CLUB"),
                             Press(IDOK, IDC_FOUND_NAME, "THURLESTONE GOLF CLUB")});
        Command(CMD_ASSOCIATE_CUSTOMER);
    }
    EXPECT_EQ(std::to_string(g_app.basket.CustomerNumber()) + " " + g_app.basket.CustomerName(),
              "1020 THURLESTONE GOLF CLUB");
    g_app.live.SetOption(custcfg::kSelectionList, 2);
    CurrentCustomer() = CustomerRecord{};
    DialogDriver driver({Prompt("club"),
                         [](HWND d) {
                             ASSERT_EQ(SendDlgItemMessageA(d, IDC_SELECT_LIST, LB_GETCOUNT, 0, 0), 2);
                             SendDlgItemMessageA(d, IDC_SELECT_LIST, LB_SETCURSEL, 1, 0);
                             Click(d, IDOK);
                         },
                         Press(IDOK, IDC_VIEW_NAME, "THURLESTONE GOLF CLUB")});
    Command(CMD_CUSTOMER_FIND);
    EXPECT_EQ(CurrentCustomer().Number(), 1020);
}

// A credit refund whose search is cancelled, and a sale on account whose commit finds the
// server gone: both keep the basket and say nothing more.
TEST_F(CustomerTest, ACancelledCreditRefundAndTheServerGoneAtTheCreditSalesCommitKeepTheBasket) {
    AddItemToBasket(1701, 0);
    {
        DialogDriver driver({[](HWND d) {
                                 CheckRadioButton(d, IDC_REFUND_CASH, IDC_REFUND_CREDIT, IDC_REFUND_CREDIT);
                                 Click(d, IDOK);
                             },
                             [](HWND d) { Click(d, IDCANCEL); }});
        Command(CMD_REFUND);
    }
    EXPECT_TRUE(messages().messages().empty());
    // F6: customer 1001 by number, its view closed, then Cash in "Customer transaction".
    DialogDriver driver({Prompt("1001"), [](HWND d) { Click(d, IDOK); }, [this](HWND d) {
                             EXPECT_EQ(Text(d, IDC_SALE_NAME), "ALICE PENROSE");
                             server_.Stop();
                             Click(d, IDC_SALE_CASH);
                         }});
    Command(CMD_CUSTOMER_CREDIT);
    ASSERT_EQ(messages().messages().size(), 1u);
    EXPECT_EQ(messages().messages()[0].caption, "Problem");
    EXPECT_EQ(g_app.basket.LineCount() + ListEntries(), 2) << "the basket kept";
}

}  // namespace
