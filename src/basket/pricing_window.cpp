#include "basket/pricing_window.h"

#include <windows.h>

#include <optional>
#include <string>

#include "basket/basket.h"
#include "basket/basket_window.h"
#include "basket/item_entry.h"
#include "basket/item_entry_window.h"
#include "basket/money.h"
#include "basket/non_inventory.h"
#include "basket/price_adjust.h"
#include "link/please_wait.h"
#include "link/remote.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/dialog_plumbing.h"
#include "shell/main_window.h"
#include "shell/message_box.h"

namespace {

constexpr const char* kProblem = "Problem";

bool WithItemNumber() { return g_app.live.Switch(basketcfg::kEntryWithNumber) != 0; }

// The price and discount commands start only on a basket with lines and with no other
// entry dialog open.
bool MayOpen() {
    if (BasketLineCount(g_app.basket) < 1) {
        ReturnFocus();
        return false;
    }
    return g_app.entryDialog == nullptr;
}

// The last line's item, looked up again into the current item record; nothing after a
// remote failure (its message shown).
std::optional<InventoryItem> FetchLastLineItem() {
    const int n = BasketLineCount(g_app.basket) - 1;
    const std::optional<ItemKey> key = BuildItemKey(g_app.basket.LineItemNumber(n), "", false);
    if (!key) return std::nullopt;
    unsigned long failure;
    {
        PleaseWait wait(g_app.mainWindow);
        failure = RemoteFetchItem(*key, CurrentItem());
    }
    if (failure) {
        ShowMessage(nullptr, NetworkErrorText(failure).c_str(), kProblem);
        return std::nullopt;
    }
    return CurrentItem();
}

void SetText(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text.c_str()); }

// Closes an entry dialog and gives the item box the focus.
void Finish(HWND dialog) {
    CloseEntryDialog(dialog);
    ReturnFocus();
}

// ---------------------------------------------------------------------------------
// "discount" and "Discoun4": the last line's price.

struct LineDialog {
    LineAdjustState state;
    bool byWeight = false;
    bool showing = false;  // boxes being filled by the code: their changes are not typing
};

void ShowFigures(HWND dialog, LineDialog& d) {
    d.showing = true;
    const LineAdjustState& s = d.state;
    SetText(dialog, IDC_LINE_NON_TAXABLE, s.figures.nonTaxable);
    SetText(dialog, IDC_LINE_TAXABLE, s.figures.taxable);
    SetText(dialog, IDC_LINE_TAX1, s.figures.tax1);
    SetText(dialog, IDC_LINE_TAX2, s.figures.tax2);
    SetText(dialog, IDC_LINE_TOTAL, s.figures.total);
    if (d.byWeight && DialogItemText(dialog, IDC_PRICE_BEFORE_TAX, kTypedAmountLength) != s.priceBeforeTax)
        SetText(dialog, IDC_PRICE_BEFORE_TAX, s.priceBeforeTax);
    d.showing = false;
}

void InitLineDialog(HWND dialog, LineDialog& d) {
    PlaceBesideMainWindow(dialog);
    MakeDigitsOnlyBox(dialog, IDC_EDIT1, kTypedAmountLength);
    const LineAdjustState& s = d.state;
    d.showing = true;
    SetText(dialog, IDC_ITEM_NUMBER, s.itemNumber);
    SetText(dialog, IDC_ITEM_DESCRIPTION, s.description);
    SetText(dialog, IDC_ITEM_COST, s.cost);
    SetText(dialog, IDC_ITEM_LIST_PRICE, s.listPrice);
    if (d.byWeight) {
        MakePointedAmountBox(dialog, IDC_PRICE_BEFORE_TAX, kTypedAmountLength);
        for (int w = 1; w <= kWeightListSize; ++w)
            SendDlgItemMessageA(dialog, IDC_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(w).c_str()));
        SendDlgItemMessageA(dialog, IDC_LIST, CB_SETCURSEL, kWeightListShown, 0);
    }
    d.showing = false;
    ShowFigures(dialog, d);
    SendDlgItemMessageA(dialog, IDC_EDIT1, EM_SETSEL, 0, -1);
}

