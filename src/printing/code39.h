// Code 39 for the digits 0 to 9 and the start/stop character "*".
#pragma once
#include <string>
#include <string_view>

namespace print {

inline constexpr int kCode39CharacterModules = 12;  // a character's bars and spaces
inline constexpr int kCode39CharacterPitch = 13;    // with the space between characters

// The 12 modules of character c ('0'..'9' or '*'): '1' a bar, '0' a space.
// Empty for any other character.
std::string Code39Pattern(char c);

// The modules of the whole symbol: "*", the digits, "*", each character followed by
// one space module (the last one included). Empty when `digits` holds anything but
// the digits 0 to 9.
std::string Code39Symbol(std::string_view digits);

}  // namespace print
