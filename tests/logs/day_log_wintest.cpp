#include "logs/day_log.h"

#include <gtest/gtest.h>

#include "support/app_fixture.h"

namespace {

LocalTime g_fixedTime;
void FixedClock(LocalTime& out) { out = g_fixedTime; }

class DayLogTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        g_fixedTime = LocalTime{2027, 1, 5, 1, 10, 7, 0, 0};
        SetClockSource(FixedClock);
    }
    void TearDown() override { SetClockSource(nullptr), AppFixture::TearDown(); }
};

TEST_F(DayLogTest, YearAndMonthDirectoriesWithTheirMarkersThenEntriesAppendedAndTheDisplayDate) {
    EnsureLogDirectories(g_app.dataDir);
    EXPECT_EQ(ReadWholeFile(data("2027\\base.dat")), std::string(4, '\0'));
    EXPECT_EQ(ReadWholeFile(data("2027\\1\\base.dat")), "10:07");
    g_fixedTime.minute = 59;
    EnsureLogDirectories(g_app.dataDir);
    EXPECT_EQ(ReadWholeFile(data("2027\\1\\base.dat")), "10:07") << "an existing marker is kept";
    ASSERT_TRUE(AppendToDayFile(g_app.dataDir, {"one", "two"}));
    ASSERT_TRUE(AppendToDayFile(g_app.dataDir, {"three"}));
    EXPECT_EQ(ReadWholeFile(data("2027\\1\\1.txt")), "onetwothree") << "one write per text, never rewritten";
    g_fixedTime.month = 12;
    EnsureLogDirectories(g_app.dataDir);
    EXPECT_EQ(ReadWholeFile(data("2027\\12\\base.dat")), "10:59") << "a new month gets its own";
    EXPECT_TRUE(messages().messages().empty());
    std::snprintf(g_dateText, sizeof g_dateText, "%s", "00:0006/12/2026");  // the locale's short form
    ASSERT_NE(ConvertDate(), 0);
    EXPECT_STREQ(g_dateText, "Sun 6 Dec 26");
    std::snprintf(g_dateText, sizeof g_dateText, "%s", "00:0031/02/2026");  // no such day
    EXPECT_EQ(ConvertDate(), 0);
    EXPECT_STREQ(g_dateText, "00:0031/02/2026");
}

TEST_F(DayLogTest, DirectoriesThatCannotBeMadeAreReported) {
    CreateDirectoryA(data("2027").c_str(), nullptr);
    WriteWholeFile(data("2027\\1"), "a file where the month folder goes");
    EnsureLogDirectories(g_app.dataDir);
    WriteWholeFile(temp_ / "blocker", "x");
    UseDataDirectory(temp_ / "blocker");
    EnsureLogDirectories(g_app.dataDir);
    EXPECT_FALSE(AppendToDayFile(g_app.dataDir, {"lost"}));
    EXPECT_EQ(messages().messages().size(), 2u);
    EXPECT_TRUE(messages().Saw("Unable to create month log directory", "Fatal error") &&
                messages().Saw("Unable to create year log directory", "Fatal error"));
}

}  // namespace
