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

// One copy: the document with its page loop. False when the document did not start.
bool PrintOneCopy(HDC dc, const DrawPage& draw) {
    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = kDocumentName;
    if (StartDocA(dc, &info) <= 0) return false;
    PageState pages;
    pages.page = 1;
    pages.nextLine = 0;
    for (;;) {
        StartPage(dc);
        const int before = pages.page;
        if (draw) draw(dc, pages);
        EndPage(dc);
        if (pages.page == before) break;
    }
    EndDoc(dc);
    return true;
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

}  // namespace print
