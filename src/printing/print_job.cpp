#include "printing/print_job.h"

#include <commdlg.h>

#include "shell/app_state.h"
#include "shell/message_box.h"

namespace print {

namespace {

constexpr std::size_t kReceiptPrinterNameWidth = 200;
constexpr const char* kReleaseFailedText = "Unable to release printer";
constexpr const char* kDocumentName = "VARENKO";

void ReleasePrinter(HDC dc) {
    if (dc && !DeleteDC(dc)) ShowMessage(g_app.mainWindow, kReleaseFailedText, "Problem");
}

void FreeDialogHandles(PRINTDLGA& pd) {
    if (pd.hDevMode) GlobalFree(pd.hDevMode);
    if (pd.hDevNames) GlobalFree(pd.hDevNames);
    pd.hDevMode = pd.hDevNames = nullptr;
}

// One copy: the document with its page loop, ended early when `aborted` says so. False
// when the document did not start.
bool PrintOneCopy(HDC dc, const DrawPage& draw, bool (*aborted)() = nullptr) {
    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = kDocumentName;
    if (StartDocA(dc, &info) <= 0) return false;
    PageState pages;
    pages.page = 1;
    pages.nextLine = 0;
    for (;;) {
        if (StartPage(dc) <= 0) break;
        const int before = pages.page;
        if (draw) draw(dc, pages);
        if (EndPage(dc) <= 0) break;
        if (pages.page == before || (aborted && aborted())) break;
    }
    EndDoc(dc);
    return true;
}

// The cancellable job's abort dialog and flag.
HWND g_abortDialog = nullptr;
bool g_aborted = false;

bool Aborted() { return g_aborted; }

INT_PTR CALLBACK AbortDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        EnableMenuItem(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_GRAYED);
        return TRUE;
    case WM_COMMAND:
        g_aborted = true;
        if (g_app.mainWindow) EnableWindow(g_app.mainWindow, TRUE);
        DestroyWindow(dialog);
        g_abortDialog = nullptr;
        return TRUE;
    }
    return FALSE;
}

// Lets the associate reach "Cancel" between bands: dispatches what is waiting.
BOOL CALLBACK AbortProc(HDC, int) {
    MSG msg;
    while (!g_aborted && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!g_abortDialog || !IsDialogMessageA(g_abortDialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return !g_aborted;
}

}  // namespace

PrinterRequest ChoosePrinter(const TerminalConfig& config, PrinterChoice choice) {
    PrinterRequest r;
    r.dialogFlags = PD_RETURNDC | PD_NOSELECTION | PD_USEDEVMODECOPIESANDCOLLATE;
    if (config.Option(9) == 0) r.dialogFlags |= PD_RETURNDEFAULT;
    switch (choice) {
        case PrinterChoice::Receipt:
            if (config.Int32(cfg::kTermCodes) != 0) {
                r.byName = true;
                r.name = config.Text(cfg::kReceiptPrinter, kReceiptPrinterNameWidth);
            }
            break;
        case PrinterChoice::Kitchen:
            r.dialogFlags |= PD_RETURNDEFAULT;
            r.singleCopy = true;
            if (config.Option(1) != 0) {
                r.byName = true;
                r.name = config.Text(cfg::kKitchenPrinter, cfg::kLongTextWidth);
            }
            break;
        case PrinterChoice::Document:
            break;
    }
    return r;
}

JobResult RunPrintJob(HWND owner, PrinterChoice choice, const DrawPage& draw, const AfterCopy& afterCopy,
                      int extraCopies) {
    const PrinterRequest request = ChoosePrinter(g_app.live, choice);

    HDC dc = nullptr;
    int copies = 1;
    if (request.byName) {
        dc = CreateDCA("WINSPOOL", request.name.c_str(), nullptr, nullptr);
        // A configured printer that does not open prints nothing, silently.
        if (!dc) return JobResult::Printed;
    } else {
        PRINTDLGA pd{};
        pd.lStructSize = sizeof pd;
        pd.hwndOwner = owner;
        pd.Flags = request.dialogFlags;
        pd.nCopies = 1;
        const BOOL chosen = PrintDlgA(&pd);
        FreeDialogHandles(pd);
        if (!chosen || !pd.hDC) {
            ReleasePrinter(pd.hDC);
            return JobResult::Cancelled;
        }
        dc = pd.hDC;
        copies = pd.nCopies > 0 ? pd.nCopies : 1;
    }
    if (request.singleCopy) copies = 1;
    else if (extraCopies > 0) copies += extraCopies;

    for (int copy = 0; copy < copies; ++copy) {
        if (PrintOneCopy(dc, draw) && afterCopy) afterCopy();
    }
    ReleasePrinter(dc);
    return JobResult::Printed;
}

JobResult RunCancellablePrintJob(const DrawPage& draw) {
    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_HIDEPRINTTOFILE;
    pd.nCopies = 1;
    const BOOL chosen = PrintDlgA(&pd);
    FreeDialogHandles(pd);
    if (!chosen || !pd.hDC) {
        ReleasePrinter(pd.hDC);
        return JobResult::Cancelled;
    }
    const int copies = pd.nCopies > 0 ? pd.nCopies : 1;
    if (g_app.mainWindow) EnableWindow(g_app.mainWindow, FALSE);
    g_aborted = false;
    g_abortDialog = CreateDialogParamA(g_app.instance, "PRINTDLGBOX", g_app.mainWindow, AbortDialogProc, 0);
    SetAbortProc(pd.hDC, AbortProc);
    for (int copy = 0; copy < copies && !g_aborted; ++copy) PrintOneCopy(pd.hDC, draw, Aborted);
    if (!g_aborted) {
        if (g_app.mainWindow) EnableWindow(g_app.mainWindow, TRUE);
        if (g_abortDialog) DestroyWindow(g_abortDialog);
        g_abortDialog = nullptr;
    }
    ReleasePrinter(pd.hDC);
    return JobResult::Printed;
}

}  // namespace print
