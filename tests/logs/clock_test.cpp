#include "logs/clock.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "support/local_time.h"

namespace {

// Stands in for the locale formatter: "fmt D/M/Y H" of the time it is given; it fails for 2099.
int FakeFormatter(const LocalTime& t, const char* pattern, char* out, int size) {
    if (std::strcmp(pattern, kDisplayDatePattern) != 0 || t.year == 2099) return std::strcpy(out, "garbage"), 0;
    return std::snprintf(out, static_cast<std::size_t>(size), "fmt %d/%d/%d %d", t.day, t.month, t.year, t.hour) + 1;
}

TEST(ClockText, TimeDateAndTheSwitchEntriesByteForByte) {
    ClockText text;
    FormatClockText(text, At(2026, 12, 5, 9, 5));
    EXPECT_STREQ(text, "09:0505/12/2026");
    EXPECT_EQ(SwitchOnEntry(text), LogEntry{"\r\n09:05 05/12/2026  Switched on.\r\n"});
    EXPECT_EQ(SwitchOffEntry(text, 3, "%s%n%x"),  // a name is written as it is
              (LogEntry{"\r\n09:05 05/12/2026  Switched off.\r\n", "Clerk: 3, %s%n%x\r\n"}));
    FormatClockDate(text, At(2027, 1, 9));
    EXPECT_STREQ(text, "09/01/2027");
    const LocalTime t = At(2027, 1, 9, 7, 5);
    EXPECT_EQ(YearDirectory("D", t) + " " + MonthDirectory("D", t) + " " + DayFilePath("D", t) + " " +
              MonthMarkerText(t), "D\\2027 D\\2027\\1 D\\2027\\1\\9.txt 07:05") << "no leading zeros in the paths";
}

TEST(ConvertDateText, DayMonthAndYearOrTheTextUntouched) {
    const std::pair<const char*, const char*> rows[] = {  // the text; what it becomes, nullptr when refused
        {"12:3405/12/2026", "fmt 5/12/2026 13"},  // day, month and year from 5, 8 and 11; the hour of now
        {"00:00 5/ 3/2026", "fmt 5/3/2026 13"},   // space-padded
        {"00:0031/12/1980", "fmt 31/12/1980 13"}, {"00:0032/12/2026", nullptr}, {"00:0000/12/2026", nullptr},
        {"00:0005/13/2026", nullptr}, {"00:0005/00/2026", nullptr}, {"00:0005/12/1979", nullptr},
        {"00:00", nullptr}, {"", nullptr}, {"00:0005/12/2099", nullptr}};  // the last: the formatter fails
    for (const auto& [input, converted] : rows) {
        ClockText text, before;
        std::memset(text, 'z', sizeof text);  // what lies past the terminator stays too
        std::memcpy(text, input, std::strlen(input) + 1);
        std::memcpy(before, text, sizeof text);
        EXPECT_EQ(ConvertDateText(text, At(2030, 6, 7, 13, 14), FakeFormatter) != 0, converted != nullptr) << input;
        EXPECT_STREQ(text, converted ? converted : before) << input;
        EXPECT_TRUE(converted || std::memcmp(text, before, sizeof text) == 0) << input;
    }
    ClockText text;
    std::memset(text, '9', sizeof text);  // no terminator: day 99, read within the buffer
    EXPECT_EQ(ConvertDateText(text, At(2026, 1, 1), FakeFormatter), 0);
    FormatDisplayDate(text, At(2026, 3, 5), FakeFormatter);
    EXPECT_STREQ(text, "fmt 5/3/2026 0");
    FormatDisplayDate(text, At(2099, 3, 5), FakeFormatter);
    EXPECT_STREQ(text, " 5/ 3/2099");
}

}  // namespace
