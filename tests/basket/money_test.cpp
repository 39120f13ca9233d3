#include "basket/money.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::int64_t kMaxCents = std::numeric_limits<std::int64_t>::max();

TEST(MoneyFormatFixed, RoundsTheSeventeenDigitExpansionHalfAwayFromZero) {
    struct Row { double value; int decimals; const char* text; const char* why; };
    const Row rows[] = {
        {0.125, 2, "0.13", "an exact tie goes away from zero (glibc's printf gives 0.12)"},
        {2.675, 2, "2.67", "stored as 2.67499999999999982..."},
        {9.996, 2, "10.00", "the carry makes a new integer digit"},
        {2.5, 0, "3", "no decimals"},
        {0.0625, 3, "0.063", "an exact tie at three decimals"},
        {-0.125, 2, "-0.13", "negative values mirror positive ones"},
        {-0.001, 2, "0.00", "a value that rounds to zero has no sign"},
        {std::ldexp(1.0, 60), 2, "1152921504606847000.00", "digits past the seventeenth are rounded away"},
        {kNaN, 2, "nan", "what printf prints"}, {-kInf, 2, "-inf", ""},
        {0.1, 40, "0.100000000", "decimals above 9 are clamped"},
    };
    for (const Row& row : rows) EXPECT_EQ(FormatFixed(row.value, row.decimals), row.text) << row.why;
    const std::string max = FormatMoney(std::numeric_limits<double>::max());
    EXPECT_EQ(max, "17976931348623157" + std::string(309 - 17, '0') + ".00");
}

TEST(MoneyRounding, MoneyTaxAndCents) {
    struct Row { double value, money, tax, taxDown; std::int64_t cents; const char* why; };
    const Row rows[] = {
        {0.125, 0.13, 0.13, 0.12, 12, "a tie: up, or down with roundDown"},
        {2.675, 2.67, 2.68, 2.67, 267, "money sees 2.67499..., tax sees the three-decimal 2.675"},
        {1.2344, 1.23, 1.23, 1.23, 123, "a third decimal below 5 goes down either way"},
        {1.2349, 1.23, 1.24, 1.23, 123, "three decimals give 1.235"},
        {3.999, 4.00, 4.00, 3.99, 399, "roundDown cuts to the hundredth below"},
        {12.345, 12.35, 12.35, 12.34, 1234, "cents take the integer part of 1234.50"},
        {0.29, 0.29, 0.29, 0.29, 29, "0.29 * 100 would be 28.999999999999996"},
        {-0.125, -0.13, -0.13, -0.14, 0, "negatives mirror; no cents below zero"},
        {1e15 + 0.25, 1e15 + 0.25, 1e15 + 0.25, 1e15 + 0.25, 100000000000000020, "17 digits give the value back"},
        {kInf, kInf, kInf, kInf, kMaxCents, "unchanged; cents saturate"},
        {1e300, 1e300, 1e300, 1e300, kMaxCents, "too large for 64 bits"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(RoundMoney(row.value), row.money) << row.value << ": " << row.why;
        EXPECT_DOUBLE_EQ(RoundTax(row.value, false), row.tax) << row.value << ": " << row.why;
        EXPECT_DOUBLE_EQ(RoundTax(row.value, true), row.taxDown) << row.value << ": " << row.why;
        EXPECT_EQ(ToCents(row.value), row.cents) << row.value << ": " << row.why;
    }
    EXPECT_TRUE(std::isnan(RoundMoney(kNaN)) && std::isnan(RoundTax(kNaN, true)));
    EXPECT_EQ(ToCents(kNaN), 0);
    for (int c = 1; c < 100000; c += 7) EXPECT_EQ(ToCents(static_cast<double>(c) / 100), c);
}

}  // namespace
