#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <variant>

#include "logs/clock.h"
#include "logs/log_viewer.h"
#include "support/local_time.h"

namespace {

LogReader Over(const std::string& file) {
    return [file](std::int64_t offset, std::size_t count) {
        return file.substr(std::min(static_cast<std::size_t>(offset), file.size()), count);
    };
}

std::vector<std::string> Texts(const print::PagePlan& plan) {
    std::vector<std::string> out;
    for (const auto& item : plan.items) out.push_back(std::get<print::TextItem>(item).text);
    return out;
}

}  // namespace

TEST(LogDay, ExactlyTenCharactersWithTheSlashesInPlace) {
    struct Row { const char* typed; bool accepted; const char* why; };
    const Row rows[] = {
        {"05/01/2027", true, ""}, {"5/01/2027", false, "a one-digit day is nine characters"},
        {"05/1/2027", false, "a one-digit month likewise"}, {"05-01-2027", false, "slashes at 2 and 5"},
        {"05/01/2027 ", false, "eleven characters"}, {"ab/cd/efgh", false, "no digits, no date"},
    };
    for (const Row& r : rows) EXPECT_EQ(ParseLogDay(r.typed).has_value(), r.accepted) << r.typed << ": " << r.why;
    const LocalTime t = *ParseLogDay("31/12/2026");
    EXPECT_EQ(std::tuple(t.day, t.month, t.year), std::tuple(31, 12, 2026));
}

TEST(LogViewerWindows, NextAndPreviousStepThroughTheFile) {
    LogViewer v;
    // The window's first character, its size, and Previous and Next enabled.
    const auto shown = [&] {
        return v.text.substr(0, 1) + std::to_string(v.text.size()) + (v.previousEnabled ? " P" : " -") +
               (v.nextEnabled ? "N" : "-");
    };
    const std::string window = std::to_string(kLogWindowSize);
    OpenLogViewer(v, Over(std::string(kLogWindowSize, 'a')));
    EXPECT_EQ(shown(), "a" + window + " --") << "exactly one window: no empty window to step to";
    const std::string file = std::string(kLogWindowSize, 'a') + std::string(kLogWindowSize, 'b') + "ccc";
    std::string seen;  // after opening, Next, Next, Previous and Previous
    for (auto step : {OpenLogViewer, NextLogWindow, NextLogWindow, PreviousLogWindow, PreviousLogWindow})
        step(v, Over(file)), seen += shown() + "|";
    EXPECT_EQ(seen, "a" + window + " -N|b" + window + " PN|c3 P-|b" + window + " PN|a" + window + " -N|");
    OpenLogViewer(v, Over(""));
    EXPECT_EQ(shown(), "0 --");
}

TEST(LogPages, HeaderPrintableLinesAndThePageBreak) {
    const LogPageInput in{"Corner Shop", *ParseLogDay("05/01/2027"), 2, 10, 59};  // rows 2, 3, 4 fit: (10 + 2) * 5 > 59
    const std::string file = "\r\n10:07 05/01/2027\tUser 3\x01\xe9, logged on.\r\nsecond\r\nthird\r\nfourth\r\n";
    const LogPage page = LayoutLogPage(in, Over(file), 0);
    EXPECT_EQ(Texts(page.plan), (std::vector<std::string>{"Corner Shop Activity log: 05/01/2027      Page: 2", "",
                                                          "10:07 05/01/2027User 3, logged on.", "second"}));
    EXPECT_TRUE(page.full);
    EXPECT_EQ(file.substr(page.consumed), "\nthird\r\nfourth\r\n") << "the next page starts after the last line";
    EXPECT_EQ(std::get<print::TextItem>(page.plan.items[2]).y, 30);

    const LogPage last = LayoutLogPage(in, Over(file), static_cast<std::int64_t>(page.consumed));
    EXPECT_EQ(Texts(last.plan).back(), "fourth");
    EXPECT_FALSE(last.full) << "the end of the file ends the document";

    // Dropped bytes take no room: the page reads on past them until it is full.
    const std::string accents = std::string(5000, '\xe9') + "a\rb\rc\rd\r";
    const LogPage dropped = LayoutLogPage(in, Over(accents), 0);
    EXPECT_EQ(Texts(dropped.plan).back(), "c");
    EXPECT_TRUE(dropped.full);
    EXPECT_EQ(accents.substr(dropped.consumed), "d\r");

    const LogPage wide = LayoutLogPage(in, Over(std::string(300, 'x') + "\r"), 0);
    EXPECT_EQ(Texts(wide.plan)[1], std::string(253, 'x'));
    EXPECT_EQ(Texts(wide.plan)[2], std::string(46, 'x')) << "the 254th byte is dropped";
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
