// The remote calls against the real development shop server over the pipe, one test per procedure.
#include <gtest/gtest.h>

#include <cstring>

#include "link/remote.h"
#include "link/server_binding.h"
#include "resources/resource_ids.h"
#include "shell/config_file.h"
#include "shell/startup.h"
#include "support/app_fixture.h"
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
    // FetchItem or FetchCustomer with a key of that kind and number.
    template <typename Key, typename Reply>
    Reply Fetch(unsigned long (*call)(const Key&, Reply&), std::int64_t number, const std::string& text) {
        Key key;
        key.SetNumber(number);
        key.SetSearchText(text);
        Reply reply;
        EXPECT_EQ(call(key, reply), 0u);
        return reply;
    }
    std::string Journal() const { return ReadWholeFile(server_.shopDirectory() + "\\state\\journal.txt"); }
    ShopServerProcess server_;
};

TEST_F(RemoteTest, FetchItemAnswersEveryKindOfKey) {
    struct Row { std::int64_t key; const char* text; std::int64_t expected; const char* why; };
    const Row rows[] = {
        {itemkey::kByText, "5012340010019", 1001, "a scanned SKU"},
        {itemkey::kFirstMatch, "1003", 1003, "a number is an exact lookup"},
        {itemkey::kFirstSkuMatch, "5012340010026", 1002, "a SKU prefix"},
        {itemkey::ContinueSkuSearch(1002), "5012340010026", 0, "continued after item 1002: no other has it"},
        {itemkey::kFirstMatch, "no such thing anywhere", 0, "nothing found"},
    };
    for (const Row& row : rows) EXPECT_EQ(Fetch(RemoteFetchItem, row.key, row.text).Number(), row.expected) << row.why;
    const InventoryItem vodka = Fetch(RemoteFetchItem, itemkey::kByText, "5012340010019");
    EXPECT_EQ(vodka.Description() + " " + std::to_string(vodka.Price()), "Kingsbridge Vodka 70cl 15.830000");
}

TEST_F(RemoteTest, CustomersAreFoundAddedAndAmended) {
    const CustomerRecord alice = Fetch(RemoteFetchCustomer, custkey::kStartSearch, "1001");
    EXPECT_EQ(alice.Name() + " " + std::to_string(alice.CreditLimit()), "ALICE PENROSE 500.000000");
    const std::int64_t first = Fetch(RemoteFetchCustomer, custkey::kStartSearch, "E").Number();  // in many names
    EXPECT_GT(Fetch(RemoteFetchCustomer, first, "E").Number(), first) << "continued after the first match";

    struct Row { bool add; std::int64_t number; const char* name; std::int32_t result; const char* why; };
    const Row rows[] = {{true, 7777, "NEW CUSTOMER", 0, "a free number"}, {true, 7777, "NEW CUSTOMER", 3, "in use"},
                        {false, 7777, "RENAMED", 0, "amended"}, {false, 99999, "NOBODY", 3, "no longer exists"}};
    for (const Row& row : rows) {
        CustomerRecord customer;
        customer.SetNumber(row.number);
        customer.SetName(row.name);
        std::int32_t result = -1;
        ASSERT_EQ(row.add ? RemoteAddCustomer(customer, result) : RemoteAmendCustomer(customer, result), 0u);
        EXPECT_EQ(result, row.result) << row.why;
    }
    EXPECT_EQ(Fetch(RemoteFetchCustomer, custkey::kStartSearch, "7777").Name(), "RENAMED");
}

TEST_F(RemoteTest, ShopConfigurationAndWording) {
    TerminalConfig config;
    ASSERT_EQ(RemoteFetchTerminalConfig(config), 0u);
    EXPECT_EQ(config.AssociateName(1) + " " + std::to_string(config.Option(33)), "Administrator 2000");
    LabelTable labels;
    ASSERT_EQ(RemoteFetchLabelTable(labels), 0u);
    EXPECT_EQ(labels.Entry(0).rfind("English", 0), 0u);
}

TEST_F(RemoteTest, PicturesArriveInPiecesOfTwoThousandBytes) {
    PictureBlock block;
    std::string received;
    for (std::int32_t offset = 0, size = 1; offset < size; offset += 2000) {
        block.SetName("STOCK1.bmp");
        block.SetCount(offset);  // the request's offset travels in the count word
        ASSERT_EQ(RemoteFetchPictureBlock(block), 0u);
        if (offset == 0) size = block.Count();
        received.append(reinterpret_cast<const char*>(block.Data().data()), std::min(2000, size - offset));
    }
    EXPECT_GT(received.size(), 2000u);
    EXPECT_EQ(received, ReadWholeFile(server_.shopDirectory() + "\\pictures\\STOCK1.bmp"));
}

TEST_F(RemoteTest, ButtonPagesPageForwardAndBack) {
    ButtonPage page;
    page.SetCategory(18);  // all categories
    ASSERT_EQ(RemoteFetchFirstButtonPage(page), 0u);
    const std::int64_t firstOfPage1 = page.ItemNumber(0);
    ASSERT_NE(page.ItemNumber(7) * page.Caption(0).size(), 0u) << "a full page with captions: more follow";
    ASSERT_EQ(RemoteFetchButtonPage(page), 0u);
    EXPECT_GT(page.ItemNumber(0), firstOfPage1) << "the next page";
    for (int back = 0; back < 2; ++back) {  // the second time there is nothing before the first page
        page.SetDirection(buttons::kBackward);
        ASSERT_EQ(RemoteFetchButtonPage(page), 0u);
        EXPECT_EQ(page.ItemNumber(0), firstOfPage1) << back;
    }
}

