// The device configuration dialogs of the Utilities menu. Each is modal over the main
// window, reads g_app.live as it opens and writes it back on OK.
#pragma once
#include "printing/device_config.h"

// "Till configuration": the cash drawer's port, open character and connection.
void RunTillConfiguration();
// "Pole display configuration": the display's port, line settings and texts, with a preview.
void RunPoleConfiguration();
// "Receipt printer": the receipt and kitchen printers, receipt options, footer and logos.
void RunReceiptConfiguration();

// The local and connected printers, as the spooler lists them; none when the listing fails.
PrinterListing ListPrinters();
