// What every fuzz target shares: a check that stops the run with its reason (assert
// would vanish from an optimised build), and the fixed clock and date formatter the
// portable code takes from the Windows side.
#pragma once
#include <cstdio>
#include <cstdlib>

#include "logs/clock.h"

#define FUZZ_CHECK(condition, reason)                                                         \
    do {                                                                                      \
        if (!(condition)) {                                                                   \
            std::fprintf(stderr, "fuzz check failed: %s\n  %s (%s:%d)\n", reason, #condition, \
                         __FILE__, __LINE__);                                                 \
            std::abort();                                                                     \
        }                                                                                     \
    } while (0)

namespace fuzz {

inline LocalTime Now() {
    LocalTime t;
    t.year = 2026, t.month = 12, t.day = 6, t.hour = 9, t.minute = 30;
    return t;
}

// "ddd d MMM yy" as the locale would give it, or a failure for a date no calendar has.
inline int FormatDate(const LocalTime& t, const char*, char* out, int outSize) {
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31) return 0;
    const int n = std::snprintf(out, static_cast<std::size_t>(outSize), "Sun %d %s %02d", t.day, kMonths[t.month - 1],
                                t.year % 100);
    return n < outSize ? n : 0;
}

}  // namespace fuzz
