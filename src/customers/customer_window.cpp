#include "customers/customer_window.h"

#include <windows.h>

#include <string>

#include "customers/customer_form.h"
#include "customers/customer_search.h"
#include "link/please_wait.h"
#include "link/remote.h"
#include "logs/day_log.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/commands.h"
#include "shell/dialog_plumbing.h"
#include "shell/main_window.h"
#include "shell/message_box.h"
#include "shell/shared_dialogs.h"

namespace {

CustomerRecord g_currentCustomer;

bool FetchWithWait(const CustomerKey& key, CustomerRecord& customer) {
    PleaseWait wait(g_app.mainWindow);
    return RemoteFetchCustomer(key, customer) == 0;
}

// FIND CUSTOMER (804): OK ends with 1, Next with 2, Cancel with 0.
INT_PTR CALLBACK FoundCustomerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* c = DialogData<const CustomerRecord>(dialog, message, lParam);
    if (!c) return FALSE;
    if (message == WM_INITDIALOG) {
        RefreshClock();
        FillDialogBoxes(dialog, FoundCustomerBoxes(*c, g_localTime, FormatDateWithLocale));
        return TRUE;
    }
    if (message == WM_COMMAND) {
        switch (LOWORD(wParam)) {
        case IDOK: EndDialog(dialog, 1); return TRUE;
        case IDC_FOUND_NEXT: EndDialog(dialog, 2); return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        }
    }
    return FALSE;
}

// CUSTOMER (803): the whole record; Map opens the billing address on a web map.
INT_PTR CALLBACK CustomerViewProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* c = DialogData<const CustomerRecord>(dialog, message, lParam);
    if (!c) return FALSE;
    if (message == WM_INITDIALOG) {
        RefreshClock();
        FillDialogBoxes(dialog, CustomerViewBoxes(*c, g_app.live, g_localTime, FormatDateWithLocale));
        return TRUE;
    }
    if (message == WM_COMMAND) {
        switch (LOWORD(wParam)) {
        case IDC_VIEW_MAP:
            ShellExecuteA(dialog, "open", MapUrl(*c).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
            return TRUE;
        case IDOK:
        case IDCANCEL: EndDialog(dialog, LOWORD(wParam)); return TRUE;
        }
    }
    return FALSE;
}

// NEW CUSTOMER (802): moves the form's texts and lists in and out; OK ends with 1,
// Next with 2, Cancel with 0.
INT_PTR CALLBACK CustomerFormProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = DialogData<CustomerForm>(dialog, message, lParam);
    if (!form) return FALSE;
    if (message == WM_INITDIALOG) {
        if (form->editing) SetWindowTextA(dialog, formmsg::kAmendTitle);
        for (const FormBox& box : CustomerFormBoxes()) {
            switch (box.kind) {
            case BoxKind::Digits: MakeDigitsOnlyBox(dialog, box.id, box.length); break;
            case BoxKind::Amount: MakePointedAmountBox(dialog, box.id, box.length); break;
            case BoxKind::Text: SendDlgItemMessageA(dialog, box.id, EM_LIMITTEXT, box.length, 0); break;
            }
            SetDlgItemTextA(dialog, box.id, form->texts[box.id].c_str());
        }
        for (const char* code : {"0", "1", "2"})
            SendDlgItemMessageA(dialog, IDC_FORM_TAX_CODE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(code));
        SendDlgItemMessageA(dialog, IDC_FORM_TAX_CODE, CB_SETCURSEL, form->taxCode, 0);
        for (const std::string& terms : TermsChoices(g_app.live))
            SendDlgItemMessageA(dialog, IDC_FORM_TERMS, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(terms.c_str()));
        SendDlgItemMessageA(dialog, IDC_FORM_TERMS, CB_SETCURSEL, form->termsIndex, 0);
        if (form->editing) {
            for (int id : {IDC_FORM_NEXT, IDC_FORM_BALANCE, IDC_FORM_BALANCE_LABEL})
                ShowWindow(GetDlgItem(dialog, id), SW_HIDE);
        }
        SetFocus(GetDlgItem(dialog, form->focusNumber ? IDC_FORM_NUMBER : IDC_FORM_NAME));
        return FALSE;
    }
    if (message != WM_COMMAND) return FALSE;
    const int id = LOWORD(wParam);
    if (id == IDOK || id == IDC_FORM_NEXT) {
        for (const FormBox& box : CustomerFormBoxes()) form->texts[box.id] = DialogItemText(dialog, box.id, box.length);
        const auto selected = [dialog](int list) {
            const LRESULT i = SendDlgItemMessageA(dialog, list, CB_GETCURSEL, 0, 0);
            return i == CB_ERR ? 0 : static_cast<int>(i);
        };
        form->taxCode = selected(IDC_FORM_TAX_CODE);
        form->termsIndex = selected(IDC_FORM_TERMS);
        EndDialog(dialog, id == IDOK ? 1 : 2);
        return TRUE;
    }
    if (id == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

LogStamp StampNow() {
    RefreshClock();
    ClockText date = {};
    FormatDisplayDate(date, g_localTime, FormatDateWithLocale);
    return LogStamp{HourMinuteText(g_localTime), date, g_app.live.CurrentAssociate(),
                    g_app.live.CurrentAssociateName()};
}

bool SendWithWait(unsigned long (*call)(const CustomerRecord&, std::int32_t&), const CustomerRecord& c,
                  std::int32_t& result) {
    PleaseWait wait(g_app.mainWindow);
    return call(c, result) == 0;
}

CustomerSteps FormSteps() {
    CustomerSteps steps;
    steps.nextNumber = [](std::string& text) {
        char reply[kNextCustomerNumberWidth] = {};
        if (RemoteFetchNextCustomerNumber(reply) != 0) return false;
        reply[kNextCustomerNumberWidth - 1] = '\0';
        text = reply;
        return true;
    };
    steps.showForm = [](CustomerForm& form) {
        switch (RunModalDialog(MAKEINTRESOURCEA(IDD_CUSTOMER_FORM), g_app.mainWindow, CustomerFormProc, &form)) {
        case 1: return FormAnswer::Ok;
        case 2: return FormAnswer::Next;
        default: return FormAnswer::Cancel;
        }
    };
    steps.add = [](const CustomerRecord& c, std::int32_t& result) {
        return SendWithWait(RemoteAddCustomer, c, result);
    };
    steps.amend = [](const CustomerRecord& c, std::int32_t& result) {
        return SendWithWait(RemoteAmendCustomer, c, result);
    };
    steps.stamp = StampNow;
    steps.log = [](const LogEntry& entry) { return AppendToDayFile(g_app.dataDir, entry); };
    steps.warn = [] { PlayTerminalSound(149); };
    steps.tell = [](const char* text, const char* caption) { ShowMessage(g_app.mainWindow, text, caption); };
    return steps;
}

}  // namespace