void LineDialogOk(HWND dialog, LineDialog& d) {
    const AdjustOutcome outcome = d.byWeight ? PressWeightOk(d.state) : PressPriceOk(d.state, g_app.basket);
    if (!outcome.write) {
        ShowMessage(dialog, outcome.message, kProblem);
        SetFocus(GetDlgItem(dialog, d.byWeight ? IDC_PRICE_BEFORE_TAX : IDC_EDIT1));
        return;
    }
    ReplaceLastBasketEntry(WriteLineFigures(g_app.basket, d.state, WithItemNumber()));
    RefreshTotals();
    Finish(dialog);
}

void OnLineDialogCommand(HWND dialog, LineDialog& d, int id, int notification) {
    if (d.showing) return;
    switch (id) {
    case IDC_EDIT1:
        if (notification != EN_CHANGE) return;
        if (d.byWeight)
            TypeWeight(d.state, g_app.live, DialogItemText(dialog, IDC_EDIT1, kTypedAmountLength));
        else
            TypeAdjustedPrice(d.state, g_app.live, DialogItemText(dialog, IDC_EDIT1, kTypedAmountLength));
        ShowFigures(dialog, d);
        return;
    case IDC_PRICE_BEFORE_TAX:
        if (notification != EN_CHANGE) return;
        ChangePriceBeforeTax(d.state, g_app.live, DialogItemText(dialog, IDC_PRICE_BEFORE_TAX, kTypedAmountLength));
        ShowFigures(dialog, d);
        return;
    case IDC_LIST:
        if (notification != CBN_SELCHANGE) return;
        ChooseWeight(d.state, g_app.live, static_cast<int>(SendDlgItemMessageA(dialog, IDC_LIST, CB_GETCURSEL, 0, 0)));
        ShowFigures(dialog, d);
        return;
    case IDC_ZERO_PRICE:
        if (d.byWeight) return;
        PressZero(d.state);
        d.showing = true;
        SetText(dialog, IDC_EDIT1, d.state.typedPrice);
        d.showing = false;
        ShowFigures(dialog, d);
        LineDialogOk(dialog, d);
        return;
    case IDOK: LineDialogOk(dialog, d); return;
    case IDCANCEL: Finish(dialog); return;
    }
}

void StartLineDialog(bool byWeight) {
    if (!MayOpen()) return;
    const std::optional<InventoryItem> item = FetchLastLineItem();
    const bool showCost = CostVisible(g_app.live, g_app.live.CurrentAssociate());
    auto* d = new LineDialog{byWeight ? OpenWeightAdjust(g_app.basket, item, showCost)
                                      : OpenLineAdjust(g_app.basket, item, showCost),
                             byWeight};
    if (!OpenEntryDialog(byWeight ? "Discoun4" : "discount", EntryDialogProc<LineDialog, InitLineDialog, OnLineDialogCommand>, d))
        delete d;
}

// ---------------------------------------------------------------------------------
// "Discountwo" and "Discoun2": the transaction discount.

struct DiscountDialog {
    DiscountState state;
};

void InitDiscountDialog(HWND dialog, DiscountDialog& d) {
    PlaceBesideMainWindow(dialog);
    MakeDigitsOnlyBox(dialog, IDC_EDIT1, kTypedAmountLength);
    const int totals[5] = {1104, 1105, 1106, 1107, 1108};
    for (int i = 0; i < 5; ++i) SetText(dialog, totals[i], d.state.totals[static_cast<std::size_t>(i)]);
    SetText(dialog, IDC_AMENDED_TOTAL, d.state.amended);
    for (const std::string& percent : d.state.percents)
        SendDlgItemMessageA(dialog, IDC_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(percent.c_str()));
    SendDlgItemMessageA(dialog, IDC_LIST, CB_SETCURSEL, 0, 0);
}

