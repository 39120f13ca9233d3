#include "logs/clock.h"

#include <gtest/gtest.h>

#include "support/local_time.h"

namespace {

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
        {"12:3405/12/2026", "D5/12/2026"}, {"00:00 5/ 3/2026", "D5/3/2026"},  // from 5, 8 and 11; space-padded
        {"00:0031/12/1980", "D31/12/1980"}, {"00:0032/12/2026", nullptr}, {"00:0000/12/2026", nullptr},
        {"00:0005/13/2026", nullptr}, {"00:0005/00/2026", nullptr}, {"00:0005/12/1979", nullptr},
        {"00:00", nullptr}, {"", nullptr}, {"00:0005/12/2099", nullptr}};  // the last: the formatter fails
    for (const auto& [input, converted] : rows) {
        ClockText text, before;
        std::memset(text, 'z', sizeof text);  // what lies past the terminator stays too
        std::memcpy(text, input, std::strlen(input) + 1);
        std::memcpy(before, text, sizeof text);
        EXPECT_EQ(ConvertDateText(text, At(2030, 6, 7, 13, 14), FakeDateFormatter) != 0, converted != nullptr) << input;
        EXPECT_TRUE(converted ? std::string(text) == converted : std::memcmp(text, before, sizeof text) == 0) << input;
    }
    EXPECT_EQ(g_fakeDateAsked.hour, 13) << "the day, month and year typed, the rest of now";
    ClockText text;
    std::memset(text, '9', sizeof text);  // no terminator: day 99, read within the buffer
    EXPECT_EQ(ConvertDateText(text, At(2026, 1, 1), FakeDateFormatter), 0);
    FormatDisplayDate(text, At(2026, 3, 5), FakeDateFormatter);
    EXPECT_STREQ(text, "D5/3/2026");
    FormatDisplayDate(text, At(2099, 3, 5), FakeDateFormatter);
    EXPECT_STREQ(text, " 5/ 3/2099");
}

}  // namespace
