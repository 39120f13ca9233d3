// The print job every printed document runs: choosing the printer (by name, the
// print dialog or the default printer), the "VARENKO" document with its page loop,
// the copies, and releasing the device context.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "printing/page_plan.h"
#include "shell/terminal_config.h"

namespace print {

// How a job gets its device context: the print-dialog request, or a printer by name.
struct PrinterRequest {
    DWORD dialogFlags = 0;   // PRINTDLGA flags when the print dialog (or default) is asked
    bool byName = false;     // create the device context for `name` instead
    std::string name;        // the configured printer's name
    bool singleCopy = false; // one copy whatever the request says (the kitchen ticket)
};

// The request for `choice` under `config`: option [9] 0 omits the dialog (default
// printer); the long at 516 non-zero names the receipt printer; option [1] non-zero
// names the kitchen printer, which otherwise is always the default printer.
PrinterRequest ChoosePrinter(const TerminalConfig& config, PrinterChoice choice);

// Draws the current page into `dc`.
using DrawPage = std::function<void(HDC dc, PageState& pages)>;
// Runs after each printed copy (the custom receipt sends its closing sequence).
using AfterCopy = std::function<void()>;

enum class JobResult {
    Printed,     // every copy went to the printer (or the named printer gave no device context)
    Cancelled,   // the print dialog was cancelled or failed: nothing printed
};

// Runs the whole job on g_app.live's printer choice: `extraCopies` are printed beyond
// the copy count the print request returns (the automatic document's second copy);
// `afterCopy` runs after each copy whose document was started. A copy count chosen in
// the print dialog is made by the printer driver (the DEVMODE of the device context),
// so the request itself returns one copy.
JobResult RunPrintJob(HWND owner, PrinterChoice choice, const DrawPage& draw, const AfterCopy& afterCopy = {},
                      int extraCopies = 0);

// A job the associate can cancel (the printed log): the print dialog with no owner,
// then, while it prints, the main window disabled and the "PRINTDLGBOX" dialog open
// with its abort procedure. Each copy asked for is a document of its own from page 1;
// "Cancel" stops after the current band and prints no further copy.
JobResult RunCancellablePrintJob(const DrawPage& draw);

}  // namespace print