void OnDiscountCommand(HWND dialog, DiscountDialog& d, int id, int notification) {
    switch (id) {
    case IDC_EDIT1:
        if (notification != EN_CHANGE) return;
        TypeDiscount(d.state, g_app.basket, DialogItemText(dialog, IDC_EDIT1, kTypedAmountLength));
        SetText(dialog, IDC_AMENDED_TOTAL, d.state.amended);
        return;
    case IDC_LIST: {
        if (notification != CBN_SELCHANGE) return;
        const int index = static_cast<int>(SendDlgItemMessageA(dialog, IDC_LIST, CB_GETCURSEL, 0, 0));
        SetText(dialog, IDC_EDIT1, PercentDiscountTyped(d.state, g_app.basket, index));  // counts as typed
        return;
    }
    case IDOK: {
        const DiscountOutcome outcome = PressDiscountOk(d.state, g_app.basket, g_app.live);
        if (!outcome.close) {
            ShowMessage(dialog, outcome.message, kProblem);
            SetFocus(GetDlgItem(dialog, IDC_EDIT1));
            return;
        }
        RefreshTotals();
        Finish(dialog);
        return;
    }
    case IDCANCEL: Finish(dialog); return;
    }
}

// ---------------------------------------------------------------------------------
// "nbox": the non-inventory sale.

struct NonInventoryDialog {
    NonInventoryState state;
    bool showing = false;
};

constexpr int kPriceButtonIds[7] = {2400, 2401, 2402, 2403, 2404, 2405, 2407};
constexpr char kLetters[] = "QWERTYUIOPASDFGHJKLZXCVBNM";

void ShowNonInventory(HWND dialog, NonInventoryDialog& d) {
    d.showing = true;
    const NonInventoryState& s = d.state;
    if (DialogItemText(dialog, IDC_EDIT1, kNonInventoryDescriptionMax) != s.description) SetText(dialog, IDC_EDIT1, s.description);
    if (DialogItemText(dialog, IDC_NONINV_PRICE, kNonInventoryPriceMax) != s.price) SetText(dialog, IDC_NONINV_PRICE, s.price);
    SetText(dialog, IDC_NONINV_NETT, s.nett);
    SetText(dialog, IDC_NONINV_TAX1, s.tax1Text);
    SetText(dialog, IDC_NONINV_TAX2, s.tax2Text);
    SetText(dialog, IDC_NONINV_TOTAL, s.total);
    CheckDlgButton(dialog, IDC_NONINV_TAX1_BOX, s.tax1 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_NONINV_TAX2_BOX, s.tax2 ? BST_CHECKED : BST_UNCHECKED);
    d.showing = false;
}

// Focus to a field with the caret at its end.
void FocusAtEnd(HWND dialog, int id) {
    HWND box = GetDlgItem(dialog, id);
    SendMessageA(box, EM_SETSEL, 0x7fff, 0x7fff);
    SetFocus(box);
}

