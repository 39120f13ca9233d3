// Add and amend on the real main window against the development shop server: the
// NEW CUSTOMER form wired to its plain state, the customer stored, and the form kept
// when it is rejected or when the server goes away.
#include <gtest/gtest.h>

#include <string>

#include "customers/customer_window.h"
#include "link/remote.h"
#include "resources/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/server_till_fixture.h"

namespace {

class CustomerFormTest : public ServerTillFixture {
protected:
    static CustomerRecord Stored(std::int64_t number) {
        CustomerKey key;
        key.SetNumber(-1);
        key.SetSearchText(std::to_string(number));
        CustomerRecord c;
        EXPECT_EQ(RemoteFetchCustomer(key, c), 0u);
        return c;
    }
};

TEST_F(CustomerFormTest, AddKeepsARejectedFormThenAmendSendsTheChange) {
    {
        DialogDriver driver({[](HWND d) {
                                 EXPECT_EQ(Text(d, IDC_FORM_NUMBER), "1023") << "one above the highest";
                                 EXPECT_EQ(Text(d, IDC_FORM_CREDIT_LIMIT), "2000");
                                 SetDlgItemTextA(d, IDC_FORM_NAME, "J");
                                 SetDlgItemTextA(d, IDC_FORM_EMAIL, "jo@example.com");
                                 SendDlgItemMessageA(d, IDC_FORM_TERMS, CB_SETCURSEL, 3, 0);
                                 Click(d, IDOK);
                             },
                             [](HWND d) {
                                 EXPECT_EQ(Text(d, IDC_FORM_NAME), "J") << "kept for correction";
                                 EXPECT_EQ(Text(d, IDC_FORM_EMAIL), "jo@example.com");
                                 SetDlgItemTextA(d, IDC_FORM_NAME, "JO BLOGGS");
                                 Click(d, IDOK);
                             }});
        Command(CMD_CUSTOMER_ADD);
        EXPECT_FALSE(driver.abandoned());
    }
    EXPECT_TRUE(messages().Saw("The name must have at least two characters.", "Problem"));
    EXPECT_TRUE(messages().Saw("Customer added", "Customer"));
    const CustomerRecord added = Stored(1023);
    EXPECT_EQ(added.Name(), "JO BLOGGS");
    EXPECT_EQ(added.Email(), "jo@example.com");
    EXPECT_EQ(added.Terms(), 4);

    {
        DialogDriver driver({[](HWND d) {
                                 EXPECT_EQ(Title(d), "Amend customer");
                                 SetDlgItemTextA(d, IDC_EDIT1, "1023");
                                 Click(d, IDOK);
                             },
                             [](HWND d) {
                                 EXPECT_EQ(Title(d), "Amend customer");
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
    EXPECT_EQ(Stored(1023).BillingTown(), "SALCOMBE");
}

TEST_F(CustomerFormTest, ServerStoppedWhileTheFormIsOpenKeepsTheForm) {
    DialogDriver driver({[this](HWND d) {
                             SetDlgItemTextA(d, IDC_FORM_NAME, "JO BLOGGS");
                             server_.Stop();
                             Click(d, IDOK);
                         },
                         [](HWND d) {
                             EXPECT_EQ(Text(d, IDC_FORM_NAME), "JO BLOGGS");
                             Click(d, IDCANCEL);
                         }});
    Command(CMD_CUSTOMER_ADD);
    EXPECT_FALSE(driver.abandoned());
    EXPECT_EQ(driver.stepsRun(), 2u);
    EXPECT_TRUE(messages().Saw("Network error", "Problem"));
}

}  // namespace
