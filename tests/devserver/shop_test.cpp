#include "shop/shop.h"

#include <gtest/gtest.h>

#include "shop/seed_files.h"
#include "shop/store.h"
#include "shop_test_support.h"

namespace {

namespace fs = std::filesystem;
using shop::Customer;
using shop::Shop;
using shop::Transaction;
using shop::TransactionLine;

std::unique_ptr<Shop> OpenShop(const fs::path& dir) {
    std::string error;
    auto shop = Shop::Open(dir, error, shoptest::FixedTime);
    EXPECT_TRUE(shop) << error;
    return shop;
}

shop::ButtonPage PageRequest(std::int32_t category) {
    shop::ButtonPage request;
    request.category = category;
    return request;
}

Transaction Sale(std::vector<std::int64_t> items, std::int64_t customer = 0, const char* payment = "Cash") {
    Transaction t;
    t.customer = customer;
    t.paymentType = payment;
    t.associate = 3;
    for (std::int64_t n : items) {
        TransactionLine line;
        line.item = n;
        line.description = "line of " + std::to_string(n);
        line.taxable = 10;
        line.tax1 = 2;
        line.total = 12;
        t.lines.push_back(line);
        t.total += line.total;
    }
    return t;
}

Transaction Refund(std::vector<std::int64_t> items, std::int32_t stockFlag = 0) {
    Transaction t = Sale(std::move(items));
    t.paymentType = "Refund";
    t.refundStockFlag = stockFlag;
    return t;
}

class MiniShop : public ::testing::Test {
protected:
    void SetUp() override {
        shoptest::WriteMiniSeed(dir.path());
        shop = OpenShop(dir.path());
        ASSERT_TRUE(shop);
    }
    void Reopen() {
        shop.reset();
        shop = OpenShop(dir.path());
        ASSERT_TRUE(shop);
    }
    std::int32_t Stock(std::int64_t item) const { return shop->FindItem(item).value().stock; }
    fs::path State(const char* name) const { return dir.path() / "state" / name; }