TEST_F(RemoteTest, CommitsAnswerTheNumberPlusTwentyOneAndTheWholeRecordArrives) {
    struct Row { bool sale; int lines; std::string note; std::int32_t result; const char* journal; };
    const Row rows[] = {{true, 1, "first", 22, "[sale 1]"}, {false, 1, "back", 23, "[refund 2]"},
                        {true, 0, std::string(79, 'n'), 24, "[sale 3]"}};  // the note is the record's last bytes
    for (const Row& row : rows) {
        TransactionRecord t;
        t.SetLineCount(row.lines);
        t.SetLineItemNumber(0, 1001);
        t.SetLineTotal(0, 19.0);
        t.SetNote(row.note);
        std::int32_t result = 0;
        ASSERT_EQ(row.sale ? RemoteCommitSale(t, result) : RemoteCommitRefund(t, result), 0u);
        EXPECT_EQ(result, row.result) << row.journal;
        EXPECT_NE(Journal().find(std::string(row.journal) + "\nstamp"), std::string::npos) << Journal();
        EXPECT_NE(Journal().find("note = " + row.note + "\n"), std::string::npos) << Journal();
    }
    EXPECT_NE(Journal().find("line = 1001;0;0;0;0;0;0;19;\n"), std::string::npos) << Journal();
}

// ---- Binding: start-up, the Server command and its dialog --------------------------

class BindingTest : public AppFixture {};

TEST_F(BindingTest, WithTheServerDownNoExceptionPassesTheGuardAndTheTerminalStaysOffline) {
    EnsureConfigurationFile();
    TerminalConfig file;
    ASSERT_TRUE(ReadConfigFile(g_app.configPath, file));
    file.SetServerConnection(1);  // to this computer, where no server runs
    ASSERT_TRUE(WriteConfigFile(g_app.configPath, file));
    LabelTable fetched;
    EXPECT_EQ(StartupBinding(fetched), 0);
    EXPECT_TRUE(messages().Saw("Unable to contact server, using defaults.", "Problem"));
    EXPECT_EQ(g_app.image.AssociateName(1), "") << "names are only defaulted for stand-alone files";
    g_app.offline = 1;
    ConnectToServer("");
    EXPECT_TRUE(messages().Saw("Unable to contact server.", "Problem"));
    EXPECT_EQ(g_app.offline, 1);

    InventoryItem item;  // bound to this computer, where nothing listens on the pipe
    item.SetNumber(42);
    EXPECT_NE(RemoteFetchItem(ItemKey{}, item), 0u);
    EXPECT_EQ(item.Number(), 42) << "the record keeps what it held";
    std::int32_t result = -5;
    EXPECT_NE(RemoteCommitSale(TransactionRecord{}, result), 0u);
    EXPECT_EQ(result, -5);
}

TEST_F(BindingTest, ServerCommandKeepsEveryLocalFieldAndTakesTheRest) {
    ShopServerProcess server;
    ASSERT_TRUE(server.Start());
    // A terminal whose every byte is marked, as if configured here over the years.
    std::memset(g_app.live.data(), 0x3C, cfg::kSize);
    std::memset(g_app.image.data(), 0x3C, cfg::kSize);
    const TerminalConfig before = g_app.live;
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
        if (i >= cfg::kServerName && i < cfg::kServerName + cfg::kServerNameWidth) continue;  // typed in the dialog
        bool kept = false;
        for (auto fields : {cfg::kKeptAcrossServerFetch, cfg::kRestoredAcrossServerFetch})
            for (const ByteRange& r : fields) kept = kept || (i >= r.offset && i < r.offset + r.length);
        ASSERT_EQ(g_app.live.data()[i], kept ? before.data()[i] : shop.data()[i]) << "offset " << i;
    }
    EXPECT_EQ(g_app.live.ServerName(), "");
    EXPECT_STREQ(g_app.headers.text[0], shop.HeaderText(0).substr(0, 43).c_str());
}

TEST_F(BindingTest, ServerDialogProposesThisComputerRefusesLongNamesAndConnects) {
    ShopServerProcess server;
    ASSERT_TRUE(server.Start());
    lstrcpyA(g_app.computerName, "TILL7");
    g_app.instance = GetModuleHandleA(nullptr);
    g_app.offline = 1;
    std::string proposed;
    {
        DialogDriver driver({[&](HWND dialog) {  // the logon that follows a connection is closed by the driver
            proposed = Text(dialog, IDC_EDIT1);
            SetDlgItemTextA(dialog, IDC_EDIT1, "A-SERVER-NAME-TOO-LONG");
            Click(dialog, IDOK);  // refused: the dialog stays open
            SetDlgItemTextA(dialog, IDC_EDIT1, "");  // this computer
            Click(dialog, IDOK);
        }});
        RunServerDialog(nullptr);
    }
    EXPECT_EQ(proposed, "TILL7");
    EXPECT_TRUE(messages().Saw("The server computer name can have at most 19 characters.", "Problem"));
    EXPECT_TRUE(messages().Saw("Connected.", "VARENKO server"));
    EXPECT_EQ(g_app.offline, 0);
}

}  // namespace
