#include "basket/money.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <system_error>
#include <vector>

namespace {

constexpr int kSignificantDigits = 17;
constexpr int kMaxDecimals = 9;

// The exact decimal digits of a finite, non-negative double: value equals
// digits * 10^-scale, digits without leading zeros ("0" for zero).
struct ExactDecimal {
    std::string digits;
    int scale = 0;
};

// A big unsigned integer in base 10^9, least significant limb first; only as
// much of one as the exact expansion of a double needs.
class BigDecimal {
public:
    explicit BigDecimal(std::uint64_t v) {
        do {
            limbs_.push_back(static_cast<std::uint32_t>(v % kBase));
            v /= kBase;
        } while (v != 0);
    }
    void Multiply(std::uint32_t factor) {
        std::uint64_t carry = 0;
        for (auto& limb : limbs_) {
            std::uint64_t x = static_cast<std::uint64_t>(limb) * factor + carry;
            limb = static_cast<std::uint32_t>(x % kBase);
            carry = x / kBase;
        }
        while (carry != 0) {
            limbs_.push_back(static_cast<std::uint32_t>(carry % kBase));
            carry /= kBase;
        }
    }
    std::string Digits() const {
        std::string out = std::to_string(limbs_.back());
        for (auto it = limbs_.rbegin() + 1; it != limbs_.rend(); ++it) {
            std::string part = std::to_string(*it);
            out.append(9 - part.size(), '0');
            out += part;
        }
        return out;
    }

private:
    static constexpr std::uint64_t kBase = 1000000000;
    std::vector<std::uint32_t> limbs_;
};

ExactDecimal Expand(double value) {
    int exponent = 0;
    double fraction = std::frexp(value, &exponent);  // value = fraction * 2^exponent, 0.5 <= fraction < 1
    // 53 bits of mantissa as an integer: value = mantissa * 2^(exponent - 53).
    auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    int binaryExponent = exponent - 53;
    while (mantissa != 0 && (mantissa & 1u) == 0 && binaryExponent < 0) {
        mantissa >>= 1;
        ++binaryExponent;
    }
    BigDecimal number(mantissa);
    ExactDecimal out;
    if (binaryExponent >= 0) {
        for (int i = 0; i < binaryExponent; i += 29) {
            int step = std::min(29, binaryExponent - i);
            number.Multiply(std::uint32_t{1} << step);
        }
    } else {
        // mantissa / 2^k == mantissa * 5^k / 10^k
        int k = -binaryExponent;
        for (int i = 0; i < k; i += 13) {
            int step = std::min(13, k - i);
            std::uint32_t factor = 1;
            for (int j = 0; j < step; ++j) factor *= 5;
            number.Multiply(factor);
        }
        out.scale = k;
    }
    out.digits = number.Digits();
    return out;
}

// Adds one at position `last` of a digit string (carrying left); returns true
// when the carry ran off the front, in which case the caller prepends a '1'.
bool IncrementAt(std::string& digits, std::size_t last) {
    for (std::size_t i = last + 1; i-- > 0;) {
        if (digits[i] == '9') {
            digits[i] = '0';
        } else {
            ++digits[i];
            return false;
        }
    }
    return true;
}

// Keeps `keep` leading digits, rounding half away from zero on the next one;
// the dropped digits become zeros so the magnitude is unchanged. Returns the
// number of digits added at the front by a carry (0 or 1).
int RoundKeeping(std::string& digits, std::size_t keep) {
    if (digits.size() <= keep) return 0;
    bool up = digits[keep] >= '5';
    std::fill(digits.begin() + static_cast<std::ptrdiff_t>(keep), digits.end(), '0');
    if (!up) return 0;
    if (keep == 0) {
        digits.insert(digits.begin(), '1');
        return 1;
    }
    if (IncrementAt(digits, keep - 1)) {
        digits.insert(digits.begin(), '1');
        return 1;
    }
    return 0;
}

bool ReadDouble(const std::string& text, double& out) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    auto result = std::from_chars(first, last, out);
    return result.ec == std::errc() && result.ptr == last;
}

}  // namespace

