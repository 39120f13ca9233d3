// The terminal's remote calls against the real development shop server over the pipe.
#include <gtest/gtest.h>

#include <cstring>

#include "link/remote.h"
#include "link/server_binding.h"
#include "shell/config_file.h"
#include "shell/startup.h"
#include "support/app_fixture.h"
#include "resources/resource_ids.h"
#include "support/dialog_driver.h"
#include "support/shop_server.h"

namespace {

class RemoteTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(server_.Start()) << server_.Log();
        ASSERT_EQ(BindToServer(""), BindResult::Bound);  // this computer
    }

    InventoryItem Fetch(std::int64_t number, const std::string& text) {
        ItemKey key;
        key.SetNumber(number);
        key.SetSearchText(text);
        InventoryItem item;
        EXPECT_EQ(RemoteFetchItem(key, item), 0u);
        return item;
    }

    ShopServerProcess server_;
};

TEST_F(RemoteTest, ItemLookupByScannedTextNumberAndDescriptionWithContinuation) {
    const InventoryItem scanned = Fetch(itemkey::kByText, "5012340010019");
    EXPECT_EQ(scanned.Number(), 1001);
    EXPECT_EQ(scanned.Description(), "Kingsbridge Vodka 70cl");
    EXPECT_DOUBLE_EQ(scanned.Price(), 15.83);
    EXPECT_EQ(scanned.AgeLimit(), 18);

    EXPECT_EQ(Fetch(itemkey::kFirstMatch, "1003").Description(), "Highland Single Malt 70cl");

    const InventoryItem first = Fetch(itemkey::kFirstMatch, "70cl");
    ASSERT_NE(first.Number(), 0);
    const InventoryItem second = Fetch(itemkey::ContinueDescriptionSearch(first.Number()), "70cl");
    EXPECT_GT(second.Number(), first.Number());
    EXPECT_NE(second.Description().find("70cl"), std::string::npos);

    EXPECT_EQ(Fetch(itemkey::kFirstMatch, "no such thing anywhere").Number(), 0);
}

TEST_F(RemoteTest, SkuSearchContinuesAfterTheLastItemWithMinusNumberMinusTwo) {
    const InventoryItem first = Fetch(itemkey::kFirstSkuMatch, "5012340010026");
    ASSERT_EQ(first.Number(), 1002);
    EXPECT_EQ(first.Sku(1), "5012340010026");
    // The same SKU is on no other item: the continuation ends the search.
    EXPECT_EQ(Fetch(itemkey::ContinueSkuSearch(first.Number()), "5012340010026").Number(), 0);
    EXPECT_NE(server_.Log().find("key -1004 "), std::string::npos) << server_.Log();
}

TEST_F(RemoteTest, CustomerSearchAndContinuation) {
    CustomerKey key;
    key.SetNumber(custkey::kStartSearch);
    key.SetSearchText("1001");
    CustomerRecord customer;
    ASSERT_EQ(RemoteFetchCustomer(key, customer), 0u);
    EXPECT_EQ(customer.Number(), 1001);
    EXPECT_EQ(customer.Name(), "ALICE PENROSE");
    EXPECT_DOUBLE_EQ(customer.CreditLimit(), 500.0);

    key.SetSearchText("E");  // a name fragment matching many
    ASSERT_EQ(RemoteFetchCustomer(key, customer), 0u);
    const std::int64_t firstMatch = customer.Number();
    ASSERT_NE(firstMatch, 0);
    key.SetNumber(firstMatch);
    ASSERT_EQ(RemoteFetchCustomer(key, customer), 0u);
    EXPECT_GT(customer.Number(), firstMatch);
}

TEST_F(RemoteTest, ShopConfigurationWordingAndNextCustomerNumber) {
    TerminalConfig config;
    ASSERT_EQ(RemoteFetchTerminalConfig(config), 0u);
    EXPECT_NE(config.ServerConnection(), 0);
    EXPECT_EQ(config.Option(33), 2000);
    EXPECT_EQ(config.AssociateName(1), "Administrator");
    EXPECT_FALSE(config.AssociatePassword(1).empty());

    LabelTable labels;
    ASSERT_EQ(RemoteFetchLabelTable(labels), 0u);
    EXPECT_EQ(labels.Entry(0).rfind("English", 0), 0u);

    char text[kNextCustomerNumberWidth];
    std::memset(text, 'x', sizeof text);
    ASSERT_EQ(RemoteFetchNextCustomerNumber(text), 0u);
    const long long next = std::atoll(text);
    EXPECT_GT(next, 1000);
    EXPECT_LE(next, 100000000000000000LL);
}

