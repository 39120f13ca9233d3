#include <windows.h>

#include <string>

#include "basket/basket_window.h"
#include "customers/customer_form.h"
#include "customers/customer_window.h"
#include "customers/refund.h"
#include "link/please_wait.h"
#include "link/remote.h"
#include "logs/day_log.h"
#include "payment/commit.h"
#include "printing/print_job.h"
#include "printing/receipt_print.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/dialog_plumbing.h"
#include "shell/message_box.h"

// <windows.h> maps this name to the system call's 8-bit variant; here it is the record's.
#undef SetComputerName

namespace {

struct RefundDialog {
    std::string date;  // shown, and the record's date text
    RefundChoices choices;
};

INT_PTR CALLBACK RefundProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = DialogData<RefundDialog>(dialog, message, lParam);
    if (!d) return FALSE;
    if (message == WM_INITDIALOG) {
        CheckRadioButton(dialog, IDC_REFUND_TO_STOCK, IDC_REFUND_FAULTY, IDC_REFUND_TO_STOCK);
        CheckRadioButton(dialog, IDC_REFUND_CASH, IDC_REFUND_CREDIT, IDC_REFUND_CASH);
        FillDialogBoxes(dialog, RefundBoxes(g_app.basket, g_app.live.TransactionNumber(), d->date));
        SetFocus(GetDlgItem(dialog, IDC_REFUND_TO_STOCK));
        return FALSE;
    }
    if (message != WM_COMMAND) return FALSE;
    if (LOWORD(wParam) == IDOK) {
        const auto ticked = [dialog](int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; };
        d->choices.faulty = ticked(IDC_REFUND_FAULTY);
        d->choices.method = ticked(IDC_REFUND_CHEQUE) ? RefundMethod::Cheque
                            : ticked(IDC_REFUND_EFT)  ? RefundMethod::Eft
                            : ticked(IDC_REFUND_CREDIT) ? RefundMethod::Credit
                                                        : RefundMethod::Cash;
        d->choices.print = ticked(IDC_REFUND_PRINT);
        EndDialog(dialog, 1);
        return TRUE;
    }
    if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void RefundBasket() {
    TransactionRecord& basket = g_app.basket;
    if (BasketListCount() < 1) {
        ShowMessage(g_app.mainWindow, refundmsg::kNoItems, custmsg::kProblem);
        return;
    }
    RefreshClock();
    RefundDialog dialog{SaleDateText(g_localTime, FormatDateWithLocale), {}};
    if (DialogBoxParamA(g_app.instance, MAKEINTRESOURCEA(IDD_REFUND), g_app.mainWindow, RefundProc,
                        reinterpret_cast<LPARAM>(&dialog)) != 1)
        return;
    if (dialog.choices.method == RefundMethod::Credit) {
        FindCustomer();
        const CustomerRecord& customer = CurrentCustomer();
        if (customer.Number() == 0) return;
        if (ShowMessage(g_app.mainWindow, refundmsg::kCreditThisCustomer, CreditCustomerCaption(customer).c_str(),
                        MB_OKCANCEL) != IDOK)
            return;
        basket.SetCustomerNumber(customer.Number());
        basket.SetCustomerName(customer.Name());
    }
    RefreshClock();
    StampRefund(basket, dialog.choices,
                RefundStamp{SaleTimeText(g_localTime), dialog.date, g_app.computerName,
                            static_cast<std::int32_t>(g_app.live.CurrentAssociate()), g_app.live.TransactionNumber()});
    std::int32_t result = 0;
    unsigned long failure = 0;
    {
        PleaseWait wait(g_app.mainWindow);
        failure = RemoteCommitRefund(basket, result);
    }
    if (failure != 0) {
        ShowMessage(nullptr, custmsg::kNetworkError, custmsg::kProblem);  // the basket stays to try again
        return;
    }
    if (result < kFirstAcceptedResult) {
        ShowMessage(g_app.mainWindow, RefundRefusalText(result), refundmsg::kRefusedCaption);
        ForgetBasket();
        RefreshTotals();
        return;
    }
    ShowMessage(g_app.mainWindow, RefundCommittedText(result).c_str(), refundmsg::kCommittedCaption);
    if (!AppendToDayFile(g_app.dataDir, RefundLogEntry(g_clockText, result, basket,
                                                       g_app.live.AssociateName(basket.Associate())))) {
        ShowMessage(nullptr, formmsg::kNoLog, formmsg::kNoLogCaption);
        return;
    }
    if (dialog.choices.print)
        print::RunPrintJob(g_app.mainWindow, print::PrinterChoice::Receipt,
                           [](HDC dc, print::PageState&) { print::PrintReceipt(dc, print::kStandardReceipt); });
    ForgetBasket();
    AdvanceTransactionNumber(g_app.live, result);
    RefreshTotals();
}