    shoptest::ScratchDir dir;
    std::unique_ptr<Shop> shop;
};

TEST_F(MiniShop, SeedIsServedAsLoaded) {
    EXPECT_EQ(shop->Config().HeaderText(0), "TEST SHOP");
    EXPECT_EQ(shop->Labels().Entry(17), "BILL");
    EXPECT_EQ(shop->Labels().Entry(16), "Refund") << "unlisted labels keep the English words";
    EXPECT_EQ(shop->FetchItem(0, "4000").number, 2);
    EXPECT_EQ(shop->FetchItem(-1, "kit").kitFlag, shop::kKitFlag);
    EXPECT_EQ(shop->FetchCustomer(-1, "harper").number, 10);
    EXPECT_EQ(shop->FetchNextCustomerNumber(), "12");
    EXPECT_EQ(shop->FetchPictureBlock("m1.bmp", 0).count, 4321);
    EXPECT_EQ(shop->FetchPictureBlock("../shop.txt", 0).count, 0) << "the file is there, but outside the folder";
    EXPECT_EQ(shop->FetchFirstButtonPage(PageRequest(shop::kAllCategories)).numbers[2], 3);
}

TEST_F(MiniShop, CommitsAreNumberedFromOneAndAnsweredPlusTwentyOne) {
    EXPECT_EQ(shop->Config().TransactionNumber(), 1);
    EXPECT_EQ(shop->CommitSale(Sale({2})), 22) << "committed number 1";
    EXPECT_EQ(shop->Config().TransactionNumber(), 2);
    EXPECT_EQ(shop->CommitRefund(Refund({2})), 23) << "refunds share the numbering";
    EXPECT_EQ(shop->CommitSale(Sale({0})), 24) << "a sale of non-inventory lines only";
    EXPECT_EQ(shop->NextTransactionNumber(), 4);
}

TEST_F(MiniShop, RefusedSaleChangesNothingAndUsesNoNumber) {
    EXPECT_EQ(shop->CommitSale(Sale({1, 1, 1})), shop::code::kSaleOutOfStock);
    EXPECT_EQ(shop->CommitSale(Sale({2}, 12)), shop::code::kSaleBadCustomer);
    EXPECT_EQ(shop->CommitSale(Sale({9})), shop::code::kSaleBadItem);
    EXPECT_EQ(Stock(1), 2);
    EXPECT_EQ(Stock(2), 40);
    EXPECT_FALSE(fs::exists(State("journal.txt")));
    EXPECT_EQ(shop->CommitSale(Sale({1, 1})), 22);
    EXPECT_EQ(Stock(1), 0);
    EXPECT_EQ(shop->CommitSale(Sale({1})), shop::code::kSaleOutOfStock) << "stock used up by the earlier sale";
}

TEST_F(MiniShop, RefundPutsStockBackUnlessFaulty) {
    ASSERT_EQ(shop->CommitSale(Sale({2, 2, 2, 1})), 22);
    EXPECT_EQ(Stock(2), 37);
    EXPECT_EQ(shop->CommitRefund(Refund({2, 2})), 23);
    EXPECT_EQ(Stock(2), 39);
    EXPECT_EQ(shop->CommitRefund(Refund({2, 1}, 1)), 24);
    EXPECT_EQ(Stock(2), 39);
    EXPECT_EQ(Stock(1), 1);
    Transaction bad = Refund({2});
    bad.refundMethod = 3;  // credit without a customer
    EXPECT_EQ(shop->CommitRefund(bad), shop::code::kRefundNoCustomer);
    EXPECT_EQ(shop->CommitRefund(Refund({5})), shop::code::kRefundBadItem);
    EXPECT_EQ(shop->NextTransactionNumber(), 4);
}

TEST_F(MiniShop, CreditSaleAndCreditRefundMoveTheBalance) {
    ASSERT_EQ(shop->CommitSale(Sale({2, 2}, 10, "Credit")), 22);
    Customer jane = shop->FindCustomer(10).value();
    EXPECT_EQ(jane.balance, 124.0);
    EXPECT_EQ(jane.transactions, 1);
    EXPECT_EQ(jane.totalPurchases, 24.0);
    EXPECT_EQ(jane.lastTransaction, 1);
    EXPECT_EQ(jane.lastUsed, "09:3005/12/2026") << "the server's clock at commit";

    Transaction back = Refund({2});
    back.customer = 10;
    back.refundMethod = 3;
    ASSERT_EQ(shop->CommitRefund(back), 23);
    EXPECT_EQ(shop->FindCustomer(10)->balance, 112.0);
}

TEST_F(MiniShop, AddAndAmendCustomers) {
    Customer added;
    added.number = 12;
    added.name = "NEW CUSTOMER";
    added.balance = 15;
    added.lastTransaction = 5;
    EXPECT_EQ(shop->AddCustomer(added), shop::code::kOk);
    Customer stored = shop->FindCustomer(12).value();
    EXPECT_EQ(stored.name, "NEW CUSTOMER");
    EXPECT_EQ(stored.balance, 15) << "an opening balance is taken";
    EXPECT_EQ(stored.lastTransaction, 0);
    EXPECT_EQ(stored.lastUsed, "NEW");
    EXPECT_EQ(stored.origination, "05/12/2026");
    EXPECT_EQ(shop->FetchNextCustomerNumber(), "13");
    EXPECT_EQ(shop->AddCustomer(added), 3) << "in use";
    added.number = 0;
    EXPECT_EQ(shop->AddCustomer(added), shop::code::kCustomerBadNumber);

    Customer amended = shop->FindCustomer(10).value();
    amended.town = "KINGSBRIDGE";
    amended.balance = 0;
    EXPECT_EQ(shop->AmendCustomer(amended), shop::code::kOk);
    EXPECT_EQ(shop->FindCustomer(10)->town, "KINGSBRIDGE");
    EXPECT_EQ(shop->FindCustomer(10)->balance, 100) << "the balance is the server's";
    amended.number = 77;
    EXPECT_EQ(shop->AmendCustomer(amended), 3) << "no longer exists";
    EXPECT_FALSE(shop->FindCustomer(77));
}

TEST_F(MiniShop, EverythingSurvivesARestart) {
    ASSERT_EQ(shop->CommitSale(Sale({1, 2, 2}, 10, "Credit")), 22);
    Customer added;
    added.number = 40;
    added.name = "ZOË O'BRIEN";  // UTF-8 here, as a seed file would hold it
    added.name = shop::text::Utf8ToAnsi(added.name);
    added.notes = "line one\r\nline two\twith tab; and \\ backslash ";
    ASSERT_EQ(shop->AddCustomer(added), 0);
    Customer amended = shop->FindCustomer(11).value();
    amended.email = "mark@example.com";
    ASSERT_EQ(shop->AmendCustomer(amended), 0);
    ASSERT_EQ(shop->CommitRefund(Refund({2}, 0)), 23);

    const Customer janeBefore = shop->FindCustomer(10).value();
    const Customer newBefore = shop->FindCustomer(40).value();
    ASSERT_NO_FATAL_FAILURE(Reopen());
    EXPECT_EQ(Stock(1), 1);
    EXPECT_EQ(Stock(2), 39);
    EXPECT_EQ(shop->FindCustomer(10), janeBefore);
    EXPECT_EQ(shop->FindCustomer(40), newBefore);
    EXPECT_EQ(shop->FindCustomer(40)->name, "ZO\xCB O'BRIEN");
    EXPECT_EQ(shop->FindCustomer(11)->email, "mark@example.com");
    EXPECT_EQ(shop->Config().TransactionNumber(), 3);
    EXPECT_EQ(shop->CommitSale(Sale({2})), 24) << "numbering goes on";

    std::vector<shop::store::JournalEntry> entries;
    std::size_t kept = 0;
    std::string error;
    ASSERT_TRUE(shop::store::ReadJournal(State("journal.txt"), entries, kept, error)) << error;
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].kind, shop::Kind::Sale);
    EXPECT_EQ(entries[1].kind, shop::Kind::Refund);
    EXPECT_EQ(entries[2].number, 3);
    EXPECT_EQ(entries[0].transaction.lines.size(), 3u);
    EXPECT_EQ(entries[0].transaction.paymentType, "Credit");
}

