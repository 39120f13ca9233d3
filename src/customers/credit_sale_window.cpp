#include <windows.h>

#include <string>

#include "basket/basket_window.h"
#include "customers/credit_sale.h"
#include "customers/customer_form.h"
#include "customers/customer_window.h"
#include "logs/day_log.h"
#include "payment/commit.h"
#include "payment/commit_window.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/dialog_plumbing.h"
#include "shell/main_window.h"
#include "shell/message_box.h"
#include "shell/terminal_hooks.h"

namespace {

constexpr COLORREF kPaleYellow = RGB(240, 240, 200);
constexpr COLORREF kRed = RGB(240, 0, 0);
constexpr COLORREF kGrey = RGB(200, 200, 200);

struct SaleDialog {
    const CustomerRecord* customer;
    HBRUSH yellow = nullptr, red = nullptr, grey = nullptr;
};

// The background of a box, or none for the dialog's own.
HBRUSH BoxBrush(const SaleDialog& d, int id, COLORREF& colour) {
    switch (id) {
    case IDC_SALE_TAX_CODE:
        colour = IsTaxExempt(*d.customer) ? kRed : kPaleYellow;
        return IsTaxExempt(*d.customer) ? d.red : d.yellow;
    case IDC_SALE_CUSTOMER:
    case IDC_SALE_NAME:
    case IDC_SALE_ROAD:
    case IDC_SALE_TELEPHONE:
    case IDC_SALE_COMMENT:
    case IDC_SALE_COMMENT2: colour = kPaleYellow; return d.yellow;
    case IDC_SALE_PREVIOUS_BALANCE:
    case IDC_SALE_AMOUNT: colour = kGrey; return d.grey;
    default: return nullptr;
    }
}

// "Customer transaction" (806): ends with the payment chosen, 0 for Cancel.
INT_PTR CALLBACK CustomerSaleProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = DialogData<SaleDialog>(dialog, message, lParam);
    if (!d) return FALSE;
    switch (message) {
    case WM_INITDIALOG: {
        d->yellow = CreateSolidBrush(kPaleYellow);
        d->red = CreateSolidBrush(kRed);
        d->grey = CreateSolidBrush(kGrey);
        const std::string clerk =
            std::to_string(g_app.live.CurrentAssociate()) + ", " + g_app.live.CurrentAssociateName();
        FillDialogBoxes(dialog, CustomerSaleBoxes(g_app.basket, *d->customer, g_app.live.TransactionNumber(), clerk,
                                                  g_localTime, FormatDateWithLocale));
        return TRUE;
    }
    case WM_CTLCOLORSTATIC: {
        COLORREF colour = 0;
        HBRUSH brush = BoxBrush(*d, GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), colour);
        if (!brush) return FALSE;
        SetBkColor(reinterpret_cast<HDC>(wParam), colour);
        return reinterpret_cast<INT_PTR>(brush);
    }
    case WM_COMMAND: {
        CustomerPayment payment = CustomerPayment::None;
        switch (LOWORD(wParam)) {
        case IDOK: payment = CustomerPayment::Credit; break;
        case IDC_SALE_CASH: payment = CustomerPayment::Cash; break;
        case IDC_SALE_CHEQUE: payment = CustomerPayment::Cheque; break;
        case IDC_SALE_EFT: payment = CustomerPayment::Eft; break;
        case IDCANCEL: break;
        default: return FALSE;
        }
        EndDialog(dialog, static_cast<INT_PTR>(payment));
        return TRUE;
    }
    case WM_DESTROY:
        for (HBRUSH brush : {d->yellow, d->red, d->grey}) DeleteObject(brush);
        return FALSE;
    }
    return FALSE;
}

}  // namespace

void SellOnCredit() {
    TransactionRecord& basket = g_app.basket;
    if (basket.LineCount() < 1) {
        ShowMessage(g_app.mainWindow, creditmsg::kSelectItems, custmsg::kProblem);
        FocusItemBox();
        return;
    }
    if (g_app.entryDialog) return;
    FindCustomer();
    CustomerRecord& customer = CurrentCustomer();
    if (customer.Number() == 0) return;
    if (ExceedsCreditLimit(customer, basket.Total()) &&
        ShowMessage(g_app.mainWindow, creditmsg::kExceeded, creditmsg::kCreditLimitCaption,
                    MB_OKCANCEL | MB_ICONWARNING) != IDOK)
        return;

    RefreshClock();
    const std::int32_t number = g_app.live.TransactionNumber();
    PrepareCustomerSale(basket, customer, number, SaleTimeText(g_localTime),
                        SaleDateText(g_localTime, FormatDateWithLocale),
                        static_cast<std::int32_t>(g_app.live.CurrentAssociate()));
    SaleDialog data{&customer};
    const auto payment = static_cast<CustomerPayment>(DialogBoxParamA(
        g_app.instance, MAKEINTRESOURCEA(IDD_CUSTOMER_SALE), g_app.mainWindow, CustomerSaleProc,
        reinterpret_cast<LPARAM>(&data)));
    if (payment != CustomerPayment::Credit && payment != CustomerPayment::Cash &&
        payment != CustomerPayment::Cheque && payment != CustomerPayment::Eft) {
        FocusItemBox();
        return;
    }
    RefreshClock();
    SettleCustomerSale(basket, customer, payment, g_clockText, number);
    g_saleTender = TenderResult{basket.Total(), 0};

    const std::int32_t result = CommitTransaction();
    if (result == 0) {
        FocusItemBox();
        return;
    }
    if (payment == CustomerPayment::Credit &&
        !AppendToDayFile(g_app.dataDir, CreditSaleLogEntry(g_clockText, InterpretCommitAnswer(result).committedNumber, basket,
                                                            g_app.live.CurrentAssociateName(), customer))) {
        ShowMessage(nullptr, formmsg::kNoLog, formmsg::kNoLogCaption);
        return;
    }
    AfterSaleStep();
    ForgetBasket();
    AdvanceTransactionNumber(g_app.live, result);
    RefreshTotals();  // also sound 151 unless sounds are off
    FocusItemBox();
}