TEST_F(RemoteTest, PictureArrivesInPiecesOfTwoThousandBytes) {
    PictureBlock block;
    block.SetName("STOCK1.bmp");
    block.SetCount(0);
    ASSERT_EQ(RemoteFetchPictureBlock(block), 0u);
    const std::int32_t size = block.Count();
    const std::string onDisk = ReadWholeFile(server_.shopDirectory() + "\\pictures\\STOCK1.bmp");
    ASSERT_EQ(static_cast<std::size_t>(size), onDisk.size());
    ASSERT_GT(size, 2000);
    std::string received(reinterpret_cast<const char*>(block.Data().data()), 2000);
    for (std::int32_t offset = 2000; offset < size; offset += 2000) {
        block.SetName("STOCK1.bmp");
        block.SetCount(offset);
        ASSERT_EQ(RemoteFetchPictureBlock(block), 0u);
        ASSERT_NE(block.Count(), 0);
        received.append(reinterpret_cast<const char*>(block.Data().data()), std::min(2000, size - offset));
    }
    EXPECT_EQ(received, onDisk);

    block.SetName("STOCK999.bmp");
    block.SetCount(0);
    ASSERT_EQ(RemoteFetchPictureBlock(block), 0u);
    EXPECT_EQ(block.Count(), 0);
}

TEST_F(RemoteTest, ButtonPagesPageForwardAndBack) {
    ButtonPage page;
    page.SetCategory(18);  // all categories
    page.SetDirection(buttons::kForward);
    ASSERT_EQ(RemoteFetchFirstButtonPage(page), 0u);
    const std::int64_t firstOfPage1 = page.ItemNumber(0);
    ASSERT_NE(page.ItemNumber(7), 0);  // a full page: more follow
    EXPECT_FALSE(page.Caption(0).empty());

    page.SetDirection(buttons::kForward);
    ASSERT_EQ(RemoteFetchButtonPage(page), 0u);
    const std::int64_t firstOfPage2 = page.ItemNumber(0);
    EXPECT_NE(firstOfPage2, firstOfPage1);

    page.SetDirection(buttons::kBackward);
    ASSERT_EQ(RemoteFetchButtonPage(page), 0u);
    EXPECT_EQ(page.ItemNumber(0), firstOfPage1);
    page.SetDirection(buttons::kBackward);
    ASSERT_EQ(RemoteFetchButtonPage(page), 0u);
    EXPECT_EQ(page.ItemNumber(0), firstOfPage1);  // nothing before the first page
}

TEST_F(RemoteTest, AddAndAmendCustomerResultCodes) {
    CustomerRecord customer;
    customer.SetNumber(7777);
    customer.SetName("NEW CUSTOMER");
    customer.SetTerms(1);
    std::int32_t result = -1;
    ASSERT_EQ(RemoteAddCustomer(customer, result), 0u);
    EXPECT_EQ(result, 0);
    ASSERT_EQ(RemoteAddCustomer(customer, result), 0u);
    EXPECT_EQ(result, 3);  // in use

    customer.SetName("RENAMED CUSTOMER");
    ASSERT_EQ(RemoteAmendCustomer(customer, result), 0u);
    EXPECT_EQ(result, 0);
    customer.SetNumber(99999);
    ASSERT_EQ(RemoteAmendCustomer(customer, result), 0u);
    EXPECT_EQ(result, 3);  // no longer exists
}

TransactionRecord OneLineSale(std::int64_t expectedNumber, std::int64_t item, const std::string& note) {
    TransactionRecord sale;
    sale.SetNumber(expectedNumber);
    sale.SetLineCount(1);
    sale.SetLineItemNumber(0, item);
    sale.SetLineDescription(0, "Kingsbridge Vodka 70cl");
    sale.SetLineTotal(0, 19.0);
    sale.SetTotal(19.0);
    sale.SetCashPaid(19.0);
    sale.SetPaymentType("Cash");
    sale.SetNote(note);
    return sale;
}

