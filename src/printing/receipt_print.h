// Drawing the receipts and the kitchen ticket of the live basket on a printer's
// device context: the receipt font, the metrics, the layout, the renderer.
#pragma once
#include <windows.h>

#include <cstdint>

#include "printing/receipt_layout.h"

namespace print {

// One page of the standard (2405) or custom (2413) receipt.
void PrintReceipt(HDC dc, int kind);
// One page of the kitchen ticket.
void PrintKitchenTicketPage(HDC dc);

// What receipts and documents print of the live terminal: the basket, configuration,
// wording, header texts, last tender, current customer and table, and the current
// time and date texts. The pointers refer to g_app. The logo sizes are left 0 x 0:
// each drawing loads its own logo.
SaleDocumentInputs CurrentSaleInputs();

// A logo file of the data directory ("receipt.bmp", "letter.bmp") and its size in
// pixels; null and 0 x 0 when it does not load. The caller deletes it.
HBITMAP LoadLogo(const char* fileName, PictureSize& size);

// The receipt font's point size for switch [34]: 0 = the printer's own font.
int ReceiptFontPoints(std::int32_t fontSwitch);

// Arial of `points` for `dc` (weight 400); null after "Unable set font" when it
// cannot be made. The caller deletes it.
HFONT CreatePrintFont(HDC dc, int points, int weight = FW_NORMAL);

}  // namespace print
