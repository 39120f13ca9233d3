#include "shop/shop.h"

#include <gtest/gtest.h>

#include "shop/record_bridge.h"
#include "shop/seed_files.h"
#include "shop_test_support.h"

namespace {

namespace fs = std::filesystem;

using shoptest::Lines;

class MiniShop : public ::testing::Test {
protected:
    void SetUp() override { shoptest::WriteMiniSeed(dir.path()); Reopen(); }
    void Reopen() {
        shop.reset();
        std::string error;
        shop = shop::Shop::Open(dir.path(), error, shoptest::FixedTime);
        ASSERT_TRUE(shop) << error;
    }
    std::string Stock() const {  // of items 1, 2 and the kit 3
        std::string levels;
        for (int item : {1, 2, 3}) levels += std::to_string(shop->FindItem(item).value().stock) + (item < 3 ? " " : "");
        return levels;
    }
    fs::path State(const char* name) const { return dir.path() / "state" / name; }

    shoptest::ScratchDir dir;
    std::unique_ptr<shop::Shop> shop;
};

TEST_F(MiniShop, CommitsAreNumberedAnsweredPlusTwentyOneAndSurviveARestart) {
    struct Row { bool sale; shop::Transaction t; std::int32_t expected; const char* stock; const char* why; };
    const Row rows[] = {  // one after another, from the seed's stock
        {true, Lines({1, 1, 1}), shop::code::kSaleOutOfStock, "2 40 0", "refused: nothing changes, no journal"},
        {true, Lines({1, 1}), 22, "0 40 0", "the first commit is number 1"},
        {true, Lines({2, 2, 2}, 10, "Credit"), 23, "0 37 0", "a credit sale"},
        {true, Lines({2, 3}, 10), 24, "0 36 0", "cash: the balance stays; a kit keeps no stock"},
        {false, Lines({2, 2}), 25, "0 38 0", "refunds share the numbering; stock goes back"},
        {false, Lines({2, 1}, 0, "", 0, 1), 26, "0 38 0", "faulty items stay out of stock"},
        {false, Lines({2}, 10, "", 3), 27, "0 39 0", "a credit refund"},
        {false, Lines({2}, 10, "", 2), 28, "0 40 0", "an EFT refund"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.sale ? shop->CommitSale(row.t) : shop->CommitRefund(row.t), row.expected) << row.why;
        EXPECT_EQ(Stock(), row.stock) << row.why;
        EXPECT_EQ(fs::exists(State("journal.txt")), shop->NextTransactionNumber() > 1) << row.why;
    }
    EXPECT_EQ(shop->FindItem(3)->components[1], (shop::KitComponent{"2", 3, 2})) << "seed 'component = 2 x2 mode 3'";
    const shop::Customer jane = shop->FindCustomer(10).value();
    EXPECT_EQ(std::tuple(jane.balance, jane.totalPurchases, jane.transactions, jane.lastTransaction, jane.lastUsed),
              std::tuple(124.0, 60.0, 2, 7, "09:3005/12/2026"))
        << "100 + 36 credit - 12 credit refund; purchases 36 + 24; the last at the server's clock";

    ASSERT_NO_FATAL_FAILURE(Reopen());
    EXPECT_EQ(shop->Config().TransactionNumber(), 8) << "the next number, in the served configuration";
    EXPECT_EQ(shop->CommitSale(Lines({2})), 29) << "numbering goes on";
}

TEST_F(MiniShop, JournalEntriesAfterTheSnapshotsAreReplayedAndACutOneIsDropped) {
    ASSERT_EQ(shop->CommitSale(Lines({2}, 10, "Credit")), 22);
    const std::string stock = shoptest::ReadFile(State("stock.txt"));
    const std::string customers = shoptest::ReadFile(State("customers.txt"));
    ASSERT_EQ(shop->CommitSale(Lines({2, 2}, 10, "Credit")), 23);
    const std::string journal = shoptest::ReadFile(State("journal.txt"));
    // As if the server had stopped after the journal write of the second sale, and a third was cut short.
    shop.reset();
    shoptest::WriteFile(State("stock.txt"), stock);
    shoptest::WriteFile(State("customers.txt"), customers);
    shoptest::WriteFile(State("journal.txt"), journal + "[sale 3]\nstamp = 09:3005/12/2026\ncustomer = 0\nline = 2;0");
    ASSERT_NO_FATAL_FAILURE(Reopen());
    EXPECT_EQ(Stock(), "2 37 0");
    EXPECT_EQ(std::pair(shop->FindCustomer(10)->balance, shop->FindCustomer(10)->transactions), std::pair(136.0, 2));
    EXPECT_EQ(shoptest::ReadFile(State("journal.txt")), journal) << "the cut entry is gone from the file";
    EXPECT_FALSE(fs::exists(State("journal.txt.tmp"))) << "rewritten through a file renamed over it";
    EXPECT_EQ(shop->CommitSale(Lines({2})), 24);

    fs::remove(State("stock.txt"));
    ASSERT_NO_FATAL_FAILURE(Reopen());
    EXPECT_EQ(Stock(), "2 36 0") << "without a snapshot the journal alone rebuilds the stock";
}

TEST_F(MiniShop, ASaleSentAgainByItsTillGetsTheFirstAnswerAndIsRecordedOnce) {
    auto sent = [](const char* till, std::vector<std::int64_t> items, const char* time = "23:59",
                   const char* date = "Mon 3 Feb 25") {
        shop::Transaction t = Lines(std::move(items), 10, "Credit");
        t.number = 57, t.computerName = till, t.time = time, t.date = date;
        return t;
    };
    struct Row { shop::Transaction t; std::int32_t expected; const char* stock; const char* why; };
    const Row rows[] = {  // one after another; the last two again after a restart
        {sent("TILL1", {1}), 22, "1 40 0", "the first commit"},
        {sent("TILL1", {1}, "00:01", "Tue 4 Feb 25"), 22, "1 40 0", "sent again two minutes later: as before"},
        {sent("TILL2", {1}), 23, "0 40 0", "another till's sale with the same number is its own"},
        {sent("TILL1", {2}), 24, "0 39 0", "a changed basket is a new sale, even with the same number"},
        {sent("TILL1", {1}), shop::code::kSaleOutOfStock, "0 39 0", "only a till's last commit is answered again"},
        {sent("TILL2", {1}, "15:00"), 23, "0 39 0", "TILL2's last commit, after the restart"},
        {sent("TILL1", {2}), 24, "0 39 0", "TILL1's last commit, after the restart"},
    };
    for (const Row& row : rows) {
        if (&row == &rows[5]) { ASSERT_NO_FATAL_FAILURE(Reopen()); }
        EXPECT_EQ(shop->CommitSale(row.t), row.expected) << row.why;
        EXPECT_EQ(Stock(), row.stock) << row.why;
    }
    EXPECT_EQ(shop->FindCustomer(10)->balance, 136.0) << "100 + three credit sales of 12, each once";
    EXPECT_EQ(shop->CommitRefund(sent("TILL1", {2})), 25) << "a refund is never a sale sent again";
}

TEST_F(MiniShop, AddedAndAmendedCustomersAreStoredAndSurviveARestart) {
    shop::Customer added = shoptest::MakeCustomer(123456789012LL, "ZOE O'BRIEN");
    added.balance = -0.1, added.totalPurchases = 1234.56, added.lastTransaction = 5;
    EXPECT_EQ(shop->AddCustomer(added), shop::code::kOk);
    EXPECT_EQ(shop->AddCustomer(added), 3) << "in use";
    added.lastTransaction = 0, added.lastUsed = "NEW", added.origination = "05/12/2026";
    EXPECT_EQ(shop->FindCustomer(added.number), added) << "opening balance taken, never used, added today";
    shop::Customer mark = shop->FindCustomer(11).value();
    mark.email = "mark@example.com", mark.balance = 99;
    EXPECT_EQ(shop->AmendCustomer(mark), shop::code::kOk);
    mark.balance = 0;  // the balance is the server's

    ASSERT_NO_FATAL_FAILURE(Reopen());
    EXPECT_EQ(shop->FindCustomer(added.number), added);
    EXPECT_EQ(shop->FindCustomer(11), mark);
    EXPECT_EQ(shop->FetchNextCustomerNumber(), "123456789013");
}

TEST_F(MiniShop, WriteFailuresRefuseTheChange) {
    fs::create_directories(State("journal.txt"));  // the journal cannot be opened for appending
    EXPECT_EQ(shop->CommitSale(Lines({2})), shop::code::kSaleJournalError);
    EXPECT_EQ(shop->CommitRefund(Lines({2})), shop::code::kRefundJournalError);
    EXPECT_EQ(Stock(), "2 40 0");
    EXPECT_EQ(shop->NextTransactionNumber(), 1);

    fs::create_directories(State("customers.txt.tmp"));  // nor the customer file written
    EXPECT_EQ(shop->AddCustomer(shoptest::MakeCustomer(50, "NOT STORED")), shop::code::kCustomerFileError);
    EXPECT_FALSE(shop->FindCustomer(50));
    EXPECT_EQ(shop->AmendCustomer(shoptest::MakeCustomer(11, "MARK LEE")), shop::code::kCustomerFileError);
    EXPECT_EQ(shop->FindCustomer(11)->name, "MARK");
}

TEST_F(MiniShop, ServedProceduresAnswerInTheRecordsOfTheWire) {
    shoptest::WriteFile(dir.path() / "labels.txt", "[labels]\n1 = Till slip\n");
    fs::create_directories(dir.path() / "pictures");
    shoptest::WriteFile(dir.path() / "pictures" / "p.bmp", std::string(2500, 'p'));
    std::string error;
    const auto served = shop::Shop::Open(dir.path(), error);  // on the system's clock
    ASSERT_TRUE(served) << error;
    ItemKey itemKey;
    CustomerKey customerKey;
    itemKey.SetSearchText("4000"), customerKey.SetNumber(-1), customerKey.SetSearchText("jane");
    InventoryItem item;
    CustomerRecord customer;
    TerminalConfig config;
    LabelTable labels;
    PictureBlock block;
    block.SetName("p.bmp");
    char number[3] = "xx";
    shop::ServeFetchItem(*served, itemKey, item), shop::ServeFetchCustomer(*served, customerKey, customer);
    shop::ServeFetchTerminalConfig(*served, config), shop::ServeFetchLabelTable(*served, labels);
    shop::ServeFetchNextCustomerNumber(*served, number, 2), shop::ServeFetchPictureBlock(*served, block);
    EXPECT_EQ(item.Description() + "|" + customer.Name() + "|" + std::to_string(config.TransactionNumber()) + "|" +
                  labels.Entry(1) + "|" + number + "|" + std::to_string(block.Count()),
              "Plenty|JANE HARPER|1|Till slip|1|2500") << "the next customer number 12 cut to fit its terminator";
    block.SetCount(2000);
    shop::ServeFetchPictureBlock(*served, block);
    EXPECT_EQ(std::tuple(block.Count(), block.Data()[499], block.Data()[500]), std::tuple(500, 'p', 0));

    ButtonPage page;
    page.SetCategory(18);
    shop::ServeFetchFirstButtonPage(*served, page);
    EXPECT_EQ(std::tuple(page.ItemNumber(0), page.ItemNumber(2), page.ItemNumber(3), page.Caption(2), page.Cursor()),
              std::tuple(1, 3, 0, "Kit of both", 3)) << "all three items; the cursor on the last";
    shop::ServeFetchButtonPage(*served, page);
    EXPECT_EQ(page.ItemNumber(0), 0) << "nothing after the cursor";

    TransactionRecord sale = shop::ToRecord(Lines({2}));
    EXPECT_EQ(shop::ServeCommitSale(*served, sale), 22);
    EXPECT_EQ(shop::ServeCommitRefund(*served, sale), 23);
    sale.SetLineCount(401);
    EXPECT_EQ(shop::ServeCommitSale(*served, sale), shop::code::kSaleBadNumber) << "never read as 400 lines";
    sale.SetLineCount(-1);
    EXPECT_EQ(shop::ServeCommitRefund(*served, sale), shop::code::kRefundBadNumber);
    EXPECT_EQ(shop::ServeAddCustomer(*served, shop::ToRecord(shoptest::MakeCustomer(12, "NEW"))), shop::code::kOk);
    EXPECT_EQ(shop::ServeAmendCustomer(*served, shop::ToRecord(shoptest::MakeCustomer(99, "NONE"))),
              shop::code::kCustomerMissing);
}

TEST(ShopOpen, MissingOrBrokenSeedIsReportedWithItsFileAndLine) {
    struct Row { const char* file; const char* content; const char* error; };  // no content: the file is missing
    const Row rows[] = {
        {"customers.txt", nullptr, "customers.txt: cannot be opened"},
        {"items.txt", "[item 1]\ndescription = A\n[item 1]\ndescription = B\n", "items.txt: line 3: item 1 twice"},
        {"customers.txt", "[customer 5]\n[customer 5]\n", "customers.txt: line 2: customer 5 twice"},
        {"customers.txt", "[person 1]\n", "customers.txt: line 1: expected [customer N]"},
        {"items.txt", "[thing 1]\n", "items.txt: line 1: expected [item N]"},
        {"shop.txt", "[labels]\n", "shop.txt: line 1: expected [shop]"},
        {"labels.txt", "[shop]\n", "labels.txt: line 1: expected [labels]"},
        {"labels.txt", "[labels]\n38 = x\n", "labels.txt: line 2 (38): entry 0 to 37, at most 79 characters"},
        {"state", "a file", "state: cannot be created"},
        {"state/stock.txt", "[other]\n", "stock.txt: expected one [stock] block"},
        {"state/customers.txt", "[state]\nthrough = 0\n[customer 1]\n[customer 1]\n", "customer 1 twice"},
        {"state/journal.txt", "[sale 1]\n[end 2]\n", "line 1: expected [sale N] or [refund N] ... [end N]"},
    };
    for (const Row& row : rows) {
        shoptest::ScratchDir dir;
        shoptest::WriteMiniSeed(dir.path());
        if (std::string(row.file).starts_with("state/")) fs::create_directories(dir.path() / "state");
        if (row.content) shoptest::WriteFile(dir.path() / row.file, row.content);
        else fs::remove(dir.path() / row.file);
        std::string error;
        EXPECT_FALSE(shop::Shop::Open(dir.path(), error, shoptest::FixedTime)) << row.error;
        EXPECT_TRUE(error.ends_with(row.error)) << error;
    }
}

}  // namespace
