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
    void TearDown() override {
        SetClockSource(nullptr);
        AppFixture::TearDown();
    }
};

TEST_F(DayLogTest, ANewYearCreatesYearAndMonthDirectoriesWithTheirMarkers) {
    EnsureLogDirectories(g_app.dataDir);
    EXPECT_TRUE(DirectoryExists(data("2027")));
    EXPECT_EQ(ReadWholeFile(data("2027\\base.dat")), std::string(4, '\0'));
    EXPECT_TRUE(DirectoryExists(data("2027\\1")));
    EXPECT_EQ(ReadWholeFile(data("2027\\1\\base.dat")), "10:07");
    EXPECT_FALSE(FileExists(data("2027\\1\\1.txt")));  // made by the first entry

    RefreshClock();
    ASSERT_TRUE(AppendToDayFile(g_app.dataDir, SwitchOnEntry(g_clockText)));
    EXPECT_EQ(ReadWholeFile(data("2027\\1\\1.txt")), "\r\n10:07 01/01/2027  Switched on.\r\n");
    EXPECT_TRUE(messages().messages().empty());
}

TEST_F(DayLogTest, ExistingMarkersAreNotRewrittenAndANewMonthGetsItsOwn) {
    EnsureLogDirectories(g_app.dataDir);
    g_fixedTime.minute = 59;
    EnsureLogDirectories(g_app.dataDir);
    EXPECT_EQ(ReadWholeFile(data("2027\\1\\base.dat")), "10:07");

    g_fixedTime.month = 2;
    EnsureLogDirectories(g_app.dataDir);
    EXPECT_EQ(ReadWholeFile(data("2027\\2\\base.dat")), "10:59");
    EXPECT_EQ(ReadWholeFile(data("2027\\base.dat")), std::string(4, '\0'));
}

TEST_F(DayLogTest, EntriesAreAppendedNeverRewritten) {
    EnsureLogDirectories(g_app.dataDir);
    RefreshClock();
    ASSERT_TRUE(AppendToDayFile(g_app.dataDir, {"one", "two"}));
    ASSERT_TRUE(AppendToDayFile(g_app.dataDir, {"three"}));
    EXPECT_EQ(ReadWholeFile(data("2027\\1\\1.txt")), "onetwothree");
}

TEST_F(DayLogTest, MissingDirectoriesAreReportedWithoutACrash) {
    WriteWholeFile(temp_ / "blocker", "x");
    UseDataDirectory(temp_ / "blocker");
    EnsureLogDirectories(g_app.dataDir);
    EXPECT_TRUE(messages().Saw("Unable to create year log directory", "Fatal error"));
    RefreshClock();
    EXPECT_FALSE(AppendToDayFile(g_app.dataDir, {"lost"}));
}

TEST_F(DayLogTest, MonthDirectoryFailureIsReported) {
    CreateDirectoryA(data("2027").c_str(), nullptr);
    WriteWholeFile(data("2027\\1"), "a file where the month folder goes");
    EnsureLogDirectories(g_app.dataDir);
    EXPECT_TRUE(messages().Saw("Unable to create month log directory", "Fatal error"));
}

TEST_F(DayLogTest, DisplayDateUsesTheEnglishShortForm) {
    std::snprintf(g_dateText, sizeof g_dateText, "%s", "00:0006/12/2026");
    ASSERT_NE(ConvertDate(), 0);
    EXPECT_STREQ(g_dateText, "Sun 6 Dec 26");

    std::snprintf(g_dateText, sizeof g_dateText, "%s", "00:0031/02/2026");  // no such day
    EXPECT_EQ(ConvertDate(), 0);
    EXPECT_STREQ(g_dateText, "00:0031/02/2026");
}

}  // namespace
