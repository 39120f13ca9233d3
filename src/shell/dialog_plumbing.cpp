#include "shell/dialog_plumbing.h"

#include <commctrl.h>

#include "basket/money.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"

namespace {

// Pixels between an entry dialog's right edge and the main window's.
constexpr int kRightInset = 10;
// The two kinds of amount box, as their subclass ids.
constexpr UINT_PTR kDigitsOnlySubclass = 0x4449;  // "DI"
constexpr UINT_PTR kPointedSubclass = 0x5054;     // "PT"

bool IsDigit(WPARAM c) { return c >= '0' && c <= '9'; }

// What a box of this kind keeps of a text.
std::string Kept(UINT_PTR kind, std::string_view text, std::size_t limit) {
    return kind == kPointedSubclass ? PointedAmountOnly(text, limit) : DigitsOnly(text, limit);
}

// The clipboard's text, empty when there is none.
std::string ClipboardText(HWND owner) {
    std::string text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* chars = static_cast<const char*>(GlobalLock(data))) {
            text.assign(chars, strnlen(chars, GlobalSize(data)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

LRESULT CALLBACK AmountBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR kind,
                               DWORD_PTR limit) {
    switch (message) {
    case WM_CHAR:
        // Control characters (Backspace, Ctrl+C/V/X, Enter) pass; printable ones must be
        // digits, or the box's one point.
        if (wParam >= ' ' && !IsDigit(wParam) && !(kind == kPointedSubclass && wParam == '.')) {
            MessageBeep(MB_OK);
            return 0;
        }
        break;
    case WM_PASTE: {
        const std::string kept = Kept(kind, ClipboardText(box), static_cast<std::size_t>(limit));
        SendMessageA(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(kept.c_str()));
        return 0;
    }
    case WM_SETTEXT: {
        const char* text = reinterpret_cast<const char*>(lParam);
        const std::string kept = Kept(kind, text ? text : "", static_cast<std::size_t>(limit));
        return DefSubclassProc(box, message, wParam, reinterpret_cast<LPARAM>(kept.c_str()));
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(box, AmountBoxProc, kind);
        break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

void MakeAmountBox(HWND dialog, int id, std::size_t limit, UINT_PTR kind) {
    HWND box = GetDlgItem(dialog, id);
    if (!box) return;
    if (kind == kDigitsOnlySubclass) SetWindowLongPtrA(box, GWL_STYLE, GetWindowLongPtrA(box, GWL_STYLE) | ES_NUMBER);
    SendMessageA(box, EM_LIMITTEXT, limit, 0);
    SetWindowSubclass(box, AmountBoxProc, kind, limit);
}

}  // namespace

INT_PTR RunModalDialog(const char* name, HWND owner, DLGPROC proc, const void* data) {
    return DialogBoxParamA(g_app.instance, name, owner, proc, reinterpret_cast<LPARAM>(const_cast<void*>(data)));
}

void FillDialogBoxes(HWND dialog, const BoxTexts& boxes) {
    for (const auto& [id, text] : boxes) SetDlgItemTextA(dialog, id, text.c_str());
}

std::string DialogItemText(HWND dialog, int id, std::size_t maxLength) {
    std::string text(maxLength + 1, '\0');
    const UINT n = GetDlgItemTextA(dialog, id, text.data(), static_cast<int>(text.size()));
    text.resize(n < maxLength ? n : maxLength);
    return text;
}

void MakeDigitsOnlyBox(HWND dialog, int id, std::size_t limit) { MakeAmountBox(dialog, id, limit, kDigitsOnlySubclass); }

void MakePointedAmountBox(HWND dialog, int id, std::size_t limit) { MakeAmountBox(dialog, id, limit, kPointedSubclass); }

HWND OpenEntryDialog(const char* name, DLGPROC proc, void* data) {
    HWND dialog = CreateDialogParamA(g_app.instance, name, g_app.mainWindow, proc, reinterpret_cast<LPARAM>(data));
    if (!dialog) return nullptr;
    g_app.entryDialog = dialog;
    ShowWindow(dialog, SW_SHOW);
    SetFocus(GetDlgItem(dialog, IDC_EDIT1));
    return dialog;
}

void CloseEntryDialog(HWND dialog) { DestroyWindow(dialog); }

void EntryDialogDestroyed(HWND dialog) {
    if (g_app.entryDialog == dialog) g_app.entryDialog = nullptr;
}

void PlaceBesideMainWindow(HWND dialog) {
    RECT main, box;
    if (!g_app.mainWindow || !GetWindowRect(g_app.mainWindow, &main) || !GetWindowRect(dialog, &box)) return;
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    const int x = main.right - kRightInset - width;
    const int y = main.top + ((main.bottom - main.top) - height) / 2;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
