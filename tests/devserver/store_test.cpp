#include "shop/store.h"

#include <gtest/gtest.h>

#include "shop_test_support.h"

namespace {

namespace fs = std::filesystem;
using shop::store::JournalEntry;

JournalEntry SampleEntry(std::int64_t number, shop::Kind kind) {
    JournalEntry e;
    e.kind = kind;
    e.number = number;
    e.stamp = "09:3005/12/2026";
    shop::Transaction& t = e.transaction;
    t.number = number;
    t.customer = 1002;
    t.associate = 3;
    t.paymentType = kind == shop::Kind::Sale ? "Split" : "Refund";
    t.refundMethod = kind == shop::Kind::Sale ? 0 : 2;
    t.refundStockFlag = kind == shop::Kind::Sale ? 0 : 1;
    t.time = "09:30";
    t.date = "Sat 5 Dec 26";
    t.customerName = "BRIGHTWATER SAILING CLUB";
    t.computerName = "TILL-1";
    t.note = " deliver; after 5pm\r\nback door ";
    t.total = 23.97;
    t.tax1Total = 3.99;
    t.cash = 10;
    t.eft = 13.97;
    t.lines.push_back({2701, "Rioja Reserva 75cl", 0, 9.16, 1.83, 0, 5.2, 0, 10.99});
    t.lines.push_back({0, "Hot food; pasty \xE9", 3.5, 0, 0, 0, 0, 0.5, 3.0});
    t.lines.push_back({2601, " ", 0, 0.83, 0.17, 0, 0.35, 0, 1.0});
    return e;
}

TEST(Journal, EntriesReadBackEqual) {
    shoptest::ScratchDir dir;
    const fs::path journal = dir.path() / "journal.txt";
    const JournalEntry sale = SampleEntry(1, shop::Kind::Sale);
    const JournalEntry refund = SampleEntry(2, shop::Kind::Refund);
    ASSERT_TRUE(shop::store::AppendDurably(journal, shop::store::FormatJournalEntry(sale)));
    ASSERT_TRUE(shop::store::AppendDurably(journal, shop::store::FormatJournalEntry(refund)));

    std::vector<JournalEntry> entries;
    std::size_t kept = 0;
    std::string error;
    ASSERT_TRUE(shop::store::ReadJournal(journal, entries, kept, error)) << error;
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0], sale);
    EXPECT_EQ(entries[1], refund);
    EXPECT_EQ(kept, fs::file_size(journal));
}

TEST(Journal, MissingFileIsEmpty) {
    shoptest::ScratchDir dir;
    std::vector<JournalEntry> entries{SampleEntry(1, shop::Kind::Sale)};
    std::size_t kept = 99;
    std::string error;
    ASSERT_TRUE(shop::store::ReadJournal(dir.path() / "none.txt", entries, kept, error)) << error;
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(kept, 0u);
}

TEST(Journal, AnEntryCutShortAnywhereIsDropped) {
    shoptest::ScratchDir dir;
    const fs::path journal = dir.path() / "journal.txt";
    const std::string first = shop::store::FormatJournalEntry(SampleEntry(1, shop::Kind::Sale));
    const std::string second = shop::store::FormatJournalEntry(SampleEntry(2, shop::Kind::Refund));
    // Every cut of the second entry, up to but not including its final line feed.
    for (std::size_t cut = 0; cut < second.size(); ++cut) {
        shoptest::WriteFile(journal, first + second.substr(0, cut));
        std::vector<JournalEntry> entries;
        std::size_t kept = 0;
        std::string error;
        ASSERT_TRUE(shop::store::ReadJournal(journal, entries, kept, error)) << "cut " << cut << ": " << error;
        ASSERT_EQ(entries.size(), 1u) << "cut " << cut;
        EXPECT_EQ(kept, first.size()) << "cut " << cut;
    }
}

TEST(Journal, DamageInsideCompleteEntriesIsAnError) {
    shoptest::ScratchDir dir;
    const fs::path journal = dir.path() / "journal.txt";
    std::string text = shop::store::FormatJournalEntry(SampleEntry(1, shop::Kind::Sale));
    std::vector<JournalEntry> entries;
    std::size_t kept = 0;
    std::string error;

    shoptest::WriteFile(journal, "[sale 1]\ntotal = lots\n[end 1]\n");
    EXPECT_FALSE(shop::store::ReadJournal(journal, entries, kept, error));
    EXPECT_NE(error.find("total"), std::string::npos) << error;

    shoptest::WriteFile(journal, "[sale 1]\n[end 2]\n");
    EXPECT_FALSE(shop::store::ReadJournal(journal, entries, kept, error)) << "mismatched end";

    shoptest::WriteFile(journal, "[sale 1]\nline = 5;1;2\n[end 1]\n");
    EXPECT_FALSE(shop::store::ReadJournal(journal, entries, kept, error)) << "short line";
}

TEST(Snapshots, StockAndCustomersReadBack) {
    shoptest::ScratchDir dir;
    shop::Inventory items = shoptest::InventoryOf(
        {shoptest::MakeItem(1, "a", 0, {}, 5), shoptest::MakeItem(2, "b", 0, {}, -3), shoptest::MakeItem(9, "c", 0, {}, 0)});
    ASSERT_TRUE(shop::store::WriteFileAtomically(dir.path() / "stock.txt", shop::store::FormatStock(items, 41)));
    std::map<std::int64_t, std::int32_t> levels;
    std::int64_t through = 0;
    std::string error;
    ASSERT_TRUE(shop::store::ReadStock(dir.path() / "stock.txt", levels, through, error)) << error;
    EXPECT_EQ(through, 41);
    EXPECT_EQ(levels, (std::map<std::int64_t, std::int32_t>{{1, 5}, {2, -3}, {9, 0}}));
    EXPECT_FALSE(fs::exists(dir.path() / "stock.txt.tmp")) << "the temporary file is renamed away";

    shop::CustomerBook book;
    shop::Customer c;
    c.number = 7;
    c.name = "A";
    c.balance = 12.25;
    book.emplace(7, c);
    c.number = 8;
    c.notes = "x\ny";
    book.emplace(8, c);
    ASSERT_TRUE(shop::store::WriteFileAtomically(dir.path() / "c.txt", shop::store::FormatCustomers(book, 3)));
    shop::CustomerBook back;
    bool found = false;
    ASSERT_TRUE(shop::store::ReadCustomers(dir.path() / "c.txt", back, through, found, error)) << error;
    EXPECT_TRUE(found);
    EXPECT_EQ(through, 3);
    EXPECT_EQ(back, book);

    shop::CustomerBook untouched = book;
    ASSERT_TRUE(shop::store::ReadCustomers(dir.path() / "none.txt", untouched, through, found, error));
    EXPECT_FALSE(found);
    EXPECT_EQ(untouched, book);
}

TEST(Snapshots, RewriteReplacesTheWholeFile) {
    shoptest::ScratchDir dir;
    const fs::path path = dir.path() / "state.txt";
    ASSERT_TRUE(shop::store::WriteFileAtomically(path, std::string(5000, 'a')));
    ASSERT_TRUE(shop::store::WriteFileAtomically(path, "short"));
    EXPECT_EQ(shoptest::ReadFile(path), "short");
    EXPECT_FALSE(shop::store::WriteFileAtomically(dir.path() / "missing" / "x.txt", "x"));
}

}  // namespace
