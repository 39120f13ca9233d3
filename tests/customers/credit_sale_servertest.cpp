// The customer credit sale on the real main window against the development shop
// server: the "Customer transaction" dialog wired to the sale, the account raised on
// the server and logged, and the basket kept when the server is gone.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "basket/item_entry_window.h"
#include "customers/customer_window.h"
#include "link/remote.h"
#include "logs/day_log.h"
#include "resources/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/server_till_fixture.h"

namespace {

class CreditSaleTest : public ServerTillFixture {
protected:
    // F6, customer 1001 by number, its view closed; then `sale` in "Customer transaction"
    // and, after a commit, Escape in the sale's summary.
    void SellTo1001(DialogDriver::Step sale, bool committed) {
        std::vector<DialogDriver::Step> steps = {[](HWND d) {
                                                     SetDlgItemTextA(d, IDC_EDIT1, "1001");
                                                     Click(d, IDOK);
                                                 },
                                                 [](HWND d) { Click(d, IDOK); }, sale};
        if (committed) steps.push_back([](HWND d) { ::Command(d, IDCANCEL); });
        DialogDriver driver(steps);
        Command(CMD_CUSTOMER_CREDIT);
        EXPECT_FALSE(driver.abandoned());
        EXPECT_EQ(driver.stepsRun(), steps.size());
    }
    static double BalanceOf1001() {
        CustomerKey key;
        key.SetNumber(-1);
        key.SetSearchText("1001");
        CustomerRecord c;
        EXPECT_EQ(RemoteFetchCustomer(key, c), 0u);
        return c.Balance();
    }
};

TEST_F(CreditSaleTest, SaleOnAccountRaisesTheBalanceAndIsLogged) {
    AddItemToBasket(1701, 0);
    ASSERT_EQ(g_app.basket.LineCount(), 1);
    const double total = g_app.basket.Total();
    const double before = BalanceOf1001();
    SellTo1001([](HWND d) {
        EXPECT_EQ(Title(d), "Customer transaction");
        EXPECT_EQ(Text(d, IDC_SALE_NAME), "ALICE PENROSE");
        Click(d, IDOK);
    }, true);
    EXPECT_TRUE(messages().messages().empty()) << messages().messages().front().text;
    EXPECT_EQ(g_app.basket.LineCount(), 0);
    EXPECT_NEAR(BalanceOf1001(), before + total, 0.001);
    RefreshClock();
    std::ifstream file(DayFilePath(g_app.dataDir, g_localTime), std::ios::binary);
    std::stringstream log;
    log << file.rdbuf();
    EXPECT_NE(log.str().find("Payment type: Credit\r\nCustomer: 1001 ALICE PENROSE\r\n"), std::string::npos);
}

TEST_F(CreditSaleTest, ServerGoneAtTheCommitKeepsTheBasket) {
    AddItemToBasket(1701, 0);
    SellTo1001([this](HWND d) {
        server_.Stop();
        Click(d, IDC_SALE_CASH);
    }, false);
    ASSERT_FALSE(messages().messages().empty());
    EXPECT_EQ(messages().messages().back().caption, "Problem");
    EXPECT_EQ(g_app.basket.LineCount(), 1);
    EXPECT_EQ(ListEntries(), 1);
}

}  // namespace
