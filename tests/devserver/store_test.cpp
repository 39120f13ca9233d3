// The snapshots' round trips, rewrites and write failures are in shop_test.cpp, through the shop.
#include "shop/store.h"

#include <gtest/gtest.h>

#include "shop_test_support.h"

namespace {

namespace fs = std::filesystem;
using shop::store::JournalEntry;

struct Journal { bool ok; std::vector<JournalEntry> entries; std::size_t kept = 0; std::string error; };

Journal Read(const fs::path& path) {
    Journal j;
    j.ok = shop::store::ReadJournal(path, j.entries, j.kept, j.error);
    return j;
}

TEST(Journal, CompleteEntriesReadBackEqualAndACutEntryIsDropped) {
    shoptest::ScratchDir dir;
    const fs::path path = dir.path() / "journal.txt";
    JournalEntry sale{shop::Kind::Sale, 1, "09:3005/12/2026", shoptest::Lines({2701, 0, -2601}, 1002, "Split"), 57};
    sale.transaction.note = " deliver; after 5pm\r\nback door \\ ";
    sale.transaction.lines[1].description = "Hot food; pasty \xE9";
    sale.transaction.lines[2].nonTaxable = 0.83;
    JournalEntry refund{shop::Kind::Refund, 2, "09:3105/12/2026", shoptest::Lines({2701}, 0, "Refund", 2, 1)};
    const std::string first = shop::store::FormatJournalEntry(sale);
    const std::string second = shop::store::FormatJournalEntry(refund);
    ASSERT_TRUE(shop::store::AppendDurably(path, first) && shop::store::AppendDurably(path, second));
    const Journal both = Read(path);
    ASSERT_TRUE(both.ok) << both.error;
    EXPECT_EQ(both.entries, (std::vector<JournalEntry>{sale, refund}));
    EXPECT_EQ(both.kept, fs::file_size(path));

    for (std::size_t cut = 0; cut < second.size(); ++cut) {  // up to but not including its last line feed
        shoptest::WriteFile(path, first + second.substr(0, cut));
        const Journal j = Read(path);
        ASSERT_TRUE(j.ok) << "cut " << cut << ": " << j.error;
        ASSERT_EQ(j.entries, std::vector<JournalEntry>{sale}) << "cut " << cut;
        EXPECT_EQ(j.kept, first.size()) << "cut " << cut;
    }
}

TEST(Journal, DamageInsideCompleteEntriesIsAnError) {
    const std::pair<const char*, const char*> rows[] = {  // {the journal, what its error names}
        {"[sale 1]\ntotal = lots\n[end 1]\n", "line 2 (total): not a number"},
        {"[sale x]\n[end x]\n", "line 1: expected [sale N] or [refund N] ... [end N]"},
        {"[sale 1]\nline = 5;1;2\n[end 1]\n", "line 2 (line): expected eight numbers and a description"},
        {"[sale 1]\nline = 5;1;2;3;4;5;6;x;d\n[end 1]\n", "line 2 (line): bad amount"},
        {"[sale 1]\ncolour = red\n[end 1]\n", "line 2 (colour): unknown key"},
        {"[sale 1]\nline = x;1;2;3;4;5;6;7;d\n[end 1]\n", "line 2 (line): bad item number"},
        {"[sale 1]\nno value\n[end 1]\n", "line 2: expected 'key = value'"},
    };
    shoptest::ScratchDir dir;
    for (const auto& [text, mentions] : rows) {
        shoptest::WriteFile(dir.path() / "journal.txt", text);
        const Journal j = Read(dir.path() / "journal.txt");
        EXPECT_FALSE(j.ok) << text;
        EXPECT_NE(j.error.find(mentions), std::string::npos) << text << " gave: " << j.error;
    }
}

}  // namespace
