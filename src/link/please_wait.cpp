#include "link/please_wait.h"

#include "resources/resource_ids.h"
#include "shell/app_state.h"

namespace {
INT_PTR CALLBACK PleaseWaitProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }
}  // namespace

PleaseWait::PleaseWait(HWND owner) {
    window_ = CreateDialogA(g_app.instance, MAKEINTRESOURCEA(IDD_PLEASE_WAIT), owner, PleaseWaitProc);
    if (window_) {
        ShowWindow(window_, SW_SHOWNORMAL);
        UpdateWindow(window_);
    }
}

void PleaseWait::Close() {
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
}
