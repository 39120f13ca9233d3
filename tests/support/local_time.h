// A local time for tests, by its calendar fields, and a stand-in for the locale's date formatter.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "logs/clock.h"

inline LocalTime At(int year, int month, int day, int hour = 0, int minute = 0) {
    LocalTime t;
    t.year = static_cast<std::uint16_t>(year), t.month = static_cast<std::uint16_t>(month);
    t.day = static_cast<std::uint16_t>(day), t.hour = static_cast<std::uint16_t>(hour);
    t.minute = static_cast<std::uint16_t>(minute);
    return t;
}

inline std::string g_fakeDate;  // what FakeDateFormatter answers when set
inline LocalTime g_fakeDateAsked;  // the time FakeDateFormatter was last given
// "D5/12/2026" for the display pattern, counting the terminator as Windows does; it
// fails, leaving garbage behind, for any other pattern and for the year 2099.
inline int FakeDateFormatter(const LocalTime& t, const char* pattern, char* out, int size) {
    g_fakeDateAsked = t;
    if (std::strcmp(pattern, kDisplayDatePattern) != 0 || t.year == 2099) return std::snprintf(out, size, "garbage"), 0;
    const std::string date = std::to_string(t.day) + "/" + std::to_string(t.month) + "/" + std::to_string(t.year);
    const std::string text = g_fakeDate.empty() ? "D" + date : g_fakeDate;
    return std::snprintf(out, static_cast<std::size_t>(size), "%s", text.c_str()), static_cast<int>(text.size()) + 1;
}
