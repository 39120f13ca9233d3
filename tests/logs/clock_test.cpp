#include "logs/clock.h"

#include <gtest/gtest.h>

#include "support/local_time.h"

#include <cstdio>
#include <cstring>

namespace {

// Stands in for the locale formatter: records what it was asked and answers "D/M/Y".
LocalTime g_formatted;
int FakeFormatter(const LocalTime& t, const char* pattern, char* out, int outSize) {
    g_formatted = t;
    if (std::strcmp(pattern, kDisplayDatePattern) != 0) return 0;
    return std::snprintf(out, static_cast<std::size_t>(outSize), "fmt %d/%d/%d", t.day, t.month, t.year) + 1;
}
int FailingFormatter(const LocalTime&, const char*, char* out, int) {
    std::strcpy(out, "garbage");
    return 0;
}

TEST(ClockText, TimeThenDateWithLeadingZeros) {
    ClockText text;
    FormatClockText(text, At(2026, 12, 5, 9, 5));
    EXPECT_STREQ(text, "09:0505/12/2026");
    FormatClockDate(text, At(2027, 1, 9));
    EXPECT_STREQ(text, "09/01/2027");
}

TEST(ConvertDateText, TakesDayMonthYearAndKeepsTheTimeOfNow) {
    ClockText text = "12:3405/12/2026";
    ASSERT_NE(ConvertDateText(text, At(2030, 6, 7, 13, 14), FakeFormatter), 0);
    EXPECT_STREQ(text, "fmt 5/12/2026");
    EXPECT_EQ(g_formatted.hour, 13);
    EXPECT_EQ(g_formatted.day, 5);
}

TEST(ConvertDateText, SpacePaddedFieldsAreRead) {
    ClockText text = "00:00 5/ 3/2026";
    ASSERT_NE(ConvertDateText(text, At(2026, 1, 1), FakeFormatter), 0);
    EXPECT_STREQ(text, "fmt 5/3/2026");
}

TEST(ConvertDateText, RefusalsLeaveTheBufferUnchanged) {
    const char* refused[] = {"00:0032/12/2026", "00:0000/12/2026", "00:0005/13/2026",
                             "00:0005/00/2026", "00:0005/12/1979", "00:00", ""};
    for (const char* input : refused) {
        ClockText text = {};
        std::memcpy(text, input, std::strlen(input));
        std::memset(text + std::strlen(input) + 1, 'z', sizeof text - std::strlen(input) - 2);
        ClockText before;
        std::memcpy(before, text, sizeof text);
        EXPECT_EQ(ConvertDateText(text, At(2026, 1, 1), FakeFormatter), 0) << input;
        EXPECT_EQ(std::memcmp(text, before, sizeof text), 0) << input;
    }
    ClockText edge = "00:0031/12/1980";
    EXPECT_NE(ConvertDateText(edge, At(2026, 1, 1), FakeFormatter), 0);
}

TEST(ConvertDateText, AFailingFormatterLeavesTheBufferUnchanged) {
    ClockText text = "00:0005/12/2026";
    EXPECT_EQ(ConvertDateText(text, At(2026, 1, 1), FailingFormatter), 0);
    EXPECT_STREQ(text, "00:0005/12/2026");
}

TEST(ConvertDateText, UnterminatedBufferIsReadWithinItsSize) {
    ClockText text;
    std::memset(text, '9', sizeof text);
    EXPECT_EQ(ConvertDateText(text, At(2026, 1, 1), FakeFormatter), 0);  // day 99
}

TEST(DisplayDate, ConvertedOrPlainWhenTheConversionFails) {
    ClockText text;
    FormatDisplayDate(text, At(2026, 3, 5), FakeFormatter);
    EXPECT_STREQ(text, "fmt 5/3/2026");
    FormatDisplayDate(text, At(2026, 3, 5), FailingFormatter);
    EXPECT_STREQ(text, " 5/ 3/2026");
}

TEST(DayFilePaths, NoLeadingZeros) {
    EXPECT_EQ(DayFilePath("C:\\data", At(2026, 12, 5)), "C:\\data\\2026\\12\\5.txt");
    EXPECT_EQ(DayFilePath("C:\\data", At(2027, 1, 9)), "C:\\data\\2027\\1\\9.txt");
    EXPECT_EQ(YearDirectory("D", At(2027, 1, 9)), "D\\2027");
    EXPECT_EQ(MonthDirectory("D", At(2027, 1, 9)), "D\\2027\\1");
    EXPECT_EQ(MonthMarkerText(At(2027, 1, 9, 7, 3)), "07:03");
}

TEST(LogEntries, SwitchOnAndOffTextsByteForByte) {
    ClockText clock;
    FormatClockText(clock, At(2026, 12, 5, 9, 5));
    EXPECT_EQ(SwitchOnEntry(clock), LogEntry{"\r\n09:05 05/12/2026  Switched on.\r\n"});
    const LogEntry off = SwitchOffEntry(clock, 3, "Associate 3");
    ASSERT_EQ(off.size(), 2u);
    EXPECT_EQ(off[0], "\r\n09:05 05/12/2026  Switched off.\r\n");
    EXPECT_EQ(off[1], "Clerk: 3, Associate 3\r\n");
}

TEST(LogEntries, NamesWithPercentSignsAreWrittenAsTheyAre) {
    ClockText clock;
    FormatClockText(clock, At(2026, 12, 5, 9, 5));
    EXPECT_EQ(SwitchOffEntry(clock, 1, "%s%n%x")[1], "Clerk: 1, %s%n%x\r\n");
}

}  // namespace
