#include "customers/customer_window.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "customers/customer_form.h"
#include "customers/customer_search.h"
#include "link/please_wait.h"
#include "link/remote.h"
#include "logs/day_log.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/commands.h"
#include "shell/dialog_plumbing.h"
#include "shell/message_box.h"
#include "shell/shared_dialogs.h"

namespace {

CustomerRecord g_currentCustomer;

void FillBoxes(HWND dialog, const BoxTexts& boxes) {
    for (const auto& [id, text] : boxes) SetDlgItemTextA(dialog, id, text.c_str());
}

bool FetchWithWait(const CustomerKey& key, CustomerRecord& customer) {
    PleaseWait wait(g_app.mainWindow);
    return RemoteFetchCustomer(key, customer) == 0;
}

// "CUSTLIST": the matches of a name search; ends with 1 and the chosen number, or 0.
struct SelectionList {
    CustomerKey key;
    std::int64_t chosen = 0;
};

bool ChooseSelected(HWND dialog, SelectionList& d) {
    HWND list = GetDlgItem(dialog, IDC_CUSTOMER_LIST);
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return false;
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
    std::string line(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(line.data()));
    d.chosen = LeadingNumber(line);
    return true;
}

INT_PTR CALLBACK SelectionListProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = DialogData<SelectionList>(dialog, message, lParam);
    if (!d) return FALSE;
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowTextA(dialog, custmsg::kSelectTitle);
        HWND list = GetDlgItem(dialog, IDC_CUSTOMER_LIST);
        bool failed = false;
        std::vector<std::string> lines;
        {
            PleaseWait wait(g_app.mainWindow);
            lines = ListMatches(d->key, [](const CustomerKey& k, CustomerRecord& c) {
                return RemoteFetchCustomer(k, c) == 0;
            }, failed);
        }
        for (const std::string& line : lines)
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        if (failed) ShowMessage(dialog, custmsg::kNetworkError, custmsg::kProblem);
        if (lines.empty()) {
            if (!failed) ShowMessage(dialog, custmsg::kNoMatch, custmsg::kSearchCaption);
            EndDialog(dialog, 0);
            return TRUE;
        }
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        SetFocus(list);
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || (LOWORD(wParam) == IDC_CUSTOMER_LIST && HIWORD(wParam) == LBN_DBLCLK)) {
            EndDialog(dialog, ChooseSelected(dialog, *d) ? 1 : 0);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

// FIND CUSTOMER (804): OK ends with 1, Next with 2, Cancel with 0.
INT_PTR CALLBACK FoundCustomerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* c = DialogData<const CustomerRecord>(dialog, message, lParam);
    if (!c) return FALSE;
    if (message == WM_INITDIALOG) {
        RefreshClock();
        FillBoxes(dialog, FoundCustomerBoxes(*c, g_localTime, FormatDateWithLocale));
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
        FillBoxes(dialog, CustomerViewBoxes(*c, g_app.live, g_localTime, FormatDateWithLocale));
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

INT_PTR RunDialog(const char* name, DLGPROC proc, const void* data) {
    return DialogBoxParamA(g_app.instance, name, g_app.mainWindow, proc,
                           reinterpret_cast<LPARAM>(const_cast<void*>(data)));
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
        switch (RunDialog(MAKEINTRESOURCEA(IDD_CUSTOMER_FORM), CustomerFormProc, &form)) {
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

void ReturnFocusToItemBox() {
    if (g_app.itemBox) SetFocus(g_app.itemBox);
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
        SelectionList list{key, 0};
        if (RunDialog("CUSTLIST", SelectionListProc, &list) != 1) return false;
        chosen = list.chosen;
        return true;
    };
    steps.fetch = FetchWithWait;
    steps.showFound = [](const CustomerRecord& c) {
        switch (RunDialog(MAKEINTRESOURCEA(IDD_FIND_CUSTOMER), FoundCustomerProc, &c)) {
        case 1: return FoundAnswer::Ok;
        case 2: return FoundAnswer::Next;
        default: return FoundAnswer::Cancel;
        }
    };
    steps.showView = [](const CustomerRecord& c) {
        RunDialog(MAKEINTRESOURCEA(IDD_CUSTOMER_VIEW), CustomerViewProc, &c);
    };
    steps.tell = [](const char* text, const char* caption) { ShowMessage(g_app.mainWindow, text, caption); };
    return steps;
}

}  // namespace

void FindCustomer() {
    RunCustomerSearch(g_currentCustomer, g_app.live.Option(custcfg::kSelectionList) != 0,
                      WindowSearchSteps(custmsg::kFindTitle));
    ReturnFocusToItemBox();
}

void AddCustomer() {
    RunAddCustomer(g_currentCustomer, g_app.live, FormSteps());
    ReturnFocusToItemBox();
}

void AmendCustomer() {
    SearchSteps search = WindowSearchSteps(formmsg::kAmendTitle);
    search.showView = [](const CustomerRecord&) {};  // amend goes straight on to the form
    RunAmendCustomer(g_currentCustomer, g_app.live, search, FormSteps());
    ReturnFocusToItemBox();
}

void AssociateCustomer() {
    FindCustomer();
    if (g_currentCustomer.Number() == 0) return;
    AssociateWithTransaction(g_currentCustomer, g_app.basket);
    ShowMessage(g_app.mainWindow, g_currentCustomer.Name().c_str(), custmsg::kAssociatedCaption);
    ReturnFocusToItemBox();
}
