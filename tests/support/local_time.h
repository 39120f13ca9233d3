// A local time for tests, by its calendar fields.
#pragma once
#include <cstdint>

#include "logs/clock.h"

inline LocalTime At(int year, int month, int day, int hour = 0, int minute = 0) {
    LocalTime t;
    t.year = static_cast<std::uint16_t>(year);
    t.month = static_cast<std::uint16_t>(month);
    t.day = static_cast<std::uint16_t>(day);
    t.hour = static_cast<std::uint16_t>(hour);
    t.minute = static_cast<std::uint16_t>(minute);
    return t;
}
