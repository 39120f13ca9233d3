#include "link/server_binding.h"

#include <cstring>
#include <string>

#include "link/remote.h"
#include "link/server_name.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/dialog_plumbing.h"
#include "shell/config_file.h"
#include "shell/message_box.h"
#include "inventory/inventory_window.h"
#include "shell/terminal_hooks.h"

namespace {

// Reports a failed binding with its message; true when bound.
bool Bind(const std::string& serverName) {
    switch (BindToServer(serverName)) {
    case BindResult::Bound:
        return true;
    case BindResult::ComposeFailed:
        ShowMessage(g_app.mainWindow, "Unable to form bind.", "Problem");
        return false;
    case BindResult::BindFailed:
        ShowMessage(g_app.mainWindow, "Unable to bind.", "Problem");
        return false;
    }
    return false;
}

}  // namespace

int StartupBinding(LabelTable& fetched) {
    if (!ReadConfigFile(g_app.configPath, g_app.image)) {
        ShowMessage(g_app.mainWindow, "Data file vkc.cfg not present.", "Fatal error");
        return 0;
    }
    if (g_app.image.ServerConnection() == 0) {
        FillDefaultAssociateNames(g_app.image);
        return 0;
    }
    if (!Bind(g_app.image.ServerName())) return 0;
    if (RemoteFetchTerminalConfig(g_app.live) != 0 || RemoteFetchLabelTable(fetched) != 0) {
        ShowMessage(g_app.mainWindow, "Unable to contact server, using defaults.", "Problem");
        return 0;
    }
    return 1;
}

void ConnectToServer(const std::string& serverName) {
    g_app.live.SetServerName(serverName);
    g_app.image.SetServerName(serverName);
    CopyFields(g_app.image, g_app.live, cfg::kKeptAcrossServerFetch);
    if (!Bind(g_app.image.ServerName())) return;

    LabelTable fetched;
    if (RemoteFetchTerminalConfig(g_app.live) != 0) {
        ShowMessage(g_app.mainWindow, "Unable to contact server.", "Problem");
        return;
    }
    CopyFields(g_app.live, g_app.image, cfg::kKeptAcrossServerFetch);
    CopyFields(g_app.live, g_app.image, cfg::kRestoredAcrossServerFetch);
    CopyHeaderTexts(g_app.headers, g_app.live);
    if (RemoteFetchLabelTable(fetched) != 0) {
        ShowMessage(g_app.mainWindow, "Unable to contact server.", "Problem");
        return;
    }
    TakeFetchedLabels(g_app.labels, fetched);
    g_app.offline = 0;
    ShowMessage(g_app.mainWindow, "Connected.", "VARENKO server");
    TransferPicturesAndLoadButtons();
    RepaintCategoryButtons();
    LogOnUntilSuccess();
}

namespace {

struct ServerDialogData {
    std::string proposed;  // shown in the edit box
    std::string typed;     // the accepted name on OK
};

INT_PTR CALLBACK ServerDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* data = DialogData<ServerDialogData>(dialog, message, lParam);
    switch (message) {
    case WM_INITDIALOG:
        SendDlgItemMessageA(dialog, IDC_EDIT1, EM_LIMITTEXT, kServerNameEditLength, 0);
        SetDlgItemTextA(dialog, IDC_EDIT1, data->proposed.c_str());
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            const std::string text = DialogItemText(dialog, IDC_EDIT1, kServerNameEditLength);
            if (const char* refusal = RefuseServerName(text)) {
                ShowMessage(dialog, refusal, "Problem");
                SetFocus(GetDlgItem(dialog, IDC_EDIT1));
                return TRUE;
            }
            data->typed = text;
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

void RunServerDialog(HWND owner) {
    ServerDialogData data;
    data.proposed = ProposedServerName(g_app.image.ServerName(), g_app.computerName);
    if (DialogBoxParamA(g_app.instance, "EDITSERVER", owner, ServerDialogProc,
                        reinterpret_cast<LPARAM>(&data)) != IDOK)
        return;
    ConnectToServer(data.typed);
}
