// Every conversion of a text to a number and of a number to a text: the typed and
// pointed amounts, whole numbers, the leading numbers of item, customer, repeat and
// seed texts, the device dialog's number boxes, the log day, the money texts and the
// seed files' numbers. The input is the text; its first eight bytes are also read as
// a double for the money texts.
#include <algorithm>
#include <cerrno>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "basket/basket.h"
#include "basket/item_entry.h"
#include "basket/money.h"
#include "customers/customer_search.h"
#include "fuzz_check.h"
#include "logs/clock.h"
#include "logs/log_viewer.h"
#include "printing/device_config.h"
#include "shell/logon.h"
#include "shop/text_format.h"

namespace {

bool AllDigits(std::string_view s) {
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// The C library's reading of a leading 64-bit number, saturated, as the reference.
std::int64_t CLibraryNumber(std::string_view text) {
    const std::string copy(text);
    errno = 0;
    return std::strtoll(copy.c_str(), nullptr, 10);
}

void CheckTypedAmounts(std::string_view text) {
    const std::string_view typed = text.substr(0, kTypedAmountLength);
    const auto amount = ReadTypedAmount(text);
    FUZZ_CHECK(amount.has_value() == AllDigits(typed), "a typed amount is digits only");
    if (amount) {
        FUZZ_CHECK(std::isfinite(*amount) && *amount >= 0 && *amount <= 1e17, "a typed amount is finite and positive");
        if (typed.size() <= 15) {
            const double cents = std::strtod(std::string(typed.empty() ? "0" : typed).c_str(), nullptr);
            FUZZ_CHECK(std::fabs(*amount * 100 - cents) <= 0.5 + cents * 1e-15, "the last two digits are hundredths");
        }
    }
    const std::string pointed = PointedAmountText(text);
    if (!typed.empty()) {
        FUZZ_CHECK(pointed.size() >= 3 && pointed[pointed.size() - 3] == '.', "two digits after the point");
        FUZZ_CHECK(pointed.size() == std::max<std::size_t>(typed.size(), 2) + 1, "only the point is added");
    }
    const std::string digits = DigitsOnly(text, kTypedAmountLength);
    FUZZ_CHECK(ReadTypedAmount(digits).has_value(), "what a digits-only box keeps is an amount");

    const auto price = ReadPointedAmount(text);
    if (price)
        FUZZ_CHECK(std::isfinite(*price) && *price >= 0 && *price <= kLargestPrice, "a price within the largest");
    const std::string kept = PointedAmountOnly(text, kTypedAmountLength);
    FUZZ_CHECK(kept.size() <= kTypedAmountLength && std::count(kept.begin(), kept.end(), '.') <= 1,
               "a price box keeps digits and one point");
    if (kept.size() <= 7) FUZZ_CHECK(ReadPointedAmount(kept).has_value(), "what a price box keeps is a price");

    const auto whole = ReadWholeNumber(text);
    FUZZ_CHECK(whole.has_value() == (text.size() <= 18 && AllDigits(text)), "a whole number is up to 18 digits");
    if (whole) FUZZ_CHECK(*whole == CLibraryNumber(text.empty() ? "0" : text), "a whole number reads as typed");
}

void CheckLeadingNumbers(std::string_view text) {
    const std::string_view itemText = text.substr(0, kItemTextMax);
    const std::string_view uptoNul = itemText.substr(0, std::min(itemText.size(), itemText.find('\0')));
    FUZZ_CHECK(LeadingItemNumber(text) == CLibraryNumber(uptoNul), "an item number reads as the C library reads it");
    const std::int64_t repeat = std::clamp<std::int64_t>(CLibraryNumber(uptoNul), INT_MIN, INT_MAX);
    FUZZ_CHECK(RepeatCount(text) == (repeat == 0 ? 1 : repeat), "the repeat count is the leading int");

    const std::string_view all = text.substr(0, std::min(text.size(), text.find('\0')));
    FUZZ_CHECK(LeadingNumber(text) == CLibraryNumber(all), "a customer search number");
    const std::int64_t customer = CLibraryNumber(all);
    FUZZ_CHECK(IsNumberSearch(text) == (customer >= 1 && customer <= kHighestCustomerNumber), "the kind of search");

    // A device number box: blanks, a sign, 1 to 18 digits and nothing else.
    std::size_t i = text.find_first_not_of(" \t");
    i = i == std::string_view::npos ? text.size() : i;
    const std::size_t sign = i < text.size() && (text[i] == '+' || text[i] == '-') ? 1 : 0;
    const std::string_view rest = text.substr(i + sign);
    const bool decimal = !rest.empty() && rest.size() <= 18 && AllDigits(rest);
    const auto read = ReadDecimal(text);
    FUZZ_CHECK(read.has_value() == decimal, "a number box holds a decimal number");
    if (read) FUZZ_CHECK(*read == CLibraryNumber(text.substr(i)), "a number box reads its number");
    // The logon's user field: the same, but any text after the number is ignored.
    const std::size_t run = rest.find_first_not_of("0123456789");
    if (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])) && std::min(run, rest.size()) <= 9)
        FUZZ_CHECK(ParseShownAssociate(std::string(text)) == CLibraryNumber(text.substr(i)), "the associate shown");
}

