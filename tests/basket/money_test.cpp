#include "basket/money.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace {

struct FormatCase {
    double value;
    int decimals;
    const char* text;
};

TEST(MoneyFormatFixed, RoundsTheSeventeenDigitExpansionHalfAwayFromZero) {
    const FormatCase cases[] = {
        {0.125, 2, "0.13"},       // exact tie: away from zero (printf on glibc gives 0.12)
        {0.375, 2, "0.38"},       // exact tie with an odd neighbour
        {2.675, 2, "2.67"},       // stored as 2.67499999999999982...
        {1.005, 2, "1.00"},       // stored as 1.00499999999999989...
        {1.015, 2, "1.01"},       // stored as 1.01499999999999990...: 17 digits 1.0149999999999999
        {0.3, 2, "0.30"},
        {0.1 + 0.2, 2, "0.30"},
        {0.0, 2, "0.00"},
        {9.995, 2, "9.99"},       // 9.99499999999999957...
        {9.996, 2, "10.00"},      // carry into a new integer digit
        {99.999, 2, "100.00"},
        {0.5, 0, "1"},
        {2.5, 0, "3"},
        {1234.5, 0, "1235"},
        {1.0005, 3, "1.000"},     // 1.000499999999999945...
        {0.0625, 3, "0.063"},     // exact tie at three decimals
        {2.675, 3, "2.675"},
        {12.3456, 3, "12.346"},
        {0.001, 3, "0.001"},
        {7, 3, "7.000"},
        {1e-7, 2, "0.00"},
        {0.004999, 2, "0.00"},
        {0.005, 2, "0.01"},       // 0.005000000000000000104...
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatFixed(c.value, c.decimals), c.text) << c.value << " with " << c.decimals;
    }
}

TEST(MoneyFormatFixed, NegativeValuesMirrorPositiveOnes) {
    EXPECT_EQ(FormatMoney(-0.125), "-0.13");
    EXPECT_EQ(FormatMoney(-2.675), "-2.67");
    EXPECT_EQ(FormatMoney(-9.996), "-10.00");
    EXPECT_EQ(FormatWeight(-0.0625), "-0.063");
    // Values that round to zero have no sign, -0.0 included.
    EXPECT_EQ(FormatMoney(-0.001), "0.00");
    EXPECT_EQ(FormatMoney(-0.0), "0.00");
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> any(0.005, 1e6);
    for (int i = 0; i < 2000; ++i) {
        double v = any(rng);
        EXPECT_EQ(FormatMoney(-v), "-" + FormatMoney(v)) << v;
    }
}

TEST(MoneyFormatFixed, KeepsOnlySeventeenSignificantDigitsOfHugeValues) {
    EXPECT_EQ(FormatMoney(1e15), "1000000000000000.00");
    EXPECT_EQ(FormatMoney(123456789012.345), "123456789012.35");  // 123456789012.34500122...
    // 2^60 = 1152921504606846976: the digits past the seventeenth are rounded away.
    EXPECT_EQ(FormatMoney(std::ldexp(1.0, 60)), "1152921504606847000.00");
    std::string max = FormatMoney(std::numeric_limits<double>::max());
    EXPECT_EQ(max.size(), 309u + 3u);
    EXPECT_EQ(max.substr(0, 17), "17976931348623157");
    EXPECT_EQ(max.find_first_not_of('0', 17), max.size() - 3);
    EXPECT_EQ(max.substr(max.size() - 3), ".00");
    EXPECT_EQ(FormatMoney(std::numeric_limits<double>::denorm_min()), "0.00");
}

