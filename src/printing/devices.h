// The pole display, the till drawer and the receipt printer's closing sequence:
// each output opens its port, writes, and closes it again. Failures show their
// message and never stop a sale.
#pragma once

namespace devices {

// Pole display (the callers check that one is fitted).
void ShowPoleIdleText();
void ShowPoleItem(const char* description, double lineTotal);
void ShowPoleTotal(double total);
void ShowPoleTenderAndChange(double tendered, double change);

// The pole configuration dialog's "Preview", once it has stored its values in the
// live record: tries the port with the line settings, then shows the passive text.
void PreviewPoleDisplay();

// The till drawer, direct on its port or through the receipt printer.
void OpenTillDrawer();

// The custom receipt's closing control sequence, when one is configured.
void SendClosingSequence();

}  // namespace devices
