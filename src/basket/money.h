// Money and weight texts and the rounding rules of the basket arithmetic.
//
// Every money text the terminal shows or prints, and every rounded total,
// goes through these functions so that the result does not depend on the C
// library's printf (glibc, msvcrt and mingw round ties differently).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The value as fixed-point text with `decimals` decimals (0 to 9; values
// outside are clamped): the value's decimal expansion is taken to 17
// significant digits, then rounded half away from zero at the last kept
// decimal. 0.125 gives "0.13"; 2.675 (stored as 2.67499999999999982...) gives
// "2.67". Negative results keep their sign ("-1.50"); a value that rounds to
// zero prints without a sign ("0.00"). NaN prints as "nan", infinities as
// "inf" and "-inf" (what printf prints for them).
std::string FormatFixed(double value, int decimals);

inline std::string FormatMoney(double value) { return FormatFixed(value, 2); }
inline std::string FormatWeight(double value) { return FormatFixed(value, 3); }

// FormatMoney, then the text read back as a double. NaN and infinities are
// returned unchanged.
double RoundMoney(double value);

// The tax rounding on the third decimal: a third decimal of 5 or more goes up
// to the next hundredth, any other goes down; with roundDown set every tax is
// cut to the hundredth below its three-decimal value (0.125 -> 0.12,
// 2.675 -> 2.67). NaN and infinities are returned unchanged.
double RoundTax(double value, bool roundDown);

// Whole units of value * 100 (12.34 -> 1234): 0 when value <= 0; otherwise
// value * 10000 / 100 formatted with two decimals and the integer part of that
// text taken. NaN gives 0; values too large for 64 bits give INT64_MAX.
std::int64_t ToCents(double value);

// Typed amounts: the amount boxes take digits only, without a decimal point; the
// last two digits are hundredths. A box hands over at most kTypedAmountLength
// characters.
inline constexpr std::size_t kTypedAmountLength = 19;

// The typed text with the decimal point put in: "" stays "", "5" is ".05",
// "1234" is "12.34".
std::string PointedAmountText(std::string_view typed);

// The amount a box holds: empty reads as 0; "1234" is 12.34. Anything but digits
// (a sign, a point, letters, "nan", exponents, pasted text) is no amount at all,
// so no NaN, infinite or negative value can come out of a box.
std::optional<double> ReadTypedAmount(std::string_view typed);

// The digits of a text, in order, at most `limit` of them: what a digits-only box
// keeps of pasted or set text.
std::string DigitsOnly(std::string_view text, std::size_t limit);

// Price, weight and discount boxes refuse amounts above this: nothing in a shop costs
// ten million, and a longer number is a slip of the finger or pasted rubbish.
inline constexpr double kLargestPrice = 10000000.0;

// A price typed with its decimal point: digits with at most one point ("12.50",
// ".5", "7"); empty reads as 0. Anything else (a sign, letters, "nan", exponents, a
// second point) or more than kLargestPrice is no amount.
std::optional<double> ReadPointedAmount(std::string_view text);

// A whole number typed into a digits-only box ("" reads as 0); anything but digits,
// or more than 18 of them, is no number.
std::optional<std::int64_t> ReadWholeNumber(std::string_view text);

// The number a text starts with, read as the C library reads a 64-bit number
// (leading blanks, a sign, digits up to the first other character); 0 without
// digits. Values beyond 64 bits read as the nearest limit.
std::int64_t LeadingNumber(std::string_view text);

// Customers and items are numbered from 1 up to this.
inline constexpr std::int64_t kHighestRecordNumber = 100000000000000000;
// A text a search takes as a record number rather than a name or description: one
// whose leading number lies in 1..kHighestRecordNumber.
bool IsNumberSearch(std::string_view text);

// The characters a price box with a decimal point keeps of pasted or set text:
// digits and the first point, at most `limit` characters.
std::string PointedAmountOnly(std::string_view text, std::size_t limit);
