#include "link/wire_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <vector>

namespace {

using wire::Kind;
using wire::Member;
using wire::Table;

struct NamedTable {
    const char* name;
    const Table& table;
};

const NamedTable kComplexRecords[] = {
    {"InventoryItem", wire::kInventoryItem},
    {"CustomerRecord", wire::kCustomerRecord},
    {"TerminalConfig", wire::kTerminalConfig},
    {"TransactionRecord", wire::kTransactionRecord},
};

// true for each wire byte that belongs to a member, false for filler.
std::vector<bool> MemberBytes(const Table& t) {
    std::vector<bool> used(wire::WireSize(t), false);
    for (std::size_t i = 0; i < t.members.size(); ++i) {
        const std::size_t start = wire::WireOffset(t, i);
        for (std::size_t b = 0; b < wire::Width(t.members[i]); ++b) used.at(start + b) = true;
    }
    return used;
}

// --- The layout rules, on tables small enough to lay out by hand ------------------

TEST(WireLayoutRules, MembersAreAlignedToTheirElementsAndTheSizeToTheStrictest) {
    const Member members[] = {
        {0, Kind::Char, 3}, {3, Kind::Int32, 1}, {7, Kind::Byte, 1},
        {8, Kind::Double, 1}, {16, Kind::Int32, 2}, {24, Kind::Char, 5},
    };
    const Table t{members, 29};
    EXPECT_TRUE(wire::IsContiguous(t));
    const std::size_t expected[] = {0, 4, 8, 16, 24, 32};
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(wire::WireOffset(t, i), expected[i]) << i;
    EXPECT_EQ(wire::WireSize(t), 40u);  // 37 rounded up to the double's 8
    EXPECT_EQ(wire::WireOffsetOf(t, 8), 16u);
    EXPECT_EQ(wire::WireOffsetOf(t, 9), wire::kNoMember);

    const Member ints[] = {{0, Kind::Char, 1}, {1, Kind::Int32, 1}, {5, Kind::Char, 1}};
    EXPECT_EQ(wire::WireSize(Table{ints, 6}), 12u);  // 4-byte alignment at most
    const Member texts[] = {{0, Kind::Char, 3}, {3, Kind::Byte, 2}};
    EXPECT_EQ(wire::WireSize(Table{texts, 5}), 5u);  // nothing to align
    const Member hyper[] = {{0, Kind::Char, 1}, {1, Kind::Int64, 1}};
    EXPECT_EQ(wire::WireOffset(Table{hyper, 9}, 1), 8u);
}

TEST(WireLayoutRules, ConversionPlacesMembersAndZeroesFillerBetweenAndAtTheEnd) {
    const Member members[] = {
        {0, Kind::Char, 3}, {3, Kind::Int32, 1}, {7, Kind::Byte, 1},
        {8, Kind::Double, 1}, {16, Kind::Int32, 2}, {24, Kind::Char, 5},
    };
    const Table t{members, 29};
    std::vector<std::uint8_t> packedImage(29);
    for (std::size_t i = 0; i < packedImage.size(); ++i) packedImage[i] = static_cast<std::uint8_t>(i + 1);

    // {wire offset, packed offset, length} of each member, worked out by hand.
    const std::size_t runs[][3] = {{0, 0, 3}, {4, 3, 4}, {8, 7, 1}, {16, 8, 8}, {24, 16, 8}, {32, 24, 5}};
    std::vector<std::uint8_t> expected(40, 0);
    for (const auto& run : runs)
        for (std::size_t b = 0; b < run[2]; ++b) expected[run[0] + b] = packedImage[run[1] + b];

    std::vector<std::uint8_t> wireImage(40, 0xCC);
    wire::PackedToWire(t, packedImage.data(), wireImage.data());
    EXPECT_EQ(wireImage, expected);

    std::vector<std::uint8_t> back(29, 0);
    wire::WireToPacked(t, wireImage.data(), back.data());
    EXPECT_EQ(back, packedImage);
}

TEST(WireLayoutRules, ContiguityCheckRejectsGapsOverlapsEmptyMembersAndWrongTotals) {
    const Member gap[] = {{0, Kind::Char, 4}, {5, Kind::Int32, 1}};
    EXPECT_FALSE(wire::IsContiguous(Table{gap, 9}));
    const Member overlap[] = {{0, Kind::Char, 4}, {3, Kind::Int32, 1}};
    EXPECT_FALSE(wire::IsContiguous(Table{overlap, 7}));
    const Member empty[] = {{0, Kind::Char, 4}, {4, Kind::Double, 0}, {4, Kind::Char, 1}};
    EXPECT_FALSE(wire::IsContiguous(Table{empty, 5}));
    const Member fine[] = {{0, Kind::Char, 4}, {4, Kind::Double, 2}};
    EXPECT_TRUE(wire::IsContiguous(Table{fine, 20}));
    EXPECT_FALSE(wire::IsContiguous(Table{fine, 21}));
    EXPECT_FALSE(wire::IsContiguous(Table{fine, 19}));
}

// --- The four record tables ------------------------------------------------------

TEST(WireLayoutTables, EveryMemberIsNaturallyAlignedOnTheWire) {
    for (const NamedTable& r : kComplexRecords) {
        const Table& t = r.table;
        EXPECT_TRUE(wire::IsContiguous(t)) << r.name;
        for (std::size_t i = 0; i < t.members.size(); ++i) {
            EXPECT_EQ(wire::WireOffset(t, i) % wire::Alignment(t.members[i].kind), 0u) << r.name << " member " << i;
            if (i > 0) {  // filler is only ever what the alignment needs
                const std::size_t end = wire::WireOffset(t, i - 1) + wire::Width(t.members[i - 1]);
                EXPECT_LT(wire::WireOffset(t, i) - end, wire::Alignment(t.members[i].kind)) << r.name << " " << i;
            }
        }
        EXPECT_EQ(wire::WireSize(t) % 8, 0u) << r.name;
        EXPECT_LT(wire::WireSize(t) - (wire::WireOffset(t, t.members.size())), 8u) << r.name;
    }
}

// Worked out by hand from the member order: everything before the first int32 or
// int64/double is a run of texts, so the first aligned member shows the filler.
TEST(WireLayoutTables, KnownWireOffsetsOfTheComplexRecords) {
    // InventoryItem: texts end at 670, so InStock moves to 672; the int32s run 36 members
    // wide up to 816, where CostPrice needs no filler.
    EXPECT_EQ(wire::WireOffsetOf(wire::kInventoryItem, 670), 672u);
    EXPECT_EQ(wire::WireOffsetOf(wire::kInventoryItem, 814), 816u);
    // CustomerRecord: texts 8..652 leave Group aligned; the group shifts nothing.
    EXPECT_EQ(wire::WireOffsetOf(wire::kCustomerRecord, 652), 652u);
    EXPECT_EQ(wire::WireOffsetOf(wire::kCustomerRecord, 1006), 1008u);  // texts from 656 end at 1006
    // TerminalConfig: texts up to 516 keep the term codes aligned.
    EXPECT_EQ(wire::WireOffsetOf(wire::kTerminalConfig, 516), 516u);
    EXPECT_EQ(wire::WireOffsetOf(wire::kTerminalConfig, 3432), 3432u);
    // TransactionRecord: everything up to the totals is already aligned.
    EXPECT_EQ(wire::WireOffsetOf(wire::kTransactionRecord, 41632), 41632u);
    EXPECT_EQ(wire::WireOffsetOf(wire::kTransactionRecord, 42786), 42788u);
    // No member starts inside another.
    EXPECT_EQ(wire::WireOffsetOf(wire::kInventoryItem, 1), wire::kNoMember);
}

// The sizes of the IDL structures as the C compiler lays them out.
TEST(WireLayoutTables, WireSizesMatchTheInterfaceStructures) {
    EXPECT_EQ(wire::WireSize(wire::kInventoryItem), 2120u);
    EXPECT_EQ(wire::WireSize(wire::kCustomerRecord), 1248u);
    EXPECT_EQ(wire::WireSize(wire::kTerminalConfig), 14944u);
    EXPECT_EQ(wire::WireSize(wire::kTransactionRecord), 43408u);
}

// --- Conversion ------------------------------------------------------------------

// A packed image with no zero byte, so every copied byte can be told from filler.
std::vector<std::uint8_t> Pattern(std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(1 + (i * 7 + i / 251) % 255);
    return bytes;
}

TEST(WireConversion, PackedToWireKeepsEveryByteInOrderWithZeroFiller) {
    for (const NamedTable& r : kComplexRecords) {
        const Table& t = r.table;
        const std::vector<std::uint8_t> packed = Pattern(t.packedSize);
        std::vector<std::uint8_t> wireImage(wire::WireSize(t), 0xCC);
        wire::PackedToWire(t, packed.data(), wireImage.data());

        // Dropping the filler gives back the packed bytes in their order.
        std::vector<std::uint8_t> members;
        const std::vector<bool> used = MemberBytes(t);
        for (std::size_t i = 0; i < wireImage.size(); ++i) {
            if (used[i]) members.push_back(wireImage[i]);
            else EXPECT_EQ(wireImage[i], 0) << r.name << " filler at " << i;
        }
        EXPECT_EQ(members, packed) << r.name;

        std::vector<std::uint8_t> back(t.packedSize, 0);
        wire::WireToPacked(t, wireImage.data(), back.data());
        EXPECT_EQ(back, packed) << r.name;
    }
}

TEST(WireConversion, ReceivedFillerIsIgnored) {
    for (const NamedTable& r : kComplexRecords) {
        const Table& t = r.table;
        const std::vector<std::uint8_t> packed = Pattern(t.packedSize);
        std::vector<std::uint8_t> wireImage(wire::WireSize(t));
        wire::PackedToWire(t, packed.data(), wireImage.data());
        const std::vector<bool> used = MemberBytes(t);
        for (std::size_t i = 0; i < wireImage.size(); ++i)
            if (!used[i]) wireImage[i] = 0xFF;
        std::vector<std::uint8_t> back(t.packedSize, 0);
        wire::WireToPacked(t, wireImage.data(), back.data());
        EXPECT_EQ(back, packed) << r.name;
    }
}

TEST(WireConversion, TypedFieldsReadBackFromTheirWireOffsets) {
    InventoryItem item;
    item.SetNumber(std::numeric_limits<std::int64_t>::min());
    item.SetInStock(-7);
    item.SetPrice(12.34);
    item.SetKitFlag(2);
    item.SetNotes("fragile");
    std::vector<std::uint8_t> w(wire::WireSize(wire::kInventoryItem));
    wire::PackedToWire(wire::kInventoryItem, item.data(), w.data());
    EXPECT_EQ(packed::Load<std::int64_t>(w.data(), wire::WireOffsetOf(wire::kInventoryItem, item::kNumber)),
              std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(packed::Load<std::int32_t>(w.data(), wire::WireOffsetOf(wire::kInventoryItem, item::kInStock)), -7);
    EXPECT_EQ(packed::Load<double>(w.data(), wire::WireOffsetOf(wire::kInventoryItem, item::kPrice)), 12.34);
    EXPECT_EQ(packed::Load<std::int32_t>(w.data(), wire::WireOffsetOf(wire::kInventoryItem, item::kKitFlag)), 2);
    EXPECT_EQ(packed::LoadText(w.data(), wire::WireOffsetOf(wire::kInventoryItem, item::kNotes.offset), 80), "fragile");

    TerminalConfig config;
    config.SetServerName("SHOPSERVER");
    config.SetOption(59, -1);
    config.SetAmount(4, std::numeric_limits<double>::quiet_NaN());
    config.SetCurrentAssociate(100);
    std::vector<std::uint8_t> cw(wire::WireSize(wire::kTerminalConfig));
    wire::PackedToWire(wire::kTerminalConfig, config.data(), cw.data());
    TerminalConfig received;
    wire::WireToPacked(wire::kTerminalConfig, cw.data(), received.data());
    EXPECT_EQ(received.ServerName(), "SHOPSERVER");
    EXPECT_EQ(received.Option(59), -1);
    EXPECT_TRUE(std::isnan(received.Amount(4)));
    EXPECT_EQ(received.CurrentAssociate(), 100);
    EXPECT_EQ(received.bytes, config.bytes);

    TransactionRecord sale;
    sale.SetLineCount(400);
    sale.SetLineTotal(399, 9.99);
    sale.SetNote("last bytes");
    std::vector<std::uint8_t> tw(wire::WireSize(wire::kTransactionRecord));
    wire::PackedToWire(wire::kTransactionRecord, sale.data(), tw.data());
    EXPECT_EQ(packed::Load<double>(tw.data(), wire::WireOffsetOf(wire::kTransactionRecord, txn::kLineTotal) + 399 * 8),
              9.99);
    TransactionRecord back;
    wire::WireToPacked(wire::kTransactionRecord, tw.data(), back.data());
    EXPECT_EQ(back.bytes, sale.bytes);
}

// Random received images, each in a buffer of exactly its size so that any access
// past either end is caught by the address sanitizer.
TEST(WireConversion, RandomWireImagesNeverOverrunAndKeepEveryMemberByte) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    for (const NamedTable& r : kComplexRecords) {
        const Table& t = r.table;
        const std::vector<bool> used = MemberBytes(t);
        for (int round = 0; round < 40; ++round) {
            std::vector<std::uint8_t> received(wire::WireSize(t));
            for (auto& b : received) b = static_cast<std::uint8_t>(byte(random));
            auto packedImage = std::make_unique<std::uint8_t[]>(t.packedSize);
            wire::WireToPacked(t, received.data(), packedImage.get());
            std::vector<std::uint8_t> sent(wire::WireSize(t));
            wire::PackedToWire(t, packedImage.get(), sent.data());
            for (std::size_t i = 0; i < sent.size(); ++i) {
                ASSERT_EQ(sent[i], used[i] ? received[i] : 0) << r.name << " round " << round << " byte " << i;
            }
        }
    }
}

}  // namespace
