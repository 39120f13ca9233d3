// wire_check.cpp checks the four records' wire offsets against the IDL at compile time, and
// tests/devserver/record_bridge_test.cpp sends every field of each across; here, the rules.
#include "link/wire_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

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
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(WireOffset(t, i), runs[i][0]) << "member " << i;
    EXPECT_EQ(WireSize(t), 40u) << "37 rounded up to the double's 8";
    EXPECT_EQ(WireOffsetOf(t, 8), 16u);
    EXPECT_EQ(WireOffsetOf(t, 9), kNoMember) << "no member starts there";

    const Bytes packed = Pattern(29);
    Bytes expected(40, 0);
    for (const auto& run : runs)
        for (std::size_t b = 0; b < run[2]; ++b) expected[run[0] + b] = packed[run[1] + b];
    Bytes image(40, 0xCC);
    PackedToWire(t, packed.data(), image.data());
    EXPECT_EQ(image, expected) << "filler zeroed between the members and at the end";
    for (std::size_t filler : {3, 9, 15, 37, 39}) image[filler] = 0xFF;  // what a sender might leave there
    Bytes back(29, 0);
    WireToPacked(t, image.data(), back.data());
    EXPECT_EQ(back, packed) << "filler ignored when received";

    struct Row { std::vector<Member> members; std::size_t packedSize, wireSize; const char* why; };
    const Row sizes[] = {{{{0, Kind::Char, 1}, {1, Kind::Int32, 1}, {5, Kind::Char, 1}}, 6, 12, "rounded to 4 at most"},
                         {{{0, Kind::Char, 3}, {3, Kind::Byte, 2}}, 5, 5, "nothing to align"},
                         {{{0, Kind::Char, 1}, {1, Kind::Int64, 1}}, 9, 16, "a hyper on 8"}};
    for (const Row& row : sizes) EXPECT_EQ(WireSize(Table{row.members, row.packedSize}), row.wireSize) << row.why;
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

}  // namespace