CustomerRecord& CurrentCustomer() { return g_currentCustomer; }

namespace {

SearchSteps WindowSearchSteps(const char* title) {
    SearchSteps steps;
    steps.askText = [title](std::string& text, std::string& second) {
        return AskTwoFields(g_app.mainWindow, title, custmsg::kNumberOrName, text, second);
    };
    steps.chooseFromList = [](const CustomerKey& key, std::int64_t& chosen) {
        const auto list = [&key](bool& failed) {
            PleaseWait wait(g_app.mainWindow);
            return ListMatches(key, [](const CustomerKey& k, CustomerRecord& c) {
                return RemoteFetchCustomer(k, c) == 0;
            }, failed);
        };
        return ChooseListedNumber(g_app.mainWindow, list, custmsg::kSearchCaption, chosen);
    };
    steps.fetch = FetchWithWait;
    steps.showFound = [](const CustomerRecord& c) {
        switch (RunModalDialog(MAKEINTRESOURCEA(IDD_FIND_CUSTOMER), g_app.mainWindow, FoundCustomerProc, &c)) {
        case 1: return FoundAnswer::Ok;
        case 2: return FoundAnswer::Next;
        default: return FoundAnswer::Cancel;
        }
    };
    steps.showView = [](const CustomerRecord& c) {
        RunModalDialog(MAKEINTRESOURCEA(IDD_CUSTOMER_VIEW), g_app.mainWindow, CustomerViewProc, &c);
    };
    steps.tell = [](const char* text, const char* caption) { ShowMessage(g_app.mainWindow, text, caption); };
    return steps;
}

}  // namespace

void FindCustomer() {
    RunCustomerSearch(g_currentCustomer, g_app.live.Option(custcfg::kSelectionList) != 0,
                      WindowSearchSteps(custmsg::kFindTitle));
    FocusItemBox();
}

void AddCustomer() {
    RunAddCustomer(g_currentCustomer, g_app.live, FormSteps());
    FocusItemBox();
}

void AmendCustomer() {
    SearchSteps search = WindowSearchSteps(formmsg::kAmendTitle);
    search.showView = [](const CustomerRecord&) {};  // amend goes straight on to the form
    RunAmendCustomer(g_currentCustomer, g_app.live, search, FormSteps());
    FocusItemBox();
}

void AssociateCustomer() {
    FindCustomer();
    if (g_currentCustomer.Number() == 0) return;
    AssociateWithTransaction(g_currentCustomer, g_app.basket);
    ShowMessage(g_app.mainWindow, g_currentCustomer.Name().c_str(), custmsg::kAssociatedCaption);
    FocusItemBox();
}
