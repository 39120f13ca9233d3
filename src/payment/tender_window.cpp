#include "payment/tender_window.h"

#include <string>

#include "basket/basket.h"
#include "payment/commit.h"
#include "payment/commit_window.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/message_box.h"
#include "shell/terminal_hooks.h"

static_assert(IDC_EXACT_AMOUNT == kExactAmountButton);
static_assert(IDC_TENDER_5 == kQuickTenders[0].controlId && IDC_TENDER_10 == kQuickTenders[1].controlId &&
              IDC_TENDER_20 == kQuickTenders[2].controlId);

namespace {

// Pixels between the dialog's right edge and the main window's.
constexpr int kRightInset = 10;

// The typed-amount font: the dialog's own, twice as high and wide, made once and kept.
HFONT g_tenderFont = nullptr;

HFONT TenderFont(HWND dialog) {
    if (g_tenderFont) return g_tenderFont;
    HFONT base = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    if (!base) base = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA font = {};
    if (!GetObjectA(base, sizeof font, &font)) return nullptr;
    font.lfHeight *= 2;
    font.lfWidth *= 2;
    g_tenderFont = CreateFontIndirectA(&font);
    return g_tenderFont;
}

std::string BoxText(HWND dialog, int id) {
    char text[kTypedAmountLength + 1] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void FocusBox(HWND dialog, int id) { SetFocus(GetDlgItem(dialog, id)); }

void FocusItemBox() {
    if (g_app.itemBox) SetFocus(g_app.itemBox);
}

int EntryDialogFlag() { return g_app.entryDialog ? 2 : 0; }

// A payment command on an empty basket, or while another entry dialog is open.
bool PaymentMayStart() {
    switch (CheckPaymentStart(g_app.basket.LineCount(), EntryDialogFlag())) {
    case PaymentStart::EmptyBasket:
        ShowMessage(g_app.mainWindow, kPleaseSelectItemsText, kProblemCaption);
        FocusItemBox();
        return false;
    case PaymentStart::DialogOpen: return false;
    case PaymentStart::Go: return true;
    }
    return false;
}

COLORREF ToColorRef(Rgb rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

// A modeless dialog's data lives from WM_INITDIALOG to WM_NCDESTROY.
template <typename Data>
Data* DataOf(HWND dialog, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    return reinterpret_cast<Data*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// Closes the dialog; the flag goes back to 0 as it is destroyed.
void CloseEntryDialog(HWND dialog) { DestroyWindow(dialog); }

HWND OpenEntryDialog(const char* name, DLGPROC proc, void* data) {
    HWND dialog = CreateDialogParamA(g_app.instance, name, g_app.mainWindow, proc, reinterpret_cast<LPARAM>(data));
    if (!dialog) return nullptr;
    g_app.entryDialog = dialog;
    ShowWindow(dialog, SW_SHOW);
    FocusBox(dialog, IDC_EDIT1);
    return dialog;
}

// ---------------------------------------------------------------------------------
// "CashBox"

struct CashBox {
    TenderState state;        // what the dialog shows and decides
    HBRUSH shortBrush;        // change box while the tender is short
    HBRUSH coveredBrush;      // change box once the tender covers the amount due
};

void ShowChange(HWND dialog, CashBox& box) {
    SetDlgItemTextA(dialog, IDC_EDIT2, box.state.changeText.c_str());
    InvalidateRect(GetDlgItem(dialog, IDC_EDIT2), nullptr, TRUE);
}

void InitCashBox(HWND dialog, CashBox& box) {
    PlaceBesideMainWindow(dialog);
    if (box.state.kind == TenderKind::Cash)
        if (HFONT font = TenderFont(dialog)) SendDlgItemMessageA(dialog, IDC_EDIT1, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    SetDlgItemTextA(dialog, IDC_LABEL4, kTypedAmountHint);
    for (const QuickTender& quick : kQuickTenders) SetDlgItemTextA(dialog, quick.controlId, quick.label);
    SetDlgItemTextA(dialog, IDC_AMOUNT_DUE, box.state.dueText.c_str());
}

void CarryOut(HWND dialog, const CashBox& box, TenderOutcome outcome) {
    switch (outcome.action) {
    case TenderAction::Stay:
        ShowMessage(dialog, outcome.message, kProblemCaption);
        FocusBox(dialog, IDC_EDIT1);
        return;
    case TenderAction::Finish: {
        // The dialog's data goes with the window: keep what the finish needs.
        const PaymentKind kind = box.state.kind == TenderKind::Cash ? PaymentKind::Cash : PaymentKind::Split;
        const TenderResult result = box.state.result;
        CloseEntryDialog(dialog);
        FinishSale(kind, result);
        return;
    }
    case TenderAction::Cancel:
        CloseEntryDialog(dialog);
        FocusItemBox();
        return;
    }
}

void OnCashBoxCommand(HWND dialog, CashBox& box, int id) {
    if (id == IDC_EDIT1) {
        TypeTender(box.state, BoxText(dialog, IDC_EDIT1));
        ShowChange(dialog, box);
        return;
    }
    if (id == IDOK) {
        TypeTender(box.state, BoxText(dialog, IDC_EDIT1));
        ShowChange(dialog, box);
        CarryOut(dialog, box, PressTenderOk(box.state));
    } else if (id == IDCANCEL) {
        CarryOut(dialog, box, PressTenderCancel(box.state));
    } else if (id == IDC_EXACT_AMOUNT) {
        CarryOut(dialog, box, PressExactAmount(box.state));
    } else if (const QuickTender* quick = QuickTenderOfButton(id)) {
        CarryOut(dialog, box, PressQuickTender(box.state, quick->value));
    }
}

INT_PTR CALLBACK CashBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    CashBox* box = DataOf<CashBox>(dialog, message, lParam);
    if (!box) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        InitCashBox(dialog, *box);
        return TRUE;
    case WM_COMMAND:
        OnCashBoxCommand(dialog, *box, LOWORD(wParam));
        return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == IDC_EDIT2) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, ToColorRef(ChangeBackground(box->state)));
            return reinterpret_cast<INT_PTR>(box->state.shortOfDue ? box->shortBrush : box->coveredBrush);
        }
        return FALSE;
    case WM_DESTROY:
        if (g_app.entryDialog == dialog) g_app.entryDialog = nullptr;
        return FALSE;
    case WM_NCDESTROY:
        SetWindowLongPtrA(dialog, DWLP_USER, 0);
        DeleteObject(box->shortBrush);
        DeleteObject(box->coveredBrush);
        delete box;
        return FALSE;
    }
    return FALSE;
}