TEST_F(RemoteTest, CommitNumbersTheTransactionAsResultMinusTwentyOne) {
    std::int32_t result = 0;
    ASSERT_EQ(RemoteCommitSale(OneLineSale(1, 1001, "first"), result), 0u);
    EXPECT_EQ(result, 1 + 21);
    ASSERT_EQ(RemoteCommitSale(OneLineSale(2, 1001, "second"), result), 0u);
    EXPECT_EQ(result, 2 + 21);

    TransactionRecord empty;  // no lines: the whole record still travels
    empty.SetNote(std::string(79, 'n'));
    ASSERT_EQ(RemoteCommitSale(empty, result), 0u);
    EXPECT_GE(result, 20);
}

TEST_F(RemoteTest, CommitRefusesAnItemOutOfStock) {
    TransactionRecord sale = OneLineSale(1, 1003, "");
    sale.SetLineCount(4);  // item 1003 has 3 in stock
    for (int i = 1; i < 4; ++i) sale.SetLineItemNumber(i, 1003);
    std::int32_t result = 0;
    ASSERT_EQ(RemoteCommitSale(sale, result), 0u);
    EXPECT_EQ(result, 5);
}

TEST(RemoteNumbering, AShopAtTransactionOneHundredAnswersOneHundredTwentyOne) {
    ShopServerProcess server;
    server.SetShopValue("transaction_number", "100");
    ASSERT_TRUE(server.Start()) << server.Log();
    ASSERT_EQ(BindToServer(""), BindResult::Bound);
    std::int32_t result = 0;
    ASSERT_EQ(RemoteCommitSale(OneLineSale(100, 1001, ""), result), 0u);
    EXPECT_EQ(result, 121);
}

TEST(RemoteFailure, ADeadServerRaisesNoExceptionPastTheGuard) {
    ASSERT_EQ(BindToServer(""), BindResult::Bound);  // nothing listens on the pipe
    ItemKey key;
    InventoryItem item;
    item.SetNumber(42);
    const unsigned long code = RemoteFetchItem(key, item);
    EXPECT_NE(code, 0u);
    EXPECT_EQ(item.Number(), 42);  // the record keeps what it held
    std::int32_t result = -5;
    EXPECT_NE(RemoteCommitSale(TransactionRecord{}, result), 0u);
    EXPECT_EQ(result, -5);
}

class BindingTest : public AppFixture {};

TEST_F(BindingTest, ServerDownAtStartUpGoesOfflineWithTheMessage) {
    EnsureConfigurationFile();
    TerminalConfig file;
    ASSERT_TRUE(ReadConfigFile(g_app.configPath, file));
    file.SetServerConnection(1);
    file.SetServerName("");
    ASSERT_TRUE(WriteConfigFile(g_app.configPath, file));

    LabelTable fetched;
    EXPECT_EQ(StartupBinding(fetched), 0);
    EXPECT_TRUE(messages().Saw("Unable to contact server, using defaults.", "Problem"));
    EXPECT_EQ(g_app.image.AssociateName(1), "");  // names are only defaulted for stand-alone files
}

TEST_F(BindingTest, StandAloneFileNeverBindsAndDefaultsTheNamesInTheImage) {
    ShopServerProcess server;
    ASSERT_TRUE(server.Start());
    EnsureConfigurationFile();
    LabelTable fetched;
    EXPECT_EQ(StartupBinding(fetched), 0);
    EXPECT_TRUE(messages().messages().empty());
    EXPECT_EQ(g_app.image.AssociateName(3), "Associate 3");
    EXPECT_EQ(server.Log().find("FetchTerminalConfig"), std::string::npos);  // no call reached the server
}

TEST_F(BindingTest, OnlineStartTakesTheServersConfigurationAndWording) {
    ShopServerProcess server;
    ASSERT_TRUE(server.Start());
    EnsureConfigurationFile();
    TerminalConfig file;
    ASSERT_TRUE(ReadConfigFile(g_app.configPath, file));
    file.SetServerConnection(1);
    file.SetSwitch(100, 2);  // a terminal-local setting of this till
    ASSERT_TRUE(WriteConfigFile(g_app.configPath, file));

    LabelTable fetched;
    ASSERT_EQ(StartupBinding(fetched), 1);
    EXPECT_EQ(fetched.Entry(0).rfind("English", 0), 0u);
    EXPECT_EQ(g_app.live.AssociateName(1), "Administrator");
    ASSERT_EQ(LoadConfiguration(), 1);
    EXPECT_EQ(g_app.live.Switch(100), 2);                     // local: from the file
    EXPECT_NE(g_app.live.HeaderText(0), "VARENKO");           // shop-wide: from the server
    EXPECT_TRUE(messages().messages().empty());
}

