// The customer windows on the real main window against the development shop server:
// the NEW CUSTOMER form, the search's steps and its list, the refund dialog and the
// customer transaction, each wired to its plain state, and what each keeps when the
// server goes away. Associating by number, the sale on account and the credit refund
// are in the end-to-end day at the till (DayAtTheTill).
#include "customers/customer_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "basket/item_entry_window.h"
#include "customers/customer_search.h"
#include "resources/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/server_till_fixture.h"

namespace {

using CustomerTest = ServerTillFixture;


TEST_F(CustomerTest, AddKeepsARejectedFormAmendSendsTheChangeAndTheServerGoneKeepsTheForm) {
    {
        DialogDriver driver({[](HWND d) {
                                 EXPECT_EQ(Text(d, IDC_FORM_NUMBER), "1023") << "one above the highest";
                                 SetDlgItemTextA(d, IDC_FORM_NAME, "J");
                                 SetDlgItemTextA(d, IDC_FORM_EMAIL, "jo@example.com");
                                 SendDlgItemMessageA(d, IDC_FORM_TERMS, CB_SETCURSEL, 3, 0);
                                 Click(d, IDOK);
                             },
                             [](HWND d) {
                                 EXPECT_EQ(Text(d, IDC_FORM_NAME), "J") << "kept for correction";
                                 SetDlgItemTextA(d, IDC_FORM_NAME, "JO BLOGGS");
                                 Click(d, IDOK);
                             }});
        Command(CMD_CUSTOMER_ADD);
        EXPECT_FALSE(driver.abandoned());
    }
    EXPECT_TRUE(messages().Saw("The name must have at least two characters.", "Problem"));
    EXPECT_TRUE(messages().Saw("Customer added", "Customer"));
    const CustomerRecord added = StoredCustomer(1023);
    EXPECT_EQ(added.Name() + " " + added.Email() + " " + std::to_string(added.Terms()), "JO BLOGGS jo@example.com 4");
    {
        DialogDriver driver({Prompt("1023"), [](HWND d) {
                                 EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, IDC_FORM_NEXT)));
                                 EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, IDC_FORM_BALANCE)));
                                 EXPECT_EQ(Text(d, IDC_FORM_NAME), "JO BLOGGS");
                                 SetDlgItemTextA(d, IDC_FORM_TOWN, "SALCOMBE");
                                 Click(d, IDOK);
                             }});
        Command(CMD_CUSTOMER_AMEND);
        EXPECT_FALSE(driver.abandoned());
    }
    EXPECT_TRUE(messages().Saw("Complete", "Customer update"));
    EXPECT_EQ(StoredCustomer(1023).BillingTown(), "SALCOMBE");

    DialogDriver driver({[this](HWND d) {  // the server stopped while the form is open: it stays
                             SetDlgItemTextA(d, IDC_FORM_NAME, "JO BLOGGS");
                             server_.Stop();
                             Click(d, IDOK);
                         },
                         Press(IDCANCEL, IDC_FORM_NAME, "JO BLOGGS")});
    Command(CMD_CUSTOMER_ADD);
    EXPECT_EQ(driver.stepsRun(), 2u);
    EXPECT_FALSE(driver.abandoned());
    EXPECT_TRUE(messages().Saw("Network error", "Problem"));
}

TEST_F(CustomerTest, NameSearchStepsWithNextAndAssociatesTheAcceptedCustomer) {
    DialogDriver driver({Prompt("club"), Press(IDC_FOUND_NEXT, IDC_FOUND_NAME, "BRIGHTWATER SAILING CLUB"),
                         Press(IDOK, IDC_FOUND_NAME, "THURLESTONE GOLF CLUB")});
    Command(CMD_ASSOCIATE_CUSTOMER);
    EXPECT_FALSE(driver.abandoned());
    EXPECT_EQ(std::to_string(g_app.basket.CustomerNumber()) + " " + g_app.basket.CustomerName(),
              "1020 THURLESTONE GOLF CLUB");
    EXPECT_TRUE(messages().Saw("THURLESTONE GOLF CLUB", "Customer associated"));
}

TEST_F(CustomerTest, ListChoiceOpensTheCustomerView) {
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

TEST_F(CustomerTest, OverlongTextAndAStoppedServerLoseNothing) {
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

// The credit refund and its day-log entry are the end-to-end journey's.
TEST_F(CustomerTest, CashRefundCreditRefundCancelledAtTheSearchAndServerGone) {
    AddItemToBasket(1701, 0);
    {
        DialogDriver driver({Press(IDOK, IDC_REFUND_ITEMS, "1")});
        Command(CMD_REFUND);
    }
    ASSERT_EQ(messages().messages().size(), 1u);
    EXPECT_EQ(messages().messages()[0].caption, "Transaction successful");
    EXPECT_EQ(ListEntries(), 0) << "a committed refund empties the basket";

    AddItemToBasket(1701, 0);
    {
        DialogDriver driver({[](HWND d) {
                                 CheckRadioButton(d, IDC_REFUND_CASH, IDC_REFUND_CREDIT, IDC_REFUND_CREDIT);
                                 Click(d, IDOK);
                             },
                             [](HWND d) { Click(d, IDCANCEL); }});
        Command(CMD_REFUND);
        EXPECT_EQ(driver.stepsRun(), 2u);
    }
    EXPECT_EQ(messages().messages().size(), 1u) << "a cancelled search says nothing";
    {
        DialogDriver driver({[this](HWND d) { server_.Stop(), Click(d, IDOK); }});
        Command(CMD_REFUND);
    }
    EXPECT_TRUE(messages().Saw("Network error", "Problem"));
    EXPECT_EQ(g_app.basket.LineCount() + ListEntries(), 2) << "the basket kept";
}

// The sale on account with the server gone at the commit: the basket is kept.
TEST_F(CustomerTest, TheServerGoneAtTheCreditSalesCommitKeepsTheBasket) {
    AddItemToBasket(1701, 0);
    // F6: customer 1001 by number, its view closed, then Cash in "Customer transaction".
    DialogDriver driver({Prompt("1001"), [](HWND d) { Click(d, IDOK); }, [this](HWND d) {
                             EXPECT_EQ(Text(d, IDC_SALE_NAME), "ALICE PENROSE");
                             server_.Stop();
                             Click(d, IDC_SALE_CASH);
                         }});
    Command(CMD_CUSTOMER_CREDIT);
    EXPECT_EQ(driver.stepsRun(), 3u);
    EXPECT_FALSE(driver.abandoned());
    ASSERT_FALSE(messages().messages().empty());
    EXPECT_EQ(messages().messages().back().caption, "Problem");
    EXPECT_EQ(g_app.basket.LineCount() + ListEntries(), 2) << "the basket kept";
}

}  // namespace