TEST(MoneyFormatFixed, NonFiniteValuesAndOutOfRangeDecimals) {
    EXPECT_EQ(FormatMoney(std::numeric_limits<double>::quiet_NaN()), "nan");
    EXPECT_EQ(FormatMoney(std::numeric_limits<double>::infinity()), "inf");
    EXPECT_EQ(FormatWeight(-std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_EQ(FormatFixed(1.5, -3), "2");
    EXPECT_EQ(FormatFixed(0.1, 40), "0.100000000");  // clamped to nine decimals
}

// Away from decimal ties the rule gives what a correctly rounding printf gives;
// glibc's printf rounds exactly, so it serves as the reference there.
TEST(MoneyFormatFixed, AgreesWithExactPrintfAwayFromTies) {
    std::mt19937_64 rng(12345);
    std::uniform_int_distribution<std::int64_t> cents(-10000000, 10000000);
    std::uniform_real_distribution<double> noise(-0.0049, 0.0049);
    std::uniform_real_distribution<double> scale(-9, 9);
    for (int i = 0; i < 20000; ++i) {
        double v = (i % 2 == 0) ? static_cast<double>(cents(rng)) / 100 + noise(rng)
                                : std::pow(10.0, scale(rng)) * (i % 4 == 1 ? 1 : -1);
        for (int decimals : {2, 3}) {
            char exact[64];
            std::snprintf(exact, sizeof exact, "%.*e", 30, v);
            char reference[400];
            std::snprintf(reference, sizeof reference, "%.*f", decimals, v);
            // Skip values within a hair of a tie at the kept decimal.
            char wide[400];
            std::snprintf(wide, sizeof wide, "%.*f", decimals + 12, std::fabs(v));
            std::string tail = std::string(wide).substr(std::string(wide).size() - 12);
            if (tail.rfind("499999", 0) == 0 || tail.rfind("500000", 0) == 0) continue;
            std::string expected = reference;
            if (expected.rfind("-", 0) == 0 && expected.find_first_not_of("-0.") == std::string::npos) {
                expected.erase(0, 1);
            }
            EXPECT_EQ(FormatFixed(v, decimals), expected) << exact;
        }
    }
}

TEST(MoneyRoundMoney, ReadsTheTwoDecimalTextBack) {
    EXPECT_EQ(RoundMoney(0.125), 0.13);
    EXPECT_EQ(RoundMoney(2.675), 2.67);
    EXPECT_EQ(RoundMoney(-0.125), -0.13);
    EXPECT_EQ(RoundMoney(0.1 + 0.2), 0.3);
    // 1000000000000000.25 has 17 significant digits 1000000000000000.3; the
    // nearest double to that is the value itself.
    EXPECT_EQ(FormatMoney(1e15 + 0.25), "1000000000000000.30");
    EXPECT_EQ(RoundMoney(1e15 + 0.25), 1e15 + 0.25);
    EXPECT_EQ(RoundMoney(1e15 + 0.125), 1e15 + 0.125);  // 17 digits 1000000000000000.1
    EXPECT_TRUE(std::isnan(RoundMoney(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_EQ(RoundMoney(-std::numeric_limits<double>::infinity()), -std::numeric_limits<double>::infinity());
    std::mt19937_64 rng(99);
    std::uniform_real_distribution<double> any(-1e7, 1e7);
    for (int i = 0; i < 2000; ++i) {
        double once = RoundMoney(any(rng));
        EXPECT_EQ(RoundMoney(once), once);
        EXPECT_EQ(FormatMoney(once), FormatMoney(RoundMoney(once)));
    }
}

struct TaxCase {
    double value;
    double plain;
    double down;
};

TEST(MoneyRoundTax, RoundsOnTheThirdDecimal) {
    const TaxCase cases[] = {
        {0.125, 0.13, 0.12},
        {2.675, 2.68, 2.67},   // three decimals give 2.675, so the 5 counts
        {1.005, 1.01, 1.00},
        {1.2344, 1.23, 1.23},
        {1.2349, 1.24, 1.23},  // three decimals give 1.235
        {0.0, 0.0, 0.0},
        {3.999, 4.00, 3.99},
        {0.004, 0.0, 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(RoundTax(c.value, false), c.plain) << c.value;
        EXPECT_DOUBLE_EQ(RoundTax(c.value, true), c.down) << c.value;
    }
}

TEST(MoneyRoundTax, NegativeAndNonFiniteValues) {
    EXPECT_DOUBLE_EQ(RoundTax(-0.125, false), -0.13);
    EXPECT_DOUBLE_EQ(RoundTax(-0.125, true), -0.14);
    EXPECT_DOUBLE_EQ(RoundTax(-1.2344, true), -1.23);
    EXPECT_TRUE(std::isnan(RoundTax(std::numeric_limits<double>::quiet_NaN(), true)));
    EXPECT_EQ(RoundTax(std::numeric_limits<double>::infinity(), false), std::numeric_limits<double>::infinity());
}

TEST(MoneyToCents, TakesTheIntegerPartOfTheScaledText) {
    EXPECT_EQ(ToCents(12.34), 1234);
    EXPECT_EQ(ToCents(0.29), 29);       // 0.29 * 10000 / 100 is 28.999999999999996
    EXPECT_EQ(ToCents(1.15), 115);
    EXPECT_EQ(ToCents(12.345), 1234);   // 1234.50 -> 1234
    EXPECT_EQ(ToCents(12.3456), 1234);
    EXPECT_EQ(ToCents(0.001), 0);
    EXPECT_EQ(ToCents(0.01), 1);
    EXPECT_EQ(ToCents(1e6), 100000000);
    EXPECT_EQ(ToCents(0), 0);
    EXPECT_EQ(ToCents(-5.5), 0);
    EXPECT_EQ(ToCents(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(ToCents(std::numeric_limits<double>::infinity()), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(ToCents(1e300), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(ToCents(std::numeric_limits<double>::max()), std::numeric_limits<std::int64_t>::max());
    for (int c = 1; c < 100000; c += 7) {
        EXPECT_EQ(ToCents(static_cast<double>(c) / 100), c);
    }
}

}  // namespace