TEST_F(MiniShop, StaleSnapshotsAreCaughtUpFromTheJournal) {
    ASSERT_EQ(shop->CommitSale(Sale({2}, 10, "Credit")), 22);
    const std::string stock = shoptest::ReadFile(State("stock.txt"));
    const std::string customers = shoptest::ReadFile(State("customers.txt"));
    ASSERT_EQ(shop->CommitSale(Sale({2, 2}, 10, "Credit")), 23);
    // As if the server had stopped right after the journal write of the second sale.
    shoptest::WriteFile(State("stock.txt"), stock);
    shoptest::WriteFile(State("customers.txt"), customers);
    ASSERT_NO_FATAL_FAILURE(Reopen());
    EXPECT_EQ(Stock(2), 37);
    EXPECT_EQ(shop->FindCustomer(10)->balance, 136.0);
    EXPECT_EQ(shop->FindCustomer(10)->transactions, 2);

    // Without any snapshot the journal alone rebuilds the stock.
    fs::remove(State("stock.txt"));
    ASSERT_NO_FATAL_FAILURE(Reopen());
    EXPECT_EQ(Stock(2), 37);
}

TEST_F(MiniShop, UnfinishedJournalEntryIsDropped) {
    ASSERT_EQ(shop->CommitSale(Sale({2})), 22);
    const std::string complete = shoptest::ReadFile(State("journal.txt"));
    shop.reset();
    shoptest::WriteFile(State("journal.txt"), complete + "[sale 2]\nstamp = 09:3005/12/2026\ncustomer = 0\nline = 2;0");
    ASSERT_NO_FATAL_FAILURE(Reopen());
    EXPECT_EQ(Stock(2), 39) << "the cut entry is not applied";
    EXPECT_EQ(shoptest::ReadFile(State("journal.txt")), complete) << "and it is gone from the file";
    EXPECT_EQ(shop->CommitSale(Sale({2})), 23);
    ASSERT_NO_FATAL_FAILURE(Reopen());
    EXPECT_EQ(Stock(2), 38);
}

