#include "payment/tender_window.h"

#include <string>

#include "basket/basket.h"
#include "payment/commit.h"
#include "payment/commit_window.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/dialog_plumbing.h"
#include "shell/message_box.h"
#include "shell/terminal_hooks.h"

static_assert(IDC_EXACT_AMOUNT == kExactAmountButton);
static_assert(IDC_TENDER_5 == kQuickTenders[0].controlId && IDC_TENDER_10 == kQuickTenders[1].controlId &&
              IDC_TENDER_20 == kQuickTenders[2].controlId);

namespace {

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

std::string BoxText(HWND dialog, int id) { return DialogItemText(dialog, id, kTypedAmountLength); }

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
    MakeDigitsOnlyBox(dialog, IDC_EDIT1, kTypedAmountLength);
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
        CancelTenderAmounts(g_app.basket, box.state);
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
    CashBox* box = DialogData<CashBox>(dialog, message, lParam);
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
        EntryDialogDestroyed(dialog);
        return FALSE;
    case WM_NCDESTROY:
        ForgetDialogData(dialog);
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
    MakeDigitsOnlyBox(dialog, IDC_EDIT1, kTypedAmountLength);
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

void OnSplitCommand(HWND dialog, SplitBox& box, int id, int) {
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

}  // namespace

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
    HWND dialog = OpenEntryDialog("Split", EntryDialogProc<SplitBox, InitSplit, OnSplitCommand>, box);
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
