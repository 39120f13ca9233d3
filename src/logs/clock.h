// The shared clock and date texts, the day-file paths of the activity log and the
// texts of its entries. Portable: the Windows side fills the time and formats dates.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Same members and order as the operating system's local-time record.
struct LocalTime {
    std::uint16_t year = 0, month = 0, dayOfWeek = 0, day = 0;
    std::uint16_t hour = 0, minute = 0, second = 0, milliseconds = 0;
};

inline constexpr std::size_t kClockTextSize = 80;
using ClockText = char[kClockTextSize];

// "%02d:%02d%02d/%02d/%d": hour, minute, then the date from character 5.
void FormatClockText(ClockText& out, const LocalTime& t);
// "%02d/%02d/%d": day, month, year.
void FormatClockDate(ClockText& out, const LocalTime& t);

// Formats a date with a locale pattern; returns the length written, 0 on failure.
using DateFormatter = int (*)(const LocalTime& t, const char* pattern, char* out, int outSize);

inline constexpr const char* kDisplayDatePattern = "ddd d MMM yy";

// Reads day (characters 5-6), month (8-9) and year (11-14) of a clock-shaped text.
// False when the day is 0 or above 31, the month 0 or above 12, or the year below 1980.
bool ParseDateText(const char* text, std::size_t width, int& day, int& month, int& year);

// Converts a clock-shaped date text in place to the display date "ddd d MMM yy".
// Returns non-zero on success; on any failure the text is left as it was.
int ConvertDateText(ClockText& text, const LocalTime& now, DateFormatter format);

// The display date of the customer entries: "00:00%2d/%2d/%d" converted, or
// "%2d/%2d/%d" when the conversion fails.
void FormatDisplayDate(ClockText& out, const LocalTime& now, DateFormatter format);

// Paths of the log tree under the data directory, without leading zeros.
std::string YearDirectory(const std::string& dataDir, const LocalTime& t);
std::string MonthDirectory(const std::string& dataDir, const LocalTime& t);
std::string DayFilePath(const std::string& dataDir, const LocalTime& t);
inline constexpr const char* kMarkerFileName = "base.dat";
// "%02d:%02d": hour and minute.
std::string HourMinuteText(const LocalTime& t);
// Contents of the month directory's marker: the creation time as "%02d:%02d".
std::string MonthMarkerText(const LocalTime& t);

// One log entry is a list of texts, each written with one write call.
using LogEntry = std::vector<std::string>;

LogEntry SwitchOnEntry(const ClockText& clock);
LogEntry SwitchOffEntry(const ClockText& clock, std::int64_t associate, const std::string& associateName);
