// Drawing the business documents of the live basket on a printer's device context.
#pragma once
#include <windows.h>

#include "printing/document_layout.h"
#include "printing/print_job.h"

namespace print {

// Draws the current page of document `kind` (kInvoice1, kInvoice2, kCustomInvoice,
// kDeliveryNote); raises pages.page when another page follows.
void PrintDocumentPage(HDC dc, int kind, PageState& pages);

}  // namespace print