void OnNonInventoryCommand(HWND dialog, NonInventoryDialog& d, int id, int notification) {
    NonInventoryState& s = d.state;
    const TerminalConfig& config = g_app.live;
    if (id == IDC_EDIT1 || id == IDC_NONINV_PRICE) {
        if (notification != EN_CHANGE || d.showing) return;
        if (id == IDC_EDIT1)
            s.description = DialogItemText(dialog, IDC_EDIT1, kNonInventoryDescriptionMax);
        else
            SetPrice(s, config, DialogItemText(dialog, IDC_NONINV_PRICE, kNonInventoryPriceMax));
        ShowNonInventory(dialog, d);
        return;
    }
    int focus = 0;
    if (id >= IDC_NONINV_FIRST_CATEGORY && id < IDC_NONINV_FIRST_CATEGORY + 4) {
        ChooseCategory(s, id - IDC_NONINV_FIRST_CATEGORY);
        focus = IDC_NONINV_PRICE;
    } else if (id >= IDC_NONINV_FIRST_LETTER && id < IDC_NONINV_FIRST_LETTER + 26) {
        TypeDescription(s, kLetters[id - IDC_NONINV_FIRST_LETTER]);
        focus = IDC_EDIT1;
    } else if (id == IDC_NONINV_SPACE) {
        TypeDescription(s, ' ');
        focus = IDC_EDIT1;
    } else if (id == IDC_NONINV_DESCRIPTION_ERASE) {
        EraseDescription(s);
        focus = IDC_EDIT1;
    } else if ((id >= 2412 && id <= 2420) || id == IDC_NONINV_ZERO || id == IDC_NONINV_POINT) {
        TypePrice(s, config, id == IDC_NONINV_ZERO ? '0' : id == IDC_NONINV_POINT ? '.' : static_cast<char>('1' + id - 2412));
        focus = IDC_NONINV_PRICE;
    } else if (id == IDC_NONINV_PRICE_ERASE) {
        ErasePrice(s, config);
        focus = IDC_NONINV_PRICE;
    } else if (id == IDC_NONINV_TAX1_BOX || id == IDC_NONINV_TAX2_BOX) {
        SetTaxes(s, config, IsDlgButtonChecked(dialog, IDC_NONINV_TAX1_BOX) == BST_CHECKED,
                 IsDlgButtonChecked(dialog, IDC_NONINV_TAX2_BOX) == BST_CHECKED);
    } else if (id == IDOK) {
        const NonInventoryOutcome outcome = PressAdd(s, g_app.basket, config);
        if (outcome.action == NonInventoryOutcome::kAdded) {
            AppendBasketEntry(outcome.entry);
            RefreshTotals();
            EndDialog(dialog, 1);
            return;
        }
        ShowMessage(g_app.mainWindow, outcome.message, kProblem);
        if (outcome.action == NonInventoryOutcome::kFull) {
            EndDialog(dialog, 0);
            return;
        }
        focus = outcome.focusPrice ? IDC_NONINV_PRICE : IDC_EDIT1;
    } else if (id == IDCANCEL) {
        EndDialog(dialog, 0);
        return;
    } else {
        for (int i = 0; i < 7; ++i)
            if (id == kPriceButtonIds[i]) {
                SetPrice(s, config, kPriceButtons[i]);
                ShowNonInventory(dialog, d);
                SetFocus(GetDlgItem(dialog, IDOK));
                return;
            }
        return;
    }
    ShowNonInventory(dialog, d);
    if (focus) FocusAtEnd(dialog, focus);
}

INT_PTR CALLBACK NonInventoryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = DialogData<NonInventoryDialog>(dialog, message, lParam);
    if (!d) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        SendDlgItemMessageA(dialog, IDC_EDIT1, EM_LIMITTEXT, kNonInventoryDescriptionMax, 0);
        MakePointedAmountBox(dialog, IDC_NONINV_PRICE, kNonInventoryPriceMax);
        for (int i = 0; i < 4; ++i)
            SetText(dialog, IDC_NONINV_FIRST_CATEGORY + i, d->state.categories[static_cast<std::size_t>(i)]);
        ShowNonInventory(dialog, *d);
        SetFocus(GetDlgItem(dialog, IDC_EDIT1));
        return FALSE;
    case WM_COMMAND: OnNonInventoryCommand(dialog, *d, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    }
    return FALSE;
}

}  // namespace

void StartPriceAdjust() { StartLineDialog(false); }
void StartWeightAdjust() { StartLineDialog(true); }

void StartDiscount() {
    if (!MayOpen()) return;
    const bool offTotal = g_app.live.Switch(pricecfg::kDiscountOffTotal) != 0;
    auto* d = new DiscountDialog{OpenDiscount(g_app.basket, offTotal)};
    if (!OpenEntryDialog(offTotal ? "Discountwo" : "Discoun2", EntryDialogProc<DiscountDialog, InitDiscountDialog, OnDiscountCommand>, d))
        delete d;
}

bool SellNonInventoryItem() {
    NonInventoryDialog d{OpenNonInventory(g_app.live)};
    const INT_PTR added = DialogBoxParamA(g_app.instance, "nbox", g_app.mainWindow, NonInventoryProc,
                                          reinterpret_cast<LPARAM>(&d));
    ReturnFocus();
    return added == 1;
}
