// The day asked for, the viewer's windows over a day file, and the printed log's pages.
#include "logs/log_viewer.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <variant>

namespace {

LogReader Over(const std::string& file) {
    return [file](std::int64_t offset, std::size_t count) {
        return offset >= static_cast<std::int64_t>(file.size()) ? std::string()
                                                                 : file.substr(static_cast<std::size_t>(offset), count);
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
