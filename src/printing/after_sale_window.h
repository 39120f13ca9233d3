// The after-sale step at the till: drawer, pole display, the automatic document or
// the summary dialog "Tenbox", the kitchen ticket; and the basket print command.
// The decisions are in printing/after_sale.h.
#pragma once
#include <windows.h>

#include "printing/print_job.h"

namespace print {

// After a committed sale, while the basket still holds it.
void RunAfterSaleStep();
// The kitchen ticket of the basket on demand (the caller checks there are lines).
void PrintBasketKitchenTicket();

// Opens the modal summary dialog over `owner` for the live basket and the last tender.
// Returns 1 for "OK", 0 for Escape.
INT_PTR RunSaleSummary(HWND owner);

// What the step hands to the outside world. Tests replace these to watch the print
// jobs, the closing sequence and the e-mail link without a printer or a mail program;
// the defaults are the real ones. `kind` names the document (the summary button id,
// or kKitchenTicketKind) and only serves the watcher.
inline constexpr int kKitchenTicketKind = 0;
struct AfterSaleOutputs {
    JobResult (*runPrintJob)(HWND owner, PrinterChoice choice, int kind, const DrawPage& draw,
                             const AfterCopy& afterCopy, int extraCopies);
    void (*sendClosingSequence)();
    bool (*openLink)(HWND owner, const char* link);  // false when the shell could not open it
};
extern AfterSaleOutputs g_afterSaleOutputs;
extern const AfterSaleOutputs kRealAfterSaleOutputs;

}  // namespace print