// ---------------------------------------------------------------------------------
// "Split"

struct SplitBox {
    SplitState state;  // what the dialog shows and decides
};

void InitSplit(HWND dialog, SplitBox& box) {
    PlaceBesideMainWindow(dialog);
    SetDlgItemTextA(dialog, IDC_LABEL4, kTypedAmountHint);
    SetDlgItemTextA(dialog, IDC_AMOUNT_DUE, box.state.totalText.c_str());
    CheckRadioButton(dialog, IDC_SPLIT_CH, IDC_SPLIT_EFT, IDC_SPLIT_CH);
}

void OnSplitOk(HWND dialog, SplitBox& box) {
    TypeSplitCash(box.state, BoxText(dialog, IDC_EDIT1));
    box.state.other = IsDlgButtonChecked(dialog, IDC_SPLIT_EFT) == BST_CHECKED ? OtherMethod::Eft : OtherMethod::Cheque;
    const SplitOutcome outcome = PressSplitOk(box.state);
    switch (outcome.action) {
    case SplitAction::Stay:
        ShowMessage(dialog, outcome.message, kProblemCaption);
        SetDlgItemTextA(dialog, IDC_EDIT1, "");
        FocusBox(dialog, IDC_EDIT1);
        return;
    case SplitAction::OpenTender: {
        ApplySplitAmounts(g_app.basket, box.state);
        const double cash = box.state.cash;
        CloseEntryDialog(dialog);
        OpenCashTender(TenderKind::Split, cash);
        return;
    }
    case SplitAction::Cancel: break;
    }
}

void OnSplitCommand(HWND dialog, SplitBox& box, int id) {
    switch (id) {
    case IDC_EDIT1:
        TypeSplitCash(box.state, BoxText(dialog, IDC_EDIT1));
        SetDlgItemTextA(dialog, IDC_EDIT2, box.state.otherText.c_str());
        return;
    case IDOK: OnSplitOk(dialog, box); return;
    case IDCANCEL:
        if (PressSplitCancel(box.state).action == SplitAction::Cancel) {
            CloseEntryDialog(dialog);
            FocusItemBox();
        }
        return;
    }
}

INT_PTR CALLBACK SplitProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    SplitBox* box = DataOf<SplitBox>(dialog, message, lParam);
    if (!box) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        InitSplit(dialog, *box);
        return TRUE;
    case WM_COMMAND:
        OnSplitCommand(dialog, *box, LOWORD(wParam));
        return TRUE;
    case WM_DESTROY:
        if (g_app.entryDialog == dialog) g_app.entryDialog = nullptr;
        return FALSE;
    case WM_NCDESTROY:
        SetWindowLongPtrA(dialog, DWLP_USER, 0);
        delete box;
        return FALSE;
    }
    return FALSE;
}

}  // namespace

void PlaceBesideMainWindow(HWND dialog) {
    RECT main, box;
    if (!g_app.mainWindow || !GetWindowRect(g_app.mainWindow, &main) || !GetWindowRect(dialog, &box)) return;
    const int width = box.right - box.left;
    const int height = box.bottom - box.top;
    const int x = main.right - kRightInset - width;
    const int y = main.top + ((main.bottom - main.top) - height) / 2;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND OpenCashTender(TenderKind kind, double due) {
    auto* box = new CashBox{OpenTender(kind, due), CreateSolidBrush(ToColorRef(kShortBackground)),
                            CreateSolidBrush(ToColorRef(kChangeBackground))};
    HWND dialog = OpenEntryDialog("CashBox", CashBoxProc, box);
    if (!dialog) {
        DeleteObject(box->shortBrush);
        DeleteObject(box->coveredBrush);
        delete box;
    }
    return dialog;
}

HWND OpenSplitDialog() {
    auto* box = new SplitBox{OpenSplit(g_app.basket.Total())};
    HWND dialog = OpenEntryDialog("Split", SplitProc, box);
    if (!dialog) delete box;
    return dialog;
}

void StartCashPayment() {
    if (!PaymentMayStart()) return;
    const double total = g_app.basket.Total();
    if (g_app.live.Switch(basketcfg::kPoleFitted)) ShowPoleTotal(total);
    OpenCashTender(TenderKind::Cash, total);
}

void PayWithoutTender(PaymentKind kind) {
    if (!PaymentMayStart()) return;
    FinishSale(kind, TenderWithoutChange(g_app.basket.Total()));
}

void StartSplitPayment() {
    if (!PaymentMayStart()) return;
    OpenSplitDialog();
}

HFONT ExistingTenderFont() { return g_tenderFont; }
