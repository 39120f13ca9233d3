// Add and amend on the real main window against the development shop server: the
// NEW CUSTOMER form wired to its plain state, the customer stored, and the form kept
// when it is rejected or when the server goes away.
#include <gtest/gtest.h>

#include <string>

#include "customers/customer_window.h"
#include "resources/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/server_till_fixture.h"

namespace {

using CustomerFormTest = ServerTillFixture;

TEST_F(CustomerFormTest, AddKeepsARejectedFormAmendSendsTheChangeAndTheServerGoneKeepsTheForm) {
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
        DialogDriver driver({[](HWND d) { SetDlgItemTextA(d, IDC_EDIT1, "1023"), Click(d, IDOK); },
                             [](HWND d) {
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
                         [](HWND d) {
                             EXPECT_EQ(Text(d, IDC_FORM_NAME), "JO BLOGGS");
                             Click(d, IDCANCEL);
                         }});
    Command(CMD_CUSTOMER_ADD);
    EXPECT_EQ(driver.stepsRun(), 2u);
    EXPECT_FALSE(driver.abandoned());
    EXPECT_TRUE(messages().Saw("Network error", "Problem"));
}

}  // namespace
