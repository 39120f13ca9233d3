// The shared clock of the terminal and the daily activity log files.
#pragma once
#include <windows.h>

#include <string>

#include "logs/clock.h"

extern LocalTime g_localTime;  // refreshed by every clock routine
extern ClockText g_clockText;  // "%02d:%02d%02d/%02d/%d" after RefreshClock
extern ClockText g_dateText;   // a clock-shaped text converted in place by ConvertDate

// Takes the local time and writes the clock text.
void RefreshClock();
// Takes the local time and writes "%02d/%02d/%d" into the clock text.
void RefreshClockDate();
// Converts g_dateText in place to "ddd d MMM yy"; 0 (text unchanged) when refused.
int ConvertDate();
// The platform's date formatter (user default locale).
int FormatDateWithLocale(const LocalTime& t, const char* pattern, char* out, int outSize);

// Tests may replace the time source; nullptr restores the system clock.
using ClockSource = void (*)(LocalTime& out);
void SetClockSource(ClockSource source);

// Makes sure the year and month directories of today exist, with their markers.
void EnsureLogDirectories(const char* dataDir);

// Appends one entry to today's day file: one write per text. False when the file
// cannot be opened or the entry not written whole (nothing of it is left then); the
// caller shows its own message.
bool AppendToDayFile(const char* dataDir, const LogEntry& entry);
