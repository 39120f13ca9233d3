#include "shop/shop.h"

#include <gtest/gtest.h>

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
        {true, Lines({1}), shop::code::kSaleOutOfStock, "0 40 0", "stock used up by the earlier sale"},
        {true, Lines({2, 2, 2}, 10, "Credit"), 23, "0 37 0", "a credit sale"},
        {true, Lines({2, 3}, 10), 24, "0 36 0", "cash: the balance stays; a kit keeps no stock"},
        {false, Lines({2, 2}), 25, "0 38 0", "refunds share the numbering; stock goes back"},
        {false, Lines({2, 1}, 0, "", 0, 1), 26, "0 38 0", "faulty items stay out of stock"},
        {false, Lines({5}), shop::code::kRefundBadItem, "0 38 0", "a refused refund takes no number"},
        {false, Lines({2}, 10, "", 3), 27, "0 39 0", "a credit refund"},
        {false, Lines({2}, 10, "", 2), 28, "0 40 0", "an EFT refund"},
        {true, Lines({0}), 29, "0 40 0", "non-inventory lines only"},
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
    EXPECT_EQ(Stock(), "0 40 0");
    EXPECT_EQ(shop->FindCustomer(10), jane);
    EXPECT_EQ(shop->Config().TransactionNumber(), 9) << "the next number, in the served configuration";
    EXPECT_EQ(shop->CommitSale(Lines({2})), 30) << "numbering goes on";
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
    EXPECT_EQ(shop->CommitSale(Lines({2})), 24);

    fs::remove(State("stock.txt"));
    ASSERT_NO_FATAL_FAILURE(Reopen());
    EXPECT_EQ(Stock(), "2 36 0") << "without a snapshot the journal alone rebuilds the stock";
}

TEST_F(MiniShop, AddedAndAmendedCustomersAreStoredAndSurviveARestart) {
    shop::Customer added = shoptest::MakeCustomer(123456789012LL, shop::text::Utf8ToAnsi(" ZOË O'BRIEN"));
    added.notes = "multi\r\nline; with = signs and \\ and \xE9 ";
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

TEST(ShopOpen, MissingOrBrokenSeedIsReportedWithItsFileAndLine) {
    struct Row { const char* file; const char* content; const char* error; };  // no content: the file is missing
    const Row rows[] = {
        {"customers.txt", nullptr, "customers.txt: cannot be opened"},
        {"items.txt", "[item 1]\ndescription = A\n[item 1]\ndescription = B\n", "items.txt: line 3: item 1 twice"},
        {"customers.txt", "[customer 5]\n[customer 5]\n", "customers.txt: line 2: customer 5 twice"},
    };
    for (const Row& row : rows) {
        shoptest::ScratchDir dir;
        shoptest::WriteMiniSeed(dir.path());
        if (row.content) shoptest::WriteFile(dir.path() / row.file, row.content);
        else fs::remove(dir.path() / row.file);
        std::string error;
        EXPECT_FALSE(shop::Shop::Open(dir.path(), error, shoptest::FixedTime)) << row.error;
        EXPECT_TRUE(error.ends_with(row.error)) << error;
    }
}

}  // namespace
