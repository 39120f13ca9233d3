#include "link/please_wait.h"

#include "resources/resource_ids.h"
#include "shell/app_state.h"

namespace {

// The one "Please wait.." window, kept hidden between calls: made once, then shown and
// hidden for every call. It is never activated, so the focus stays where the associate
// left it and nothing is activated again when it goes. Under Wine, making, activating
// and destroying a window for every call took several milliseconds of each scan.
HWND g_window = nullptr;

void ShowWithoutActivating(HWND window) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

INT_PTR CALLBACK PleaseWaitProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return FALSE;
    ShowWithoutActivating(dialog);  // so that the template's WS_VISIBLE finds it shown, not to be shown active
    return FALSE;                   // and no default focus
}

}  // namespace

PleaseWait::PleaseWait(HWND owner) {
    if (!IsWindow(g_window) || GetWindow(g_window, GW_OWNER) != owner) {
        if (IsWindow(g_window)) DestroyWindow(g_window);
        g_window = CreateDialogA(g_app.instance, MAKEINTRESOURCEA(IDD_PLEASE_WAIT), owner, PleaseWaitProc);
    }
    window_ = g_window;
    if (window_) {
        ShowWithoutActivating(window_);
        UpdateWindow(window_);
    }
}

void PleaseWait::Close() {
    if (window_) ShowWindow(window_, SW_HIDE);
    window_ = nullptr;
}
