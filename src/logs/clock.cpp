#include "logs/clock.h"

#include <cstdio>
#include <cstring>

namespace {

std::string Format(const char* fmt, auto... args) {
    char buffer[512];
    int n = std::snprintf(buffer, sizeof buffer, fmt, args...);
    if (n < 0) return {};
    return std::string(buffer, static_cast<std::size_t>(n) < sizeof buffer ? n : sizeof buffer - 1);
}

// atoi over a fixed span: leading spaces, then digits; anything else ends the number.
int ReadNumber(const char* text, std::size_t width, std::size_t from, std::size_t count) {
    int value = 0;
    std::size_t i = from;
    std::size_t end = from + count;
    while (i < end && i < width && text[i] == ' ') ++i;
    while (i < end && i < width && text[i] >= '0' && text[i] <= '9') value = value * 10 + (text[i++] - '0');
    return value;
}

// The hour and minute digits of the clock text as "HH:MM".
std::string HourMinute(const ClockText& clock) {
    return Format("%c%c:%c%c", clock[0], clock[1], clock[3], clock[4]);
}

std::string DatePart(const ClockText& clock) {
    return std::string(clock + 5, strnlen(clock + 5, kClockTextSize - 5));
}

}  // namespace

void FormatClockText(ClockText& out, const LocalTime& t) {
    std::snprintf(out, kClockTextSize, "%02d:%02d%02d/%02d/%d", t.hour, t.minute, t.day, t.month, t.year);
}

void FormatClockDate(ClockText& out, const LocalTime& t) {
    std::snprintf(out, kClockTextSize, "%02d/%02d/%d", t.day, t.month, t.year);
}

bool ParseDateText(const char* text, std::size_t width, int& day, int& month, int& year) {
    day = ReadNumber(text, width, 5, 2);
    month = ReadNumber(text, width, 8, 2);
    year = ReadNumber(text, width, 11, 4);
    return day >= 1 && day <= 31 && month >= 1 && month <= 12 && year >= 1980;
}

int ConvertDateText(ClockText& text, const LocalTime& now, DateFormatter format) {
    int day, month, year;
    if (!ParseDateText(text, kClockTextSize, day, month, year)) return 0;
    LocalTime t = now;
    t.year = static_cast<std::uint16_t>(year);
    t.month = static_cast<std::uint16_t>(month);
    t.day = static_cast<std::uint16_t>(day);
    char formatted[kClockTextSize] = {};
    int n = format(t, kDisplayDatePattern, formatted, static_cast<int>(sizeof formatted));
    if (n <= 0) return 0;
    formatted[kClockTextSize - 1] = 0;
    std::memcpy(text, formatted, kClockTextSize);
    return n;
}

void FormatDisplayDate(ClockText& out, const LocalTime& now, DateFormatter format) {
    std::snprintf(out, kClockTextSize, "00:00%2d/%2d/%d", now.day, now.month, now.year);
    if (!ConvertDateText(out, now, format))
        std::snprintf(out, kClockTextSize, "%2d/%2d/%d", now.day, now.month, now.year);
}

std::string YearDirectory(const std::string& dataDir, const LocalTime& t) {
    return dataDir + Format("\\%d", t.year);
}

std::string MonthDirectory(const std::string& dataDir, const LocalTime& t) {
    return dataDir + Format("\\%d\\%d", t.year, t.month);
}

std::string DayFilePath(const std::string& dataDir, const LocalTime& t) {
    return dataDir + Format("\\%d\\%d\\%d.txt", t.year, t.month, t.day);
}

std::string HourMinuteText(const LocalTime& t) { return Format("%02d:%02d", t.hour, t.minute); }

std::string MonthMarkerText(const LocalTime& t) { return HourMinuteText(t); }

LogEntry SwitchOnEntry(const ClockText& clock) {
    return {"\r\n" + HourMinute(clock) + " " + DatePart(clock) + "  Switched on.\r\n"};
}

LogEntry SwitchOffEntry(const ClockText& clock, std::int64_t associate, const std::string& associateName) {
    return {"\r\n" + HourMinute(clock) + " " + DatePart(clock) + "  Switched off.\r\n",
            "Clerk: " + std::to_string(associate) + ", " + associateName + "\r\n"};
}