void CheckDates(std::string_view text) {
    const auto day = ParseLogDay(text);
    const bool shaped = text.size() == 10 && text[2] == '/' && text[5] == '/' && AllDigits(text.substr(0, 2)) &&
                        AllDigits(text.substr(3, 2)) && AllDigits(text.substr(6, 4));
    FUZZ_CHECK(day.has_value() == shaped, "a log day is DD/MM/YYYY");
    if (day) FUZZ_CHECK(day->day <= 99 && day->month <= 99 && day->year <= 9999, "two, two and four digits");

    int d = 0, m = 0, y = 0;
    if (ParseDateText(text.data(), text.size(), d, m, y))
        FUZZ_CHECK(d >= 1 && d <= 31 && m >= 1 && m <= 12 && y >= 1980 && y <= 9999, "a clock date in range");
}

// One of the money rules per input (each formats the value's exact decimal expansion,
// which is slow for the extreme exponents a record may carry).
void CheckMoneyTexts(double value, int decimals, int rule) {
    if (!std::isfinite(value)) {
        FUZZ_CHECK(FormatFixed(value, decimals) == (std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf"),
                   "printf's words");
        FUZZ_CHECK(RoundMoney(value) == value || std::isnan(value), "kept as it is");
        return;
    }
    switch (rule % 4) {
    case 0: {
        const std::string text = FormatFixed(value, decimals);
        const int kept = std::clamp(decimals, 0, 9);
        const std::size_t point = text.find('.');
        FUZZ_CHECK(kept == 0 ? point == std::string::npos : text.size() - point - 1 == static_cast<std::size_t>(kept),
                   "the decimals asked for");
        const double back = std::strtod(text.c_str(), nullptr);
        const double tolerance = 0.5 * std::pow(10.0, -kept) * (1 + 1e-9) + std::fabs(value) * 4e-16;
        FUZZ_CHECK(std::fabs(back - value) <= tolerance, "the text is the value rounded");
        FUZZ_CHECK(back != 0 || text[0] != '-', "zero has no sign");
        break;
    }
    case 1: {
        const double money = RoundMoney(value);
        FUZZ_CHECK(RoundMoney(money) == money, "rounded money stays as it is");
        FUZZ_CHECK(FormatMoney(money) == FormatMoney(value), "rounding does not change the text");
        break;
    }
    case 2: {
        // Up to the next hundredth away from zero, then a hundredth off with roundDown.
        const double tax = RoundTax(value, decimals % 2 != 0);
        FUZZ_CHECK(std::fabs(tax - value) <= 0.0201 + std::fabs(value) * 1e-15, "a tax moves by two cents at most");
        break;
    }
    case 3: {
        const std::int64_t cents = ToCents(value);
        FUZZ_CHECK(cents >= 0, "no negative cents");
        if (value > 0 && value < 1e13) FUZZ_CHECK(std::fabs(cents - value * 100) <= 1.0, "cents of the value");
        break;
    }
    }
}

// The seed files' numbers: whole and decimal values, and the shortest text of a double.
void CheckSeedNumbers(std::string_view text, double value) {
    if (const auto n = shop::text::ParseInt(text)) {
        const std::string_view trimmed = shop::text::Trim(text);
        FUZZ_CHECK(*n == CLibraryNumber(trimmed), "a seed number reads as written");
    }
    if (const auto d = shop::text::ParseDouble(text)) FUZZ_CHECK(std::isfinite(*d), "a seed number is a number");
    if (std::isfinite(value)) {
        const auto back = shop::text::ParseDouble(shop::text::FormatDouble(value));
        FUZZ_CHECK(back && *back == value, "a written double reads back the same");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckTypedAmounts(text);
    CheckLeadingNumbers(text);
    CheckDates(text);
    double value = 0;
    if (size >= sizeof value) {
        std::memcpy(&value, data, sizeof value);
        const int selector = size > sizeof value ? static_cast<signed char>(data[sizeof value]) : 2;
        CheckMoneyTexts(value, selector, size > sizeof value + 1 ? data[sizeof value + 1] : 0);
    }
    CheckSeedNumbers(text, value);
    return 0;
}
