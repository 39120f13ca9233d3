#include "logs/log_window.h"

#include <windows.h>

#include <string>

#include "logs/day_log.h"
#include "logs/log_viewer.h"
#include "printing/print_job.h"
#include "printing/receipt_print.h"
#include "printing/render.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/dialog_plumbing.h"
#include "shell/message_box.h"
#include "shell/shared_dialogs.h"

namespace {

constexpr const char* kProblem = "Problem";
constexpr int kNextButton = 2400;
constexpr int kPreviousButton = 2401;
constexpr int kLogFontPoints = 9;

// The day asked for last: the previous-log viewer and the day print share it.
LocalTime g_chosenDay;

// The log commands print today (2) or the chosen day (6).
enum class PrintMode { Today = 2, ChosenDay = 6 };
PrintMode g_printMode = PrintMode::Today;

LocalTime Today() {
    RefreshClock();
    return g_localTime;
}

// One open day file, closed with the object.
class DayFile {
public:
    DayFile(const LocalTime& day, DWORD disposition) {
        const std::string path = DayFilePath(g_app.dataDir, day);
        handle_ = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    ~DayFile() {
        if (open()) CloseHandle(handle_);
    }
    DayFile(const DayFile&) = delete;
    DayFile& operator=(const DayFile&) = delete;
    bool open() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Up to `count` bytes from `offset`, read in one go.
    std::string Read(std::int64_t offset, std::size_t count) const {
        std::string bytes(count, '\0');
        LARGE_INTEGER at;
        at.QuadPart = offset;
        DWORD got = 0;
        if (!open() || !SetFilePointerEx(handle_, at, nullptr, FILE_BEGIN) ||
            !ReadFile(handle_, bytes.data(), static_cast<DWORD>(count), &got, nullptr))
            got = 0;
        bytes.resize(got);
        return bytes;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// The day typed at the prompt, or nothing (cancelled, or "Invalid date" shown).
bool AskDay(LocalTime& day) {
    std::string typed;
    if (!AskText(g_app.mainWindow, logmsg::kDayPrompt, typed)) return false;
    const std::optional<LocalTime> parsed = ParseLogDay(typed);
    if (!parsed) {
        ShowMessage(g_app.mainWindow, logmsg::kInvalidDate, kProblem);
        return false;
    }
    day = *parsed;
    return true;
}

// ---------------------------------------------------------------------------------
// "logedit"

struct ViewerDialog {
    LocalTime day;
    LogViewer viewer;
};

LogReader ReaderOf(const LocalTime& day) {
    return [day](std::int64_t offset, std::size_t count) { return DayFile(day, OPEN_EXISTING).Read(offset, count); };
}

void ShowWindowText(HWND dialog, const ViewerDialog& d) {
    SetDlgItemTextA(dialog, IDC_EDIT1, d.viewer.text.c_str());
    EnableWindow(GetDlgItem(dialog, kNextButton), d.viewer.nextEnabled);
    EnableWindow(GetDlgItem(dialog, kPreviousButton), d.viewer.previousEnabled);
}

INT_PTR CALLBACK ViewerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = DialogData<ViewerDialog>(dialog, message, lParam);
    if (!d) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        SendDlgItemMessageA(dialog, IDC_EDIT1, EM_LIMITTEXT, 32000, 0);
        OpenLogViewer(d->viewer, ReaderOf(d->day));
        ShowWindowText(dialog, *d);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kNextButton: NextLogWindow(d->viewer, ReaderOf(d->day)); ShowWindowText(dialog, *d); return TRUE;
        case kPreviousButton: PreviousLogWindow(d->viewer, ReaderOf(d->day)); ShowWindowText(dialog, *d); return TRUE;
        case IDOK: EndDialog(dialog, 1); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

void View(const LocalTime& day) {
    ViewerDialog d{day, {}};
    DialogBoxParamA(g_app.instance, "logedit", g_app.mainWindow, ViewerProc, reinterpret_cast<LPARAM>(&d));
}

// ---------------------------------------------------------------------------------
// The printed log.

// Prints the day of the print mode: today, or the day chosen last.
void PrintLog(PrintMode mode) {
    g_printMode = mode;
    std::int64_t resume = 0;  // where the next page starts in the day file
    print::RunCancellablePrintJob([&resume](HDC dc, print::PageState& pages) {
        if (pages.page == 1) resume = 0;
        const LocalTime day = g_printMode == PrintMode::ChosenDay ? g_chosenDay : Today();
        // The documents' 9-point body font: a printer's own font can be too wide for the header.
        HFONT font = print::CreatePrintFont(dc, kLogFontPoints, FW_NORMAL);
        HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
        const print::PageMetrics metrics = print::MeasurePage(dc);
        LogPageInput in{g_app.live.HeaderText(0), day, pages.page, metrics.lineHeight, metrics.pageHeight};
        const DayFile file(day, OPEN_EXISTING);
        LogPage page;
        if (!file.open()) {
            page = LayoutLogPage(in, [](std::int64_t, std::size_t) { return std::string(); }, 0);
            page.plan.Message(logmsg::kUnableToOpen);
        } else {
            page = LayoutLogPage(in, [&file](std::int64_t at, std::size_t count) { return file.Read(at, count); },
                                 resume);
        }
        print::RenderPlan(dc, page.plan, {font}, {});
        if (previous) SelectObject(dc, previous);
        if (font) DeleteObject(font);
        resume += static_cast<std::int64_t>(page.consumed);
        if (page.full) ++pages.page;
    });
}

}  // namespace

void DisplayTodaysLog() {
    const LocalTime today = Today();
    if (!DayFile(today, OPEN_ALWAYS).open()) {
        ShowMessage(g_app.mainWindow, logmsg::kDataLogFile, kProblem);
        return;
    }
    View(today);
}

void DisplayPreviousLog() {
    if (!AskDay(g_chosenDay)) return;
    if (!DayFile(g_chosenDay, OPEN_EXISTING).open()) {
        ShowMessage(g_app.mainWindow, logmsg::kNoLogForDay, kProblem);
        return;
    }
    View(g_chosenDay);
}

void PrintTodaysLog() { PrintLog(PrintMode::Today); }

void PrintLogForDay() {
    if (AskDay(g_chosenDay)) PrintLog(PrintMode::ChosenDay);
}
