// The payment commands and their modeless dialogs: "CashBox" (the cash tender, also
// the cash part of a split) and "Split". The dialogs move text between their
// controls and payment/tender.h; the sale is finished by payment/commit_window.h.
#pragma once
#include <windows.h>

#include "payment/tender.h"

// "Cash": opens the CashBox for the basket total (after "Please select items" when
// the basket is empty; nothing while another entry dialog is open).
void StartCashPayment();
// "CH" and "EFT": no dialog; the whole total is tendered and the sale finished.
void PayWithoutTender(PaymentKind kind);
// "Split Cash Other": opens the Split dialog.
void StartSplitPayment();

// Opens the CashBox modeless for `due` and makes it the open entry dialog. Returns
// the dialog, nullptr when it could not be created.
HWND OpenCashTender(TenderKind kind, double due);
// Opens the Split dialog modeless for the basket total and makes it the open entry dialog.
HWND OpenSplitDialog();

// The doubled font of the typed amount once a tender dialog has made it, else nullptr.
HFONT ExistingTenderFont();
