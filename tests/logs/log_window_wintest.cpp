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
#include "support/local_time.h"
#include "support/printed_pdfs.h"

namespace {

class LogWindowTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        g_app.instance = GetModuleHandleA(nullptr);
        g_app.live.SetText(cfg::kHeaderTexts, cfg::kHeaderTextWidth, "Corner Shop");
    }
    // Writes the day file of `day` with its year and month folders.
    void WriteDay(const LocalTime& day, const std::string& text) {
        CreateDirectoryA(YearDirectory(g_app.dataDir, day).c_str(), nullptr);
        CreateDirectoryA(MonthDirectory(g_app.dataDir, day).c_str(), nullptr);
        WriteWholeFile(DayFilePath(g_app.dataDir, day), text);
    }
    static DialogDriver::Step Answer(const char* typed) {
        return [typed](HWND prompt) { SetDlgItemTextA(prompt, IDC_EDIT1, typed), Click(prompt, IDOK); };
    }
};

TEST_F(LogWindowTest, TheViewerPagesThroughADayRefusesADayWithoutALogAndMakesTodaysMissingFile) {
    WriteDay(At(2027, 1, 5), std::string(31999, 'a') + "tail\r\n");
    EnsureLogDirectories(g_app.dataDir);
    const auto enabled = [](HWND viewer) {
        return std::pair(!!IsWindowEnabled(GetDlgItem(viewer, 2400)), !!IsWindowEnabled(GetDlgItem(viewer, 2401)));
    };
    DialogDriver driver({Answer("5/01/2027"), Answer("01/01/1999"), Answer("05/01/2027"), [&](HWND viewer) {
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
    EXPECT_EQ(driver.stepsRun(), 5u);
    EXPECT_FALSE(driver.abandoned());
    EXPECT_TRUE(messages().Saw("Invalid date", "Problem"));
    EXPECT_TRUE(messages().Saw("No log for that day.", "Problem"));
    RefreshClock();
    EXPECT_TRUE(FileExists(DayFilePath(g_app.dataDir, g_localTime)));
}

TEST_F(LogWindowTest, TwoCopiesOfAPrintedDayAreTwoDocumentsEachFromPageOne) {
    if (!RequirePrinter("VarenkoDocument")) return;
    const std::string dir = UnixPdfDirectory("document");
    const std::set<std::string> before = PdfNames(dir);
    WriteDay(At(2027, 2, 6), "\r\n09:15 06/02/2027  Switched on.\r\nClerk: 2, Manager\r\n");
    DialogDriver driver({Answer("06/02/2027"), [](HWND printDialog) {
                             SetDlgItemTextA(printDialog, edt3, "2");  // the print dialog's copies
                             Click(printDialog, IDOK);
                         }});
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
