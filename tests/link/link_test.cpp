// Layouts are checked by static_asserts: the packed ones in records.h, the wire offsets and
// sizes against the IDL by wire_check.cpp; every field goes across and back in the round
// trips of tests/devserver/record_bridge_test.cpp. Here, the rules.
#include "link/records.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "link/label_table.h"
#include "link/server_name.h"
#include "link/wire_layout.h"

namespace {

TEST(RecordTexts, StoredCutToWidthLessOneAndZeroFilledReadWithoutTerminator) {
    struct Row { std::size_t width; std::string text, stored; const char* why; };
    const Row rows[] = {
        {8, "", "", "empty: the whole field zeroed"}, {8, "Ab 1", "Ab 1", "short"},
        {8, "1234567", "1234567", "width - 1 fits"}, {8, "12345678", "1234567", "as long as the field: cut"},
        {1, "x", "", "a one-byte field holds only the terminator"},
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

using namespace wire;
using Bytes = std::vector<std::uint8_t>;

// A packed image with no zero byte, so that every copied byte can be told from filler.
Bytes Pattern(std::size_t size) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(1 + (i * 7 + i / 251) % 255);
    return bytes;
}

// Worked out by hand: each member on its element's boundary, the size on the strictest.
TEST(WireLayoutRules, SmallTableLaidOutAndConvertedByHand) {
    const Member members[] = {{0, Kind::Char, 3}, {3, Kind::Int32, 1}, {7, Kind::Byte, 1},
                              {8, Kind::Double, 1}, {16, Kind::Int32, 2}, {24, Kind::Char, 5}};
    const Table t{members, 29};
    // {wire offset, packed offset, length} of each member.
    const std::size_t runs[][3] = {{0, 0, 3}, {4, 3, 4}, {8, 7, 1}, {16, 8, 8}, {24, 16, 8}, {32, 24, 5}};
    // The offsets and sizes of the real tables are checked against the IDL by wire_check.cpp.
    EXPECT_EQ(WireOffsetOf(t, 9), kNoMember) << "no member starts there";

    const Bytes packed = Pattern(29);
    Bytes expected(40, 0);
    for (const auto& run : runs)
        for (std::size_t b = 0; b < run[2]; ++b) expected[run[0] + b] = packed[run[1] + b];
    Bytes image(40, 0xCC);  // 37 rounded up to the double's 8
    PackedToWire(t, packed.data(), image.data());
    EXPECT_EQ(image, expected) << "filler zeroed between the members and at the end";
    for (std::size_t filler : {3, 9, 15, 37, 39}) image[filler] = 0xFF;  // what a sender might leave there
    Bytes back(29, 0);
    WireToPacked(t, image.data(), back.data());
    EXPECT_EQ(back, packed) << "filler ignored when received";
}

TEST(WireLayoutRules, ContiguityCheckRejectsGapsOverlapsEmptyMembersAndWrongTotals) {
    struct Row { std::vector<Member> members; std::size_t packedSize; bool contiguous; const char* why; };
    const Row rows[] = {
        {{{0, Kind::Char, 4}, {4, Kind::Double, 2}}, 20, true, "members end to end"},
        {{{0, Kind::Char, 4}, {4, Kind::Double, 2}}, 21, false, "a total past the members"},
        {{{0, Kind::Char, 4}, {4, Kind::Double, 2}}, 19, false, "a total short of the members"},
        {{{0, Kind::Char, 4}, {5, Kind::Int32, 1}}, 9, false, "a gap"},
        {{{0, Kind::Char, 4}, {3, Kind::Int32, 1}}, 7, false, "an overlap"},
        {{{0, Kind::Char, 4}, {4, Kind::Double, 0}, {4, Kind::Char, 1}}, 5, false, "an empty member"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(IsContiguous(Table{row.members, row.packedSize}), row.contiguous) << row.why;
}

TEST(ServerName, ProposesTheConfiguredNameElseThisComputerAndRefusesWhatWouldChangeTheBinding) {
    EXPECT_EQ(ProposedServerName("", "TILL2") + "|" + ProposedServerName("BACKOFFICE", "TILL2"), "TILL2|BACKOFFICE");
    const char* kTooLong = "The server computer name can have at most 19 characters.";
    const char* kNotAName = "Type the server computer name only, without \\, /, : or spaces.";
    struct Row { std::string typed; const char* refusal; const char* why; };
    const Row rows[] = {
        {"", nullptr, "empty: this computer"}, {std::string(19, 'A'), nullptr, "19 characters"},
        {std::string(20, 'A'), kTooLong, "20 characters"}, {"\\\\SERVER", kNotAName, "a UNC path"},
        {"SERVER/1", kNotAName, "a slash"}, {"SERVER:1", kNotAName, "an address with a port"},
        {"BACK OFFICE", kNotAName, "a blank"},
    };
    for (const Row& row : rows) {
        const char* refusal = RefuseServerName(row.typed);
        EXPECT_EQ(std::string(refusal ? refusal : "accepted"), row.refusal ? row.refusal : "accepted") << row.why;
    }
    EXPECT_EQ(BindingServerName(std::string(25, 'B')), std::string(19, 'B'));
    EXPECT_EQ(BindingServerName("SHOP"), "SHOP");
}

}  // namespace
