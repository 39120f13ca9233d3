// What every dialog procedure of the terminal shares: its data pointer, reading a
// box, digits-only amount boxes, and the open and close of the modeless entry
// dialogs (payment, price, weight and discount) with their place beside the main
// window.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

#include "shell/shared_dialogs_logic.h"

// A dialog's data: the pointer handed to it at creation, kept from WM_INITDIALOG on.
// Null before WM_INITDIALOG and after the window has let it go.
template <typename Data>
Data* DialogData(HWND dialog, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    return reinterpret_cast<Data*>(GetWindowLongPtrA(dialog, DWLP_USER));
}
// Lets the data go (WM_NCDESTROY of a modeless dialog that owns it).
inline void ForgetDialogData(HWND dialog) { SetWindowLongPtrA(dialog, DWLP_USER, 0); }

// Runs the modal dialog of template `name` with `data` as its data pointer; its result.
INT_PTR RunModalDialog(const char* name, HWND owner, DLGPROC proc, const void* data);
// Sets each box's text.
void FillDialogBoxes(HWND dialog, const BoxTexts& boxes);

// Up to maxLength characters of a dialog control's text.
std::string DialogItemText(HWND dialog, int id, std::size_t maxLength);

// Makes a dialog's edit box take digits only, at most `limit` of them: typed
// characters other than digits are refused, and text pasted into it keeps only its
// digits.
void MakeDigitsOnlyBox(HWND dialog, int id, std::size_t limit);
// The same for a price typed with its decimal point: digits and one point.
void MakePointedAmountBox(HWND dialog, int id, std::size_t limit);

// Creates a modeless entry dialog from template `name` over the main window, makes it
// the open entry dialog, shows it and focuses its edit 1101. Null when it could not
// be created (the caller still owns `data` then).
HWND OpenEntryDialog(const char* name, DLGPROC proc, void* data);
// Closes an entry dialog; the open-entry-dialog handle goes back to none as it is
// destroyed (EntryDialogDestroyed from its WM_DESTROY).
void CloseEntryDialog(HWND dialog);
void EntryDialogDestroyed(HWND dialog);

// The procedure of a modeless entry dialog that owns its data (made with new): `Init`
// at WM_INITDIALOG, `Command` (control id, notification) for WM_COMMAND; the flag of
// the open entry dialog is cleared and the data deleted as the window goes.
template <typename Data, void (*Init)(HWND, Data&), void (*Command)(HWND, Data&, int, int)>
INT_PTR CALLBACK EntryDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Data* data = DialogData<Data>(dialog, message, lParam);
    if (!data) return FALSE;
    switch (message) {
    case WM_INITDIALOG: Init(dialog, *data); return FALSE;  // the opener sets the focus
    case WM_COMMAND: Command(dialog, *data, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_DESTROY: EntryDialogDestroyed(dialog); return FALSE;
    case WM_NCDESTROY:
        ForgetDialogData(dialog);
        delete data;
        return FALSE;
    }
    return FALSE;
}

// Puts a modeless entry dialog 10 pixels in from the right edge of the main window,
// centred on it vertically; its size is kept.
void PlaceBesideMainWindow(HWND dialog);