TEST_F(BindingTest, ServerCommandKeepsEveryLocalFieldAndTakesTheRest) {
    ShopServerProcess server;
    ASSERT_TRUE(server.Start());
    // A terminal whose every byte is marked, as if configured here over the years.
    std::memset(g_app.live.data(), 0x3C, cfg::kSize);
    std::memset(g_app.image.data(), 0x3C, cfg::kSize);
    TerminalConfig before = g_app.live;
    g_app.offline = 1;

    {
        DialogDriver closesTheLogon({});  // the logon that follows the connection is not the point here
        ConnectToServer("");
    }
    EXPECT_TRUE(messages().Saw("Connected.", "VARENKO server"));
    EXPECT_EQ(g_app.offline, 0);

    TerminalConfig shop;
    ASSERT_EQ(RemoteFetchTerminalConfig(shop), 0u);
    for (std::size_t i = 0; i < cfg::kSize; ++i) {
        bool kept = false;
        for (auto fields : {cfg::kKeptAcrossServerFetch, cfg::kRestoredAcrossServerFetch})
            for (const ByteRange& r : fields) kept = kept || (i >= r.offset && i < r.offset + r.length);
        if (i >= cfg::kServerName && i < cfg::kServerName + cfg::kServerNameWidth) continue;  // typed in the dialog
        ASSERT_EQ(g_app.live.data()[i], kept ? before.data()[i] : shop.data()[i]) << "offset " << i;
    }
    EXPECT_EQ(g_app.live.ServerName(), "");
    EXPECT_EQ(g_app.live.ServerConnection(), shop.ServerConnection());
    EXPECT_STREQ(g_app.headers.text[0], shop.HeaderText(0).substr(0, 43).c_str());
}

TEST_F(BindingTest, ServerCommandWithTheServerDownKeepsTheTerminalOffline) {
    g_app.offline = 1;
    ConnectToServer("");
    EXPECT_TRUE(messages().Saw("Unable to contact server.", "Problem"));
    EXPECT_EQ(g_app.offline, 1);
}

}  // namespace

namespace {

TEST_F(BindingTest, ServerDialogProposesThisComputerRefusesLongNamesAndConnects) {
    ShopServerProcess server;
    ASSERT_TRUE(server.Start());
    lstrcpyA(g_app.computerName, "TILL7");
    g_app.instance = GetModuleHandleA(nullptr);
    g_app.offline = 1;
    std::string proposed;
    std::size_t messagesWhileOpen = 0;
    {
        DialogDriver driver({
            [&](HWND dialog) { proposed = Text(dialog, IDC_EDIT1); },
            [&](HWND dialog) {
                SetDlgItemTextA(dialog, IDC_EDIT1, "A-SERVER-NAME-TOO-LONG");
                Click(dialog, IDOK);  // refused: the dialog stays open
                messagesWhileOpen = messages().messages().size();
            },
            [&](HWND dialog) {
                SetDlgItemTextA(dialog, IDC_EDIT1, "");  // this computer
                Click(dialog, IDOK);
            },
            [&](HWND logon) {  // a connection is followed by the logon
                SetDlgItemTextA(logon, IDC_EDIT1, "1111");
                Click(logon, IDOK);
            },
        });
        RunServerDialog(nullptr);
        EXPECT_FALSE(driver.abandoned());
    }
    EXPECT_EQ(g_app.live.CurrentAssociate(), 1);
    EXPECT_EQ(proposed, "TILL7");
    EXPECT_EQ(messagesWhileOpen, 1u);
    EXPECT_TRUE(messages().Saw("The server computer name can have at most 19 characters.", "Problem"));
    EXPECT_TRUE(messages().Saw("Connected.", "VARENKO server"));
    EXPECT_EQ(g_app.offline, 0);
}

TEST_F(BindingTest, CancellingTheServerDialogChangesNothing) {
    g_app.instance = GetModuleHandleA(nullptr);
    g_app.live.SetServerName("BACKOFFICE");
    g_app.image.SetServerName("BACKOFFICE");
    const TerminalConfig before = g_app.live;
    {
        DialogDriver driver({[](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_EDIT1, "ELSEWHERE");
            Click(dialog, IDCANCEL);
        }});
        RunServerDialog(nullptr);
    }
    EXPECT_EQ(g_app.live.bytes, before.bytes);
    EXPECT_EQ(g_app.image.ServerName(), "BACKOFFICE");
    EXPECT_TRUE(messages().messages().empty());
}

}  // namespace
