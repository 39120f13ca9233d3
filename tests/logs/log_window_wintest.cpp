// The log viewer and the printed log on the real dialogs, the print dialog and a
// cups-pdf printer.
#include "logs/log_window.h"

#include <windows.h>

#include <dlgs.h>

#include <gtest/gtest.h>

#include <string>

#include "logs/day_log.h"
#include "resources/resource_ids.h"
#include "support/app_fixture.h"
#include "support/dialog_driver.h"
#include "support/printed_pdfs.h"

namespace {

class LogWindowTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        g_app.instance = GetModuleHandleA(nullptr);
        g_app.live.SetText(cfg::kHeaderTexts, cfg::kHeaderTextWidth, "Corner Shop");
    }
    // Writes the day file of `day` ("DD/MM/YYYY") with its year and month folders.
    void WriteDay(const LocalTime& day, const std::string& text) {
        CreateDirectoryA(YearDirectory(g_app.dataDir, day).c_str(), nullptr);
        CreateDirectoryA(MonthDirectory(g_app.dataDir, day).c_str(), nullptr);
        WriteWholeFile(DayFilePath(g_app.dataDir, day), text);
    }
    static LocalTime Day(int d, int m, int y) {
        LocalTime t;
        t.day = static_cast<std::uint16_t>(d);
        t.month = static_cast<std::uint16_t>(m);
        t.year = static_cast<std::uint16_t>(y);
        return t;
    }
    static void Answer(HWND prompt, const char* typed) {
        SetDlgItemTextA(prompt, IDC_EDIT1, typed);
        Click(prompt, IDOK);
    }
};

TEST_F(LogWindowTest, TheViewerPagesThroughADayInWindows) {
    WriteDay(Day(5, 1, 2027), std::string(31999, 'a') + "tail\r\n");
    DialogDriver driver({[](HWND prompt) { Answer(prompt, "05/01/2027"); },
                         [](HWND viewer) {
                             EXPECT_EQ(Title(viewer), "VARENKO log");
                             EXPECT_EQ(GetWindowTextLengthA(GetDlgItem(viewer, IDC_EDIT1)), 31999);
                             EXPECT_TRUE(IsWindowEnabled(GetDlgItem(viewer, 2400)));
                             EXPECT_FALSE(IsWindowEnabled(GetDlgItem(viewer, 2401)));
                             Click(viewer, 2400);
                             EXPECT_EQ(Text(viewer, IDC_EDIT1), "tail\r\n");
                             EXPECT_FALSE(IsWindowEnabled(GetDlgItem(viewer, 2400)));
                             EXPECT_TRUE(IsWindowEnabled(GetDlgItem(viewer, 2401)));
                             Click(viewer, IDOK);
                         }});
    DisplayPreviousLog();
    EXPECT_EQ(driver.stepsRun(), 2u);
    EXPECT_FALSE(driver.abandoned());
}

TEST_F(LogWindowTest, ABadDayOrADayWithoutALogIsRefused) {
    for (const char* typed : {"5/01/2027", "01/01/1999"}) {
        DialogDriver driver({[typed](HWND prompt) { Answer(prompt, typed); }});
        DisplayPreviousLog();
    }
    EXPECT_TRUE(messages().Saw("Invalid date", "Problem"));
    EXPECT_TRUE(messages().Saw("No log for that day.", "Problem"));
}

TEST_F(LogWindowTest, TodaysViewerMakesTheMissingDayFile) {
    EnsureLogDirectories(g_app.dataDir);
    DialogDriver driver({[](HWND viewer) {
        EXPECT_EQ(Text(viewer, IDC_EDIT1), "");
        Click(viewer, IDOK);
    }});
    DisplayTodaysLog();
    RefreshClock();
    EXPECT_NE(GetFileAttributesA(DayFilePath(g_app.dataDir, g_localTime).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(LogWindowTest, TwoCopiesOfAPrintedDayAreTwoDocumentsEachFromPageOne) {
    if (!RequirePrinter("VarenkoDocument")) return;
    const std::string dir = UnixPdfDirectory("document");
    const std::set<std::string> before = PdfNames(dir);
    WriteDay(Day(6, 2, 2027), "\r\n09:15 06/02/2027  Switched on.\r\nClerk: 2, Manager\r\n");
    DialogDriver driver({[](HWND prompt) { Answer(prompt, "06/02/2027"); },
                         [](HWND printDialog) {
                             SetDlgItemTextA(printDialog, edt3, "2");  // the print dialog's copies
                             Click(printDialog, IDOK);
                         }});
    PrintLogForDay();
    std::set<std::string> names;
    ASSERT_EQ(WaitForPdfs(dir, before, "Corner Shop Activity log: 06/02/2027", 2, &names), 2);
    for (const std::string& name : names) {
        const std::string text = PdfText(dir + "/" + name);
        EXPECT_NE(text.find("Page: 1"), std::string::npos) << text;
        EXPECT_NE(text.find("09:15 06/02/2027 Switched on."), std::string::npos) << text;
        EXPECT_NE(text.find("Clerk: 2, Manager"), std::string::npos) << text;
    }
}

}  // namespace
