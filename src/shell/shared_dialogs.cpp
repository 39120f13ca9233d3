#include "shell/shared_dialogs.h"

#include <commctrl.h>

#include <optional>
#include <utility>
#include <vector>

#include "basket/money.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/dialog_plumbing.h"
#include "shell/message_box.h"
#include "shell/shared_dialogs_logic.h"

namespace {

void LimitEdit(HWND dialog, int id, std::size_t length) {
    SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, length, 0);
}

INT_PTR CALLBACK CloseOnOkOrCancelProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

struct BasketChoice {
    int currentTable;  // its button is marked on opening
};

INT_PTR CALLBACK BasketChoiceProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* data = DialogData<BasketChoice>(dialog, message, lParam);
    switch (message) {
    case WM_INITDIALOG:
        if (const int button = BasketButtonOfTable(data->currentTable))
            SetDlgItemTextA(dialog, button, CurrentBasketTableLabel(data->currentTable).c_str());
        return TRUE;
    case WM_COMMAND:
        if (const int table = BasketTableOfButton(LOWORD(wParam))) {
            EndDialog(dialog, table);
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

// An edit box of a text dialog.
struct EditField {
    int id;
    std::size_t length;  // the most it takes and returns
    std::string text;    // shown on opening, read back on OK
};

// A dialog of texts: labels set on opening, edit boxes read back on OK.
struct TextDialog {
    std::optional<std::string> title;                  // none keeps the template's
    std::vector<std::pair<int, std::string>> labels;  // static texts shown on opening
    std::vector<EditField> edits;                     // the first has the focus
};

INT_PTR CALLBACK TextDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* data = DialogData<TextDialog>(dialog, message, lParam);
    switch (message) {
    case WM_INITDIALOG:
        if (data->title) SetWindowTextA(dialog, data->title->c_str());
        for (const auto& [id, text] : data->labels) SetDlgItemTextA(dialog, id, text.c_str());
        for (const EditField& edit : data->edits) {
            LimitEdit(dialog, edit.id, edit.length);
            SetDlgItemTextA(dialog, edit.id, edit.text.c_str());
        }
        if (data->edits.empty()) return TRUE;
        SetFocus(GetDlgItem(dialog, data->edits.front().id));
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            for (EditField& edit : data->edits) edit.text = DialogItemText(dialog, edit.id, edit.length);
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

bool RunTextDialog(const char* name, HWND owner, TextDialog& data) {
    return RunModalDialog(name, owner, TextDialogProc, &data) == IDOK;
}

struct ItemSearchChoice {
    bool withinSkus = false;  // the type shown on opening, the one chosen on OK
    bool keep = false;        // "Keep search type as default" was ticked on OK
    std::string text;         // the search text on OK
};

INT_PTR CALLBACK ItemSearchProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* data = DialogData<ItemSearchChoice>(dialog, message, lParam);
    switch (message) {
    case WM_INITDIALOG:
        LimitEdit(dialog, IDC_EDIT1, kSearchTextLength);
        CheckRadioButton(dialog, IDC_SEARCH_BY_DESCRIPTION, IDC_SEARCH_WITHIN_SKUS,
                         SearchTypeButton(data->withinSkus));
        SetFocus(GetDlgItem(dialog, IDC_EDIT1));
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            data->text = DialogItemText(dialog, IDC_EDIT1, kSearchTextLength);
            data->withinSkus = IsDlgButtonChecked(dialog, IDC_SEARCH_WITHIN_SKUS) == BST_CHECKED;
            data->keep = IsDlgButtonChecked(dialog, IDC_KEEP_SEARCH_TYPE) == BST_CHECKED;
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

void ShowAboutDialog(HWND owner) { RunModalDialog(MAKEINTRESOURCEA(IDD_ABOUT), owner, CloseOnOkOrCancelProc, nullptr); }

void ShowCalendarDialog(HWND owner) {
    // The month calendar's window class must be registered before the template makes one.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);
    RunModalDialog(MAKEINTRESOURCEA(IDD_CALENDAR), owner, CloseOnOkOrCancelProc, nullptr);
}

int ChooseBasketTable(HWND owner, int currentTable) {
    BasketChoice data{currentTable};
    const INT_PTR table = RunModalDialog("BASKETBOX", owner, BasketChoiceProc, &data);
    return table >= 1 && table <= kBasketTableCount ? static_cast<int>(table) : 0;
}

bool AskTransactionNote(HWND owner, std::string& note) {
    TextDialog data;
    data.edits = {{IDC_EDIT1, kNoteLength, {}}};
    if (!RunTextDialog("PESTER", owner, data)) return false;
    note = data.edits[0].text;
    return true;
}

bool AskItemSearch(HWND owner, TerminalConfig& config, std::string& text, bool& withinSkus) {
    ItemSearchChoice data;
    data.withinSkus = SearchWithinSkusByDefault(config);
    if (RunModalDialog("PICBOX", owner, ItemSearchProc, &data) != IDOK) return false;
    KeepSearchType(config, data.keep, data.withinSkus);
    text = data.text;
    withinSkus = data.withinSkus;
    return true;
}

bool AskText(HWND owner, const std::string& prompt, std::string& value) {
    TextDialog data;
    data.labels = {{IDC_PROMPT, prompt}};
    data.edits = {{IDC_EDIT1, kPromptValueLength, value}};
    if (!RunTextDialog("EDITBOX", owner, data)) return false;
    value = data.edits[0].text;
    return true;
}

bool AskTwoFields(HWND owner, const std::string& title, const std::string& caption, std::string& field1,
                  std::string& field2) {
    TextDialog data;
    data.title = title;
    data.labels = {{IDC_GROUP_CAPTION, caption}};
    data.edits = {{IDC_EDIT1, kTwoFieldFirstLength, {}}, {IDC_EDIT2, kTwoFieldSecondLength, {}}};
    if (!RunTextDialog("EDIT2BOX", owner, data)) return false;
    field1 = data.edits[0].text;
    field2 = data.edits[1].text;
    return true;
}

namespace {

struct ListedNumbers {
    const std::function<std::vector<std::string>(bool&)>& listMatches;
    const char* noMatchCaption;
    std::int64_t chosen = 0;
};

bool ChooseSelectedLine(HWND dialog, ListedNumbers& d) {
    HWND list = GetDlgItem(dialog, IDC_SELECT_LIST);
    const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR) return false;
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, index, 0);
    std::string line(static_cast<std::size_t>(length < 0 ? 0 : length) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(line.data()));
    d.chosen = LeadingNumber(line);
    return true;
}

INT_PTR CALLBACK ListedNumbersProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = DialogData<ListedNumbers>(dialog, message, lParam);
    if (!d) return FALSE;
    switch (message) {
    case WM_INITDIALOG: {
        HWND list = GetDlgItem(dialog, IDC_SELECT_LIST);
        bool failed = false;
        const std::vector<std::string> lines = d->listMatches(failed);
        for (const std::string& line : lines)
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        if (failed) ShowMessage(dialog, listmsg::kNetworkError, listmsg::kProblem);
        if (lines.empty()) {
            if (!failed) ShowMessage(dialog, listmsg::kNoMatch, d->noMatchCaption);
            EndDialog(dialog, 0);
            return TRUE;
        }
        SendMessageA(list, LB_SETCURSEL, 0, 0);
        SetFocus(list);
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || (LOWORD(wParam) == IDC_SELECT_LIST && HIWORD(wParam) == LBN_DBLCLK)) {
            EndDialog(dialog, ChooseSelectedLine(dialog, *d) ? 1 : 0);
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

}  // namespace

bool ChooseListedNumber(HWND owner, const std::function<std::vector<std::string>(bool& failed)>& listMatches,
                        const char* noMatchCaption, std::int64_t& chosen) {
    ListedNumbers data{listMatches, noMatchCaption};
    if (RunModalDialog(MAKEINTRESOURCEA(IDD_SELECT_LIST), owner, ListedNumbersProc, &data) != 1) return false;
    chosen = data.chosen;
    return true;
}
