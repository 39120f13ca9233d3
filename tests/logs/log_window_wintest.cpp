// The day log's folders and files on disk, the log viewer and the printed log on the real
// dialogs, the print dialog and a cups-pdf printer. Today's log on screen and printed is
// the end-to-end day at the till's, as are the entries appended one by one; a year folder
// that cannot be made, and entries that cannot be written, the FaultEndToEnd test's.
#include "logs/log_window.h"

#include <windows.h>

#include <dlgs.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "logs/day_log.h"
#include "resources/resource_ids.h"
#include "support/app_fixture.h"
#include "support/dialog_driver.h"
#include "support/local_time.h"
#include "support/printed_pdfs.h"

namespace {

LocalTime g_fixedTime;
void FixedClock(LocalTime& out) { out = g_fixedTime; }

// Today is 5 January 2027, 10:07.
class DayLogTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        g_fixedTime = At(2027, 1, 5, 10, 7);
        SetClockSource(FixedClock);
        g_app.instance = GetModuleHandleA(nullptr);
        g_app.live.SetText(cfg::kHeaderTexts, cfg::kHeaderTextWidth, "Corner Shop");
    }
    void TearDown() override { SetClockSource(nullptr), AppFixture::TearDown(); }
    // Writes the day file of `day` with its year and month folders.
    void WriteDay(const LocalTime& day, const std::string& text) {
        CreateDirectoryA(YearDirectory(g_app.dataDir, day).c_str(), nullptr);
        CreateDirectoryA(MonthDirectory(g_app.dataDir, day).c_str(), nullptr);
        WriteWholeFile(DayFilePath(g_app.dataDir, day), text);
    }
};

TEST_F(DayLogTest, YearAndMonthDirectoriesWithTheirMarkersAndTheDisplayDate) {
    EnsureLogDirectories(g_app.dataDir);
    EXPECT_EQ(ReadWholeFile(data("2027\\base.dat")), std::string(4, '\0'));
    EXPECT_EQ(ReadWholeFile(data("2027\\1\\base.dat")), "10:07");
    g_fixedTime.minute = 59;
    EnsureLogDirectories(g_app.dataDir);
    EXPECT_EQ(ReadWholeFile(data("2027\\1\\base.dat")), "10:07") << "an existing marker is kept";
    g_fixedTime.month = 12;
    EnsureLogDirectories(g_app.dataDir);
    EXPECT_EQ(ReadWholeFile(data("2027\\12\\base.dat")), "10:59") << "a new month gets its own";
    g_fixedTime.month = 11;
    WriteWholeFile(data("2027\\11"), "a file where the month folder goes");
    EnsureLogDirectories(g_app.dataDir);
    EXPECT_TRUE(messages().messages().size() == 1 &&
                messages().Saw("Unable to create month log directory", "Fatal error"));

    std::snprintf(g_dateText, sizeof g_dateText, "%s", "00:0006/12/2026");  // the locale's short form; refusals: native
    ASSERT_NE(ConvertDate(), 0);
    EXPECT_STREQ(g_dateText, "Sun 6 Dec 26");
}

TEST_F(DayLogTest, TheViewerPagesThroughADayRefusesADayWithoutALogAndMakesTodaysMissingFile) {
    WriteDay(At(2027, 1, 4), std::string(31999, 'a') + "tail\r\n");
    const auto enabled = [](HWND viewer) {
        return std::pair(!!IsWindowEnabled(GetDlgItem(viewer, 2400)), !!IsWindowEnabled(GetDlgItem(viewer, 2401)));
    };
    DialogDriver driver({Prompt("4/01/2027"), Prompt("01/01/1999"), Prompt("04/01/2027"), [&](HWND viewer) {
                             EXPECT_EQ(GetWindowTextLengthA(GetDlgItem(viewer, IDC_EDIT1)), 31999);
                             EXPECT_EQ(enabled(viewer), std::pair(true, false));
                             Click(viewer, 2400);
                             EXPECT_EQ(Text(viewer, IDC_EDIT1), "tail\r\n");
                             EXPECT_EQ(enabled(viewer), std::pair(false, true));
                             Click(viewer, IDOK);
                         },
                         [](HWND viewer) {
                             EXPECT_EQ(Text(viewer, IDC_EDIT1), "");
                             Click(viewer, IDOK);
                         }});
    for (int i = 0; i < 3; ++i) DisplayPreviousLog();
    DisplayTodaysLog();
    EXPECT_TRUE(messages().Saw("Invalid date", "Problem"));
    EXPECT_TRUE(messages().Saw("No log for that day.", "Problem"));
    EXPECT_TRUE(FileExists(data("2027\\1\\5.txt")));
}

TEST_F(DayLogTest, TwoCopiesOfAPrintedDayAreTwoDocumentsEachFromPageOne) {
    if (!RequirePrinter("VarenkoDocument")) return;
    const std::string dir = UnixPdfDirectory("document");
    const std::set<std::string> before = PdfNames(dir);
    WriteDay(At(2027, 2, 6), "\r\n09:15 06/02/2027  Switched on.\r\nClerk: 2, Manager\r\n");
    DialogDriver driver({Prompt("06/02/2027"), [](HWND printDialog) {
                             SetDlgItemTextA(printDialog, edt3, "2");  // the print dialog's copies
                             Click(printDialog, IDOK);
                         }},
                        true);
    PrintLogForDay();
    std::set<std::string> names;
    ASSERT_EQ(WaitForPdfs(dir, before, "Corner Shop Activity log: 06/02/2027", 2, &names), 2);
    for (const std::string& name : names) {
        const std::string text = PdfText(dir + "/" + name);
        for (const char* line : {"Page: 1", "09:15 06/02/2027 Switched on.", "Clerk: 2, Manager"})
            EXPECT_NE(text.find(line), std::string::npos) << text;
    }
}

}  // namespace