std::string FormatFixed(double value, int decimals) {
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    bool negative = std::signbit(value);
    ExactDecimal exact = Expand(std::fabs(value));

    // Strip leading zeros so that significant digits count from the first
    // non-zero one; the digit string is then an integer scaled by 10^-scale.
    std::string& digits = exact.digits;
    std::size_t firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos) {
        digits.assign(1, '0');
    } else {
        digits.erase(0, firstNonZero);
        RoundKeeping(digits, kSignificantDigits);
    }

    // Make sure there are at least decimals + 1 fraction digits and one
    // integer digit, then round at the last kept decimal.
    int fractionDigits = exact.scale;
    if (fractionDigits < decimals + 1) {
        digits.append(static_cast<std::size_t>(decimals + 1 - fractionDigits), '0');
        fractionDigits = decimals + 1;
    }
    if (static_cast<int>(digits.size()) <= fractionDigits) {
        digits.insert(0, static_cast<std::size_t>(fractionDigits + 1) - digits.size(), '0');
    }
    std::size_t integerDigits = digits.size() - static_cast<std::size_t>(fractionDigits);
    std::size_t keep = integerDigits + static_cast<std::size_t>(decimals);
    integerDigits += static_cast<std::size_t>(RoundKeeping(digits, keep));
    digits.resize(integerDigits + static_cast<std::size_t>(decimals));

    // Drop leading zeros of the integer part, keeping one.
    std::size_t zeros = 0;
    while (zeros + 1 < integerDigits && digits[zeros] == '0') ++zeros;
    digits.erase(0, zeros);
    integerDigits -= zeros;

    std::string out;
    bool isZero = digits.find_first_not_of('0') == std::string::npos;
    if (negative && !isZero) out += '-';
    out.append(digits, 0, integerDigits);
    if (decimals > 0) {
        out += '.';
        out.append(digits, integerDigits, std::string::npos);
    }
    return out;
}

double RoundMoney(double value) {
    if (!std::isfinite(value)) return value;
    double out = 0;
    return ReadDouble(FormatMoney(value), out) ? out : value;
}

double RoundTax(double value, bool roundDown) {
    if (!std::isfinite(value)) return value;
    std::string text = FormatFixed(value, 3);
    bool up = text.back() >= '5';
    if (up) text.back() = '9';
    double read = 0;
    if (!ReadDouble(text, read)) return value;
    double result = RoundMoney(read);
    if (up && roundDown) result -= 0.01;
    return result;
}

std::int64_t ToCents(double value) {
    if (!(value > 0)) return 0;  // also NaN
    double scaled = value * 10000 / 100;
    if (!std::isfinite(scaled)) return std::numeric_limits<std::int64_t>::max();
    std::string text = FormatMoney(scaled);
    std::size_t point = std::min(text.find('.'), text.size());
    std::int64_t cents = 0;
    auto result = std::from_chars(text.data(), text.data() + point, cents);
    if (result.ec == std::errc::result_out_of_range) return std::numeric_limits<std::int64_t>::max();
    return result.ec == std::errc() ? cents : 0;
}

std::string PointedAmountText(std::string_view typed) {
    typed = typed.substr(0, kTypedAmountLength);
    if (typed.empty()) return {};
    if (typed.size() == 1) return std::string(".0") + typed.front();
    std::string pointed(typed.substr(0, typed.size() - 2));
    pointed += '.';
    pointed += typed.substr(typed.size() - 2);
    return pointed;
}

std::optional<double> ReadTypedAmount(std::string_view typed) {
    typed = typed.substr(0, kTypedAmountLength);
    for (char c : typed)
        if (c < '0' || c > '9') return std::nullopt;
    // At most 19 digits: always a finite, non-negative number.
    return std::strtod(PointedAmountText(typed).c_str(), nullptr);
}

std::string DigitsOnly(std::string_view text, std::size_t limit) {
    std::string digits;
    for (char c : text)
        if (c >= '0' && c <= '9' && digits.size() < limit) digits += c;
    return digits;
}

std::optional<double> ReadPointedAmount(std::string_view text) {
    int points = 0;
    for (char c : text) {
        if (c == '.') ++points;
        else if (c < '0' || c > '9') return std::nullopt;
    }
    if (points > 1) return std::nullopt;
    if (text.empty() || text == ".") return 0.0;
    const double value = std::strtod(std::string(text).c_str(), nullptr);
    if (!(value <= kLargestPrice)) return std::nullopt;
    return value;
}

std::optional<std::int64_t> ReadWholeNumber(std::string_view text) {
    if (text.size() > 18) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string PointedAmountOnly(std::string_view text, std::size_t limit) {
    std::string kept;
    bool point = false;
    for (char c : text) {
        if (kept.size() >= limit) break;
        if (c >= '0' && c <= '9') kept += c;
        else if (c == '.' && !point) kept += c, point = true;
    }
    return kept;
}

std::int64_t LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Accumulate as a negative number so that the most negative value fits.
    constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
    std::int64_t value = 0;
    bool overflow = false;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        if (overflow) continue;
        if (value < (kMin + digit) / 10) {
            overflow = true;
            continue;
        }
        value = value * 10 - digit;
    }
    if (overflow) return negative ? kMin : std::numeric_limits<std::int64_t>::max();
    if (negative) return value;
    return value == kMin ? std::numeric_limits<std::int64_t>::max() : -value;
}

bool IsNumberSearch(std::string_view text) {
    const std::int64_t n = LeadingNumber(text);
    return n >= 1 && n <= kHighestRecordNumber;
}
