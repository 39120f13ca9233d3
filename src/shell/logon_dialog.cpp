#include "shell/logon_dialog.h"

#include "shell/main_window.h"

#include <string>

#include "logs/day_log.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/logon.h"
#include "shell/message_box.h"
#include "shell/shared_dialogs.h"

namespace {

struct LogonDialog {
    const TerminalConfig* config;  // names and skip flags
    HWND centreOver;               // the main window; none keeps the template's place
    LogonState state;              // what the user and password fields show
    int number = 0;                // on OK: the number at the start of the user field
    std::string typed;             // on OK: the password field
};

void CentreOver(HWND dialog, HWND over) {
    RECT outer, own;
    if (!over || !GetWindowRect(over, &outer) || !GetWindowRect(dialog, &own)) return;
    const int x = outer.left + ((outer.right - outer.left) - (own.right - own.left)) / 2;
    const int y = outer.top + ((outer.bottom - outer.top) - (own.bottom - own.top)) / 2;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowState(HWND dialog, const LogonDialog& data) {
    SetDlgItemTextA(dialog, IDC_EDIT2, ShownAssociate(*data.config, data.state.selected).c_str());
    SetDlgItemTextA(dialog, IDC_EDIT1, data.state.password.c_str());
    SendDlgItemMessageA(dialog, IDC_EDIT1, EM_SETSEL, kPasswordCaretPosition, kPasswordCaretPosition);
    SetFocus(GetDlgItem(dialog, IDC_EDIT1));
}

INT_PTR CALLBACK LogonDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* data = DialogData<LogonDialog>(dialog, message, lParam);
    switch (message) {
    case WM_INITDIALOG:
        data->state = LogonState{};
        SendDlgItemMessageA(dialog, IDC_EDIT1, EM_LIMITTEXT, kPasswordLength, 0);
        ShowState(dialog, *data);
        CentreOver(dialog, data->centreOver);
        return FALSE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDOK) {
            data->typed = DialogItemText(dialog, IDC_EDIT1, kPasswordLength);
            data->number = ParseShownAssociate(DialogItemText(dialog, IDC_EDIT2, kLogonUserFieldLength));
            EndDialog(dialog, 1);
            return TRUE;
        }
        // Cancel, Escape and Alt+F4 all arrive as IDCANCEL: only OK ends a logon.
        if (id == IDCANCEL) return TRUE;
        if (HIWORD(wParam) != BN_CLICKED) break;
        // The password may also have been typed on the keyboard.
        data->state.password = DialogItemText(dialog, IDC_EDIT1, kPasswordLength);
        if (!ApplyLogonButton(data->state, *data->config, id)) break;
        ShowState(dialog, *data);
        return TRUE;
    }
    }
    return FALSE;
}

enum class LogonOutcome { LoggedOn, Refused, NoDialog };

LogonOutcome RunLogon(HWND owner) {
    LogonDialog dialog{&g_app.live, g_app.mainWindow ? g_app.mainWindow : owner, {}, 0, {}};
    const INT_PTR result =
        DialogBoxParamA(g_app.instance, "PASBO2", owner, LogonDialogProc, reinterpret_cast<LPARAM>(&dialog));
    if (g_app.itemBox) SetFocus(g_app.itemBox);
    if (result <= 0) return LogonOutcome::NoDialog;
    if (!LogonAccepted(g_app.live, dialog.number, dialog.typed)) return LogonOutcome::Refused;

    const std::int64_t number = dialog.number;
    const std::string name = g_app.live.AssociateName(number);
    g_app.live.SetCurrentAssociate(number);
    if (g_app.mainWindow) RefreshMenuChecks(g_app.mainWindow);
    RefreshClock();
    StoreLogonTime(g_app.live, g_localTime);
    if (!AppendToDayFile(g_app.dataDir, LogonEntry(g_localTime, number, name))) {
        ShowMessage(g_app.mainWindow, "Data log file", "Problem");
        if (g_app.itemBox) SetFocus(g_app.itemBox);  // the box took it back: the next scan goes in
    }
    SetWindowTextA(g_app.mainWindow, LogonTitle(number, name).c_str());
    g_app.loggedOnThisRun = true;  // the associate's title stays: no clock over it
    return LogonOutcome::LoggedOn;
}

}  // namespace

int LogOn(HWND owner) { return RunLogon(owner) == LogonOutcome::LoggedOn ? 1 : 0; }

void LogOffAndOn(HWND mainWindow) {
    SetWindowTextA(mainWindow, kLoggedOffTitle);
    // A dialog that cannot even be made would otherwise be retried for ever.
    while (RunLogon(mainWindow) == LogonOutcome::Refused) {
    }
}
