#include "printing/code39.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "printing/receipt_layout.h"

namespace {

using print::Code39Pattern;
using print::Code39Symbol;

TEST(Code39, PatternsOfTheDigitsAndTheStartCharacter) {
    EXPECT_EQ(Code39Pattern('0'), "101001101101");
    EXPECT_EQ(Code39Pattern('1'), "110100101011");
    EXPECT_EQ(Code39Pattern('2'), "101100101011");
    EXPECT_EQ(Code39Pattern('3'), "110110010101");
    EXPECT_EQ(Code39Pattern('4'), "101001101011");
    EXPECT_EQ(Code39Pattern('5'), "110100110101");
    EXPECT_EQ(Code39Pattern('6'), "101100110101");
    EXPECT_EQ(Code39Pattern('7'), "101001011011");
    EXPECT_EQ(Code39Pattern('8'), "110100101101");
    EXPECT_EQ(Code39Pattern('9'), "101100101101");
    EXPECT_EQ(Code39Pattern('*'), "100101101101");
}

// Every character is five bars and four spaces, three of the nine elements wide, and
// exactly one of the wide ones a space; no two characters share a pattern.
TEST(Code39, EveryPatternHasTheSymbologysShape) {
    std::set<std::string> seen;
    for (char c : std::string("0123456789*")) {
        const std::string p = Code39Pattern(c);
        ASSERT_EQ(p.size(), static_cast<std::size_t>(print::kCode39CharacterModules)) << c;
        EXPECT_EQ(p.front(), '1') << c;
        EXPECT_EQ(p.back(), '1') << c;
        int bars = 0, spaces = 0, wideBars = 0, wideSpaces = 0;
        for (std::size_t i = 0; i < p.size();) {
            std::size_t j = i;
            while (j < p.size() && p[j] == p[i]) ++j;
            const std::size_t width = j - i;
            ASSERT_TRUE(width == 1 || width == 2) << c;
            if (p[i] == '1') {
                ++bars;
                wideBars += width == 2;
            } else {
                ++spaces;
                wideSpaces += width == 2;
            }
            i = j;
        }
        EXPECT_EQ(bars, 5) << c;
        EXPECT_EQ(spaces, 4) << c;
        EXPECT_EQ(wideBars, 2) << c;
        EXPECT_EQ(wideSpaces, 1) << c;
        EXPECT_TRUE(seen.insert(p).second) << c;
    }
}

TEST(Code39, OtherCharactersHaveNoPattern) {
    EXPECT_EQ(Code39Pattern('A'), "");
    EXPECT_EQ(Code39Pattern('-'), "");
    EXPECT_EQ(Code39Pattern(' '), "");
    EXPECT_EQ(Code39Pattern('\0'), "");
}

TEST(Code39, SymbolFramesTheDigitsWithStartAndStopAndOneGapEach) {
    EXPECT_EQ(Code39Symbol("0007"),
              "1001011011010"   // *
              "1010011011010"   // 0
              "1010011011010"   // 0
              "1010011011010"   // 0
              "1010010110110"   // 7
              "1001011011010"); // *
    EXPECT_EQ(Code39Symbol("").size(), 2u * print::kCode39CharacterPitch);
    EXPECT_EQ(Code39Symbol("12345").size(), 7u * print::kCode39CharacterPitch);
    EXPECT_EQ(Code39Symbol("12345").substr(13 * 3, 13), "1101100101010");  // the '3'
}

TEST(Code39, SymbolOfAnythingButDigitsIsEmpty) {
    EXPECT_EQ(Code39Symbol("12A4"), "");
    EXPECT_EQ(Code39Symbol("-5"), "");
    EXPECT_EQ(Code39Symbol("1*2"), "");
}

TEST(Code39, BarcodeDigitsPadToFourDigits) {
    EXPECT_EQ(print::BarcodeDigits(7), "0007");
    EXPECT_EQ(print::BarcodeDigits(42), "0042");
    EXPECT_EQ(print::BarcodeDigits(815), "0815");
    EXPECT_EQ(print::BarcodeDigits(1234), "1234");
    EXPECT_EQ(print::BarcodeDigits(54321), "54321");
    EXPECT_EQ(print::BarcodeDigits(0), "0000");
    EXPECT_EQ(print::BarcodeDigits(-3), "");
    EXPECT_EQ(Code39Symbol(print::BarcodeDigits(54321)).size(), 7u * print::kCode39CharacterPitch);
}

}  // namespace
