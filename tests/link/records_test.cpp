// Layouts are checked by static_asserts, accessors by the round trips of tests/devserver/record_bridge_test.cpp.
#include "link/records.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "link/label_table.h"

namespace {

TEST(RecordTexts, StoredCutToWidthLessOneAndZeroFilledReadWithoutTerminator) {
    struct Row { std::size_t width; std::string text, stored; const char* why; };
    const Row rows[] = {
        {8, "", "", "empty: the whole field zeroed"}, {8, "Ab 1", "Ab 1", "short"},
        {8, "1234567", "1234567", "width - 1 fits"}, {8, "12345678", "1234567", "as long as the field: cut"},
        {8, "123456789ABC", "1234567", "overlong"}, {1, "x", "", "a one-byte field holds only the terminator"},
    };
    for (const Row& row : rows) {
        PackedRecord<20> r;
        r.bytes.fill(0xEE);
        r.SetText({6, row.width}, row.text);
        std::string expected = std::string(6, '\xEE') + row.stored;
        expected.resize(6 + row.width, '\0'), expected.resize(20, '\xEE');
        EXPECT_EQ(std::string(r.bytes.begin(), r.bytes.end()), expected) << row.why;
        EXPECT_EQ(r.Text({6, row.width}), row.stored) << row.why;
    }
    PackedRecord<20> unterminated;
    unterminated.bytes.fill('z');
    EXPECT_EQ(unterminated.Text({6, 8}), std::string(8, 'z')) << "read up to the width, never past it";
}

TEST(RecordTexts, BoundedCopyIsAlwaysTerminated) {
    struct Row { std::size_t bufferSize, inWidth; const char* in; std::string out; const char* why; };
    const Row rows[] = {
        {10, 8, "zzzzzzzzzz", "zzzzzzzz", "no terminator: up to the width"}, {10, 8, "ab\0zzzzzzz", "ab", "terminated"},
        {5, 8, "zzzzzzzzzz", "zzzz", "a small buffer takes bufferSize - 1"}, {1, 8, "zz", "", "only the terminator"},
    };
    for (const Row& row : rows) {
        char out[12] = "xxxxxxxxxxx";
        packed::CopyBounded(out, row.bufferSize, row.in, row.inWidth);
        EXPECT_EQ(std::string(out, row.out.size() + 1), row.out + '\0') << row.why;
        EXPECT_EQ(out[row.bufferSize], 'x') << row.why << ": nothing past the buffer";
    }
    char untouched = 'x';
    packed::CopyBounded(&untouched, 0, "abc", 3);
    EXPECT_EQ(untouched, 'x');
}

// Numbered fields: outside first..last they read as zero or empty and store nothing; at both ends they work.
template <typename R, typename Set, typename Get, typename V>
void ExpectRange(const char* name, int first, int last, Set set, Get get, V value) {
    for (int i : {INT_MIN, first - 1, first, last, last + 1, INT_MAX}) {
        R r;
        std::memset(r.data(), 'z', sizeof r.bytes);
        const R before = r;
        (r.*set)(i, value);
        const auto read = (r.*get)(i);
        const bool inRange = i >= first && i <= last;
        EXPECT_EQ(std::pair(r.bytes != before.bytes, read == value), std::pair(inRange, inRange)) << name << " " << i;
        EXPECT_TRUE(inRange || read == decltype(read){}) << name << " " << i << " reads as zero or empty";
    }
}

TEST(RecordIndexes, OutsideTheirRangeNeitherReadNorStored) {
    using I = InventoryItem;
    using T = TransactionRecord;
    using B = ButtonPage;
    const std::string text = "1001";
    ExpectRange<I>("Sku", 1, 4, &I::SetSku, &I::Sku, text);
    ExpectRange<I>("KitComponent", 1, 6, &I::SetKitComponent, &I::KitComponent, text);
    ExpectRange<I>("KitEntryMode", 1, 6, &I::SetKitEntryMode, &I::KitEntryMode, std::int32_t{2});
    ExpectRange<I>("KitQuantity", 1, 6, &I::SetKitQuantity, &I::KitQuantity, std::int32_t{3});
    ExpectRange<T>("LineItemNumber", 0, 399, &T::SetLineItemNumber, &T::LineItemNumber, std::int64_t{5});
    ExpectRange<T>("LineDescription", 0, 399, &T::SetLineDescription, &T::LineDescription, text);
    ExpectRange<T>("LineTotal", 0, 399, &T::SetLineTotal, &T::LineTotal, 1.5);
    ExpectRange<B>("ItemNumber", 0, 7, &B::SetItemNumber, &B::ItemNumber, std::int64_t{9});
    ExpectRange<B>("Caption", 0, 7, &B::SetCaption, &B::Caption, text);
    ExpectRange<B>("PictureName", 0, 7, &B::SetPictureName, &B::PictureName, text);
    ExpectRange<LabelTable>("LabelTable entry", 0, 37, &LabelTable::SetEntry, &LabelTable::Entry, text);
}

TEST(LabelTables, FetchedTableReplacesEntriesZeroToThirtyFiveOnly) {
    LabelTable working = DefaultLabelTable();
    working.SetEntry(36, "kept");
    LabelTable fetched;
    fetched.bytes.fill('w');
    TakeFetchedLabels(working, fetched);
    EXPECT_EQ(working.Entry(0) + "|" + working.Entry(35) + "|" + working.Entry(36),
              std::string(80, 'w') + "|" + std::string(80, 'w') + "|kept") << "read up to 80 without terminators";
}

}  // namespace
