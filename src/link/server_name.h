// What the server dialog proposes and accepts as the server computer name.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// The binding takes at most this many characters of the name.
inline constexpr std::size_t kServerNameBindLength = 19;
// The dialog's edit box takes at most this many.
inline constexpr std::size_t kServerNameEditLength = 34;

// The configured name, or this computer's name when none is configured.
std::string ProposedServerName(std::string_view configured, std::string_view computerName);

// nullptr when the typed name is acceptable, else the message to show.
const char* RefuseServerName(std::string_view typed);

// The name as the binding string takes it: at most the first 19 characters.
std::string BindingServerName(std::string_view configured);