TEST_F(MiniShop, WriteFailuresRefuseTheChange) {
    fs::create_directories(State("journal.txt"));  // the journal cannot be opened for appending
    EXPECT_EQ(shop->CommitSale(Sale({2})), shop::code::kSaleJournalError);
    EXPECT_EQ(shop->CommitRefund(Refund({2})), shop::code::kRefundJournalError);
    EXPECT_EQ(Stock(2), 40);
    EXPECT_EQ(shop->NextTransactionNumber(), 1);

    fs::create_directories(State("customers.txt.tmp"));  // nor the customer file written
    Customer c;
    c.number = 50;
    c.name = "NOT STORED";
    EXPECT_EQ(shop->AddCustomer(c), shop::code::kCustomerFileError);
    EXPECT_FALSE(shop->FindCustomer(50));
    Customer mark = shop->FindCustomer(11).value();
    mark.name = "MARK LEES";
    EXPECT_EQ(shop->AmendCustomer(mark), shop::code::kCustomerFileError);
    EXPECT_EQ(shop->FindCustomer(11)->name, "MARK LEE");
}

TEST(ShopOpen, MissingOrBrokenSeedIsReported) {
    shoptest::ScratchDir dir;
    shoptest::WriteMiniSeed(dir.path());
    fs::remove(dir.path() / "customers.txt");
    std::string error;
    EXPECT_FALSE(Shop::Open(dir.path(), error, shoptest::FixedTime));
    EXPECT_NE(error.find("customers.txt"), std::string::npos) << error;

    shoptest::WriteMiniSeed(dir.path());
    shoptest::WriteFile(dir.path() / "items.txt", "[item 1]\ndescription = A\ncolour = red\n");
    EXPECT_FALSE(Shop::Open(dir.path(), error, shoptest::FixedTime));
    EXPECT_NE(error.find("line 3"), std::string::npos) << error;
}

TEST(DemoShop, OpensAndServesItsPictures) {
    shoptest::ScratchDir dir;
    shoptest::CopyDemo(dir.path());
    std::string error;
    auto shop = Shop::Open(dir.path(), error, shoptest::FixedTime);
    ASSERT_TRUE(shop) << error;

    // Every picture named on a button of any page can be fetched.
    shop::ButtonPage page = shop->FetchFirstButtonPage(PageRequest(shop::kAllCategories));
    int pictures = 0;
    for (int guard = 0; guard < 20; ++guard) {
        for (int i = 0; i < shop::kButtonsPerPage; ++i) {
            if (page.pictures[i].empty()) continue;
            auto size = fs::file_size(dir.path() / "pictures" / page.pictures[i]);
            EXPECT_EQ(shop->FetchPictureBlock(page.pictures[i], 0).count, static_cast<std::int32_t>(size))
                << page.pictures[i];
            ++pictures;
        }
        if (std::count(page.numbers.begin(), page.numbers.end(), 0) > 0) break;
        page = shop->FetchButtonPage(page);
    }
    EXPECT_GT(pictures, 50);
    EXPECT_EQ(shop->FetchPictureBlock("../shop.txt", 0).count, 0);
}

}  // namespace
