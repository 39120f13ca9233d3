#include "printing/code39.h"

namespace print {

std::string Code39Pattern(char c) {
    // Narrow elements one module, wide elements two; bar, space, bar ... bar.
    static const char* const kDigits[10] = {
        "101001101101",  // 0
        "110100101011",  // 1
        "101100101011",  // 2
        "110110010101",  // 3
        "101001101011",  // 4
        "110100110101",  // 5
        "101100110101",  // 6
        "101001011011",  // 7
        "110100101101",  // 8
        "101100101101",  // 9
    };
    if (c >= '0' && c <= '9') return kDigits[c - '0'];
    if (c == '*') return "100101101101";
    return {};
}

std::string Code39Symbol(std::string_view digits) {
    std::string symbol;
    symbol.reserve((digits.size() + 2) * kCode39CharacterPitch);
    auto add = [&symbol](char c) {
        const std::string pattern = Code39Pattern(c);
        if (pattern.empty()) return false;
        symbol += pattern;
        symbol += '0';
        return true;
    };
    add('*');
    for (char c : digits) {
        if (c == '*' || !add(c)) return {};
    }
    add('*');
    return symbol;
}

}  // namespace print
